#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace zorbel {

struct JsonMember;

// A JSON value as read, with the line it starts on for messages. Numbers
// keep their text; integer() gives the whole ones that fit.
struct JsonValue {
    enum class Type : std::uint8_t { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    std::string text;  // a string's contents (UTF-8), a number's literal
    std::vector<JsonValue> items;
    std::vector<JsonMember> members;  // in the file's order, no key twice
    int line = 1;

    std::optional<std::int64_t> integer() const;
    const JsonValue* member(std::string_view key) const;
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

// Strict RFC 8259 JSON: one value, nothing after it but white space, no key
// twice in an object, at most 64 levels deep. An error reads
// "NAME:LINE: reason".
Result<JsonValue> ParseJson(std::string_view text, std::string_view fileName);

// `text` as a JSON string, quotes included. Well-formed UTF-8 is kept; any
// other byte at or above 0x80 (the game's own text is Windows-1252) is
// written as the code point of the same number.
std::string JsonString(std::string_view text);

}  // namespace zorbel
