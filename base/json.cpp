#include "base/json.h"

#include <array>
#include <charconv>
#include <set>

namespace zorbel {

namespace {

constexpr int kMaxDepth = 64;

class Parser {
  public:
    Parser(std::string_view text, std::string_view fileName) : text_(text), fileName_(fileName) {}

    Result<JsonValue> run() {
        JsonValue root;
        skipSpace();
        if (!value(root, 0)) {
            return Result<JsonValue>::failure(error_);
        }
        skipSpace();
        if (at_ != text_.size()) {
            fail("more after the end of the JSON value");
            return Result<JsonValue>::failure(error_);
        }
        return root;
    }

  private:
    bool fail(const std::string& why) {
        if (error_.empty()) {
            error_ = std::string(fileName_) + ":" + std::to_string(line_) + ": " + why;
        }
        return false;
    }
    bool more() const { return at_ < text_.size(); }
    char peek() const { return text_[at_]; }

    void skipSpace() {
        while (more() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) {
            line_ += peek() == '\n' ? 1 : 0;
            ++at_;
        }
    }

    bool literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) {
            return fail("unexpected text; expected a JSON value");
        }
        at_ += word.size();
        return true;
    }

    bool value(JsonValue& out, int depth) {
        out.line = line_;
        if (!more()) {
            return fail("the text ends where a value should be");
        }
        switch (peek()) {
            case '{':
                return object(out, depth + 1);
            case '[':
                return array(out, depth + 1);
            case '"':
                out.type = JsonValue::Type::String;
                return string(out.text);
            case 't':
                out.type = JsonValue::Type::Bool;
                out.boolean = true;
                return literal("true");
            case 'f':
                out.type = JsonValue::Type::Bool;
                return literal("false");
            case 'n':
                return literal("null");
            default:
                return number(out);
        }
    }

    bool digits() {
        const std::size_t from = at_;
        while (more() && peek() >= '0' && peek() <= '9') {
            ++at_;
        }
        return at_ > from;
    }

    bool number(JsonValue& out) {
        const std::size_t from = at_;
        if (more() && peek() == '-') {
            ++at_;
        }
        if (more() && peek() == '0') {
            ++at_;
        } else if (!digits()) {
            return fail("unexpected text; expected a JSON value");
        }
        if (more() && peek() == '.') {
            ++at_;
            if (!digits()) {
                return fail("a number needs digits after its point");
            }
        }
        if (more() && (peek() == 'e' || peek() == 'E')) {
            ++at_;
            if (more() && (peek() == '+' || peek() == '-')) {
                ++at_;
            }
            if (!digits()) {
                return fail("a number needs digits in its exponent");
            }
        }
        out.type = JsonValue::Type::Number;
        out.text = std::string(text_.substr(from, at_ - from));
        return true;
    }

    bool hex4(std::uint32_t& code) {
        if (text_.size() - at_ < 4) {
            return fail("\\u needs four hex digits");
        }
        const char* begin = text_.data() + at_;
        const auto [stop, error] = std::from_chars(begin, begin + 4, code, 16);
        if (error != std::errc() || stop != begin + 4) {
            return fail("\\u needs four hex digits");
        }
        at_ += 4;
        return true;
    }

