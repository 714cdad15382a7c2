// The game's text: numbers as the fields take them, string tables, and the
// unit list's rows made from them.
#include <gtest/gtest.h>

#include "base/user_error.h"
#include "tables/row_names.h"
#include "text/integer_text.h"
#include "text/name_lists.h"
#include "text/string_table.h"

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

using Bytes = std::vector<std::uint8_t>;
using Strings = std::vector<std::string>;

TEST(StringTable, EveryFormOfTable) {
    const struct {
        const char* what;
        Bytes entry;
        Strings strings;
    } cases[] = {
        {"strings in table order",
         {3, 0, 8, 0, 12, 0, 17, 0, 'z', 'e', 'r', 0, 'F', 'o', 'o', 't', 0, 0},
         {"zer", "Foot", ""}},
        {"offsets out of order", {2, 0, 9, 0, 6, 0, 'a', 'b', 0, 'c', 0}, {"c", "ab"}},
        // String 0's span is A b 00 c d 00: zeros inside it read as FF, its terminator stays.
        {"zeros inside a span", {2, 0, 6, 0, 12, 0, 'A', 'b', 0, 'c', 'd', 0, 0, 'x', 0}, {"Ab\377cd", ""}},
        {"a count larger than the table", {9, 0, 4, 0}, {""}},
        {"no count", {5}, {}},
        // An offset beyond the entry keeps its row, empty; string 0's span
        // then runs to it, so its terminator reads as FF up to the entry's end.
        {"an offset beyond the entry",
         {3, 0, 8, 0, 0xFF, 0x7F, 11, 0, 'o', 'k', 0, 'n', 'o'},
         {"ok\xFFno", "", "no"}},
        {"the last string unterminated", {1, 0, 4, 0, 'e', 'n', 'd'}, {"end"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseStringTable(c.entry), c.strings) << c.what;
    }
}

TEST(StringTable, UnterminatedStringsAreCapped) {
    // 20000 offsets into one unterminated run: bounded memory.
    Bytes entry(2 + 2 * 20000, 0);
    storeU16(entry, 0, 20000);
    for (std::size_t i = 0; i < 20000; ++i) {
        storeU16(entry, 2 + 2 * i, 40002);
    }
    entry.insert(entry.end(), 10000, 'x');
    const auto strings = ParseStringTable(entry);
    ASSERT_EQ(strings.size(), 20000u);
    EXPECT_EQ(strings[0], std::string(4096, 'x'));
}

TEST(NameLists, UnitRowsComeFromStringsOneToOneHundredAndFour) {
    Strings strings{"string zero"};
    for (int i = 1; i <= 104; ++i) {
        strings.push_back("Name" + std::to_string(i));
    }
    const Strings few(strings.begin(), strings.begin() + 60);
    // Rows whose strings the table lacks keep their placeholders; with no table every row does.
    // clang-format off
    const std::tuple<const Strings*, std::size_t, const char*> cases[] = {
        {&strings, 0, "0. Name1"}, {&strings, 102, "102. Name103"}, {&strings, 103, "103. Human Name104"},
        {&strings, 104, "104. Orc Name104"}, {&strings, 105, "105. Corpse"}, {&strings, 119, "119. *Group Orc"},
        {&strings, 120, ""}, {&few, 58, "58. Name59"}, {&few, 59, ""}, {&few, 99, "100"}, {&few, 103, ""},
        {&few, 104, "105 +1"}, {nullptr, 0, ""}, {nullptr, 49, "50"}, {nullptr, 110, "110. *Blank"}};
    // clang-format on
    for (const auto& [table, row, text] : cases) {
        EXPECT_EQ(UnitListRow(row, table), text) << row;
    }
    EXPECT_EQ(UnitListRows(&strings)[104], "104. Orc Name104");
}

}  // namespace
}  // namespace zorbel
