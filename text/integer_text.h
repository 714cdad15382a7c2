#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorbel {

// The one grammar for every number the user types: optional leading blanks,
// then a decimal with optional sign (magnitude at most 2147483647) or "$" and
// up to eight significant hex digits taken as a signed 32-bit value. Nothing
// may follow. Gives nothing for any other text.
std::optional<std::int32_t> parseIntegerText(std::string_view text);

// Lenient reading: any text outside the grammar gives `fallback`.
std::int32_t readIntegerLenient(std::string_view text, std::int32_t fallback = 0);

// Strict reading: text outside the grammar raises UserError with
// "'<text>' is not a valid integer value".
std::int32_t readIntegerStrict(std::string_view text);

std::string invalidIntegerMessage(std::string_view text);

}  // namespace zorbel
