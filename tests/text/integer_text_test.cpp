#include "text/integer_text.h"

#include <gtest/gtest.h>

#include "base/user_error.h"

namespace zorbel {
namespace {

TEST(IntegerText, AcceptsTheGrammar) {
    // clang-format off
    const std::pair<const char*, std::int32_t> accepted[] = {
        {"0", 0}, {"42", 42}, {"+42", 42}, {"-42", -42}, {"   7", 7}, {"007", 7}, {"2147483647", 2147483647},
        {"-2147483647", -2147483647}, {"$1F", 31}, {"$1f", 31}, {"$FFFFFFFF", -1}, {"$80000000", INT32_MIN},
        {"$000000000012", 0x12}, {"  $10", 16}, {"-0", 0}};
    // clang-format on
    for (const auto& [text, value] : accepted) {
        EXPECT_EQ(parseIntegerText(text), value) << '"' << text << '"';
    }
}

TEST(IntegerText, RefusesEverythingElse) {
    const char* refused[] = {
        "",           " ",          "-",           "+",           "$",     "-$1A", "+$1A", "$1G",
        "$100000000", "2147483648", "-2147483648", "99999999999", "7 ",    "7\t",  "\t7",  "1e3",
        "0x1F",       "--1",        "+-1",         "- 1",         "1,000", "$ 1",  "12a",
    };
    for (const char* text : refused) {
        EXPECT_FALSE(parseIntegerText(text).has_value()) << '"' << text << '"';
    }
}

TEST(IntegerText, LenientAndStrictReading) {
    EXPECT_EQ(readIntegerLenient("abc"), 0);
    EXPECT_EQ(readIntegerLenient("", 5), 5);
    EXPECT_EQ(readIntegerLenient("$FF"), 255);
    EXPECT_EQ(readIntegerStrict("-1"), -1);
    EXPECT_THROW(readIntegerStrict("12 "), UserError);
}

}  // namespace
}  // namespace zorbel
