#include "text/integer_text.h"

#include "base/user_error.h"

namespace zorbel {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<std::int32_t> parseHex(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    int significant = 0;
    for (char c : digits) {
        int d = hexDigit(c);
        if (d < 0) {
            return std::nullopt;
        }
        if (significant > 0 || d != 0) {
            if (++significant > 8) {
                return std::nullopt;
            }
        }
        value = (value << 4) | static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> parseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > INT32_MAX) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

std::optional<std::int32_t> parseIntegerText(std::string_view text) {
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(start);
    if (text.front() == '$') {
        return parseHex(text.substr(1));
    }
    return parseDecimal(text);
}

std::int32_t readIntegerLenient(std::string_view text, std::int32_t fallback) {
    return parseIntegerText(text).value_or(fallback);
}

std::string invalidIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::int32_t readIntegerStrict(std::string_view text) {
    auto value = parseIntegerText(text);
    if (!value) {
        throw UserError(invalidIntegerMessage(text));
    }
    return *value;
}

}  // namespace zorbel