    static void utf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool escape(std::string& out) {
        if (!more()) {
            return fail("the text ends inside a string");
        }
        const char c = text_[at_++];
        switch (c) {
            case '"':
            case '\\':
            case '/':
                out += c;
                return true;
            case 'b':
                out += '\b';
                return true;
            case 'f':
                out += '\f';
                return true;
            case 'n':
                out += '\n';
                return true;
            case 'r':
                out += '\r';
                return true;
            case 't':
                out += '\t';
                return true;
            case 'u':
                break;
            default:
                return fail(std::string("unknown escape \\") + c);
        }
        std::uint32_t code = 0;
        if (!hex4(code)) {
            return false;
        }
        if (code >= 0xDC00 && code < 0xE000) {
            return fail("a lone low surrogate in a string");
        }
        if (code >= 0xD800 && code < 0xDC00) {
            std::uint32_t low = 0;
            if (text_.substr(at_, 2) != "\\u") {
                return fail("a high surrogate without its low one");
            }
            at_ += 2;
            if (!hex4(low)) {
                return false;
            }
            if (low < 0xDC00 || low >= 0xE000) {
                return fail("a high surrogate without its low one");
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        utf8(out, code);
        return true;
    }

    bool string(std::string& out) {
        ++at_;  // the opening quote
        while (more()) {
            const char c = text_[at_++];
            if (c == '"') {
                return true;
            }
            if (c == '\\') {
                if (!escape(out)) {
                    return false;
                }
            } else if (static_cast<unsigned char>(c) < 0x20) {
                return fail("a control character inside a string");
            } else {
                out += c;
            }
        }
        return fail("the text ends inside a string");
    }

    // After an item of an array or an object: its closing bracket, or a
    // comma and more items.
    enum class Next : std::uint8_t { Closed, More, Failed };
    Next next(char close, const char* what) {
        skipSpace();
        if (!more()) {
            fail(std::string("the text ends inside an ") + what);
            return Next::Failed;
        }
        const char c = text_[at_++];
        if (c == close) {
            return Next::Closed;
        }
        if (c != ',') {
            fail(std::string("expected , or ") + close + " in an " + what);
            return Next::Failed;
        }
        skipSpace();
        return Next::More;
    }

    bool array(JsonValue& out, int depth) {
        if (depth > kMaxDepth) {
            return fail("nested deeper than " + std::to_string(kMaxDepth) + " levels");
        }
        out.type = JsonValue::Type::Array;
        ++at_;
        skipSpace();
        if (more() && peek() == ']') {
            ++at_;
            return true;
        }
        while (true) {
            out.items.emplace_back();
            if (!value(out.items.back(), depth)) {
                return false;
            }
            if (const Next n = next(']', "array"); n != Next::More) {
                return n == Next::Closed;
            }
        }
    }

    bool object(JsonValue& out, int depth) {
        if (depth > kMaxDepth) {
            return fail("nested deeper than " + std::to_string(kMaxDepth) + " levels");
        }
        out.type = JsonValue::Type::Object;
        ++at_;
        skipSpace();
        if (more() && peek() == '}') {
            ++at_;
            return true;
        }
        std::set<std::string> keys;
        while (true) {
            if (!more() || peek() != '"') {
                return fail("expected a key in quotes");
            }
            std::string key;
            if (!string(key)) {
                return false;
            }
            if (!keys.insert(key).second) {
                return fail("the key \"" + key + "\" is given twice");
            }
            skipSpace();
            if (!more() || peek() != ':') {
                return fail("expected : after a key");
            }
            ++at_;
            skipSpace();
            out.members.push_back(JsonMember{std::move(key), {}});
            if (!value(out.members.back().value, depth)) {
                return false;
            }
            if (const Next n = next('}', "object"); n != Next::More) {
                return n == Next::Closed;
            }
        }
    }

    std::string_view text_;
    std::string_view fileName_;
    std::size_t at_ = 0;
    int line_ = 1;
    std::string error_;
};

}  // namespace

std::optional<std::int64_t> JsonValue::integer() const {
    if (type != Type::Number) {
        return std::nullopt;
    }
    std::int64_t v = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, v);
    if (error != std::errc() || stop != end) {
        return std::nullopt;  // a fraction, an exponent, or too large
    }
    return v;
}

const JsonValue* JsonValue::member(std::string_view key) const {
    for (const auto& [name, value] : members) {
        if (name == key) {
            return &value;
        }
    }
    return nullptr;
}

Result<JsonValue> ParseJson(std::string_view text, std::string_view fileName) {
    return Parser(text, fileName).run();
}

namespace {

// The length of the well-formed UTF-8 sequence at the start of `s`, or 0.
std::size_t utf8Length(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    const std::size_t n = lead >= 0xF0 && lead <= 0xF4   ? 4
                          : lead >= 0xE0 && lead <= 0xEF ? 3
                          : lead >= 0xC2 && lead <= 0xDF ? 2
                                                         : 0;
    if (n == 0 || s.size() < n) {
        return 0;
    }
    std::uint32_t code = lead & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[k]);
        if ((c & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (c & 0x3F);
    }
    const bool shortest = n == 2 || (n == 3 && code >= 0x800) || (n == 4 && code >= 0x10000);
    const bool scalar = code < 0xD800 || (code >= 0xE000 && code <= 0x10FFFF);
    return shortest && scalar ? n : 0;
}

}  // namespace

std::string JsonString(std::string_view text) {
    static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                  '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += text[at];
        } else if (c >= 0x80 && utf8Length(text.substr(at)) > 0) {
            const std::size_t n = utf8Length(text.substr(at));
            out += text.substr(at, n);
            at += n - 1;
        } else if (c < 0x20 || c >= 0x7F) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += text[at];
        }
    }
    return out + "\"";
}

}  // namespace zorbel
