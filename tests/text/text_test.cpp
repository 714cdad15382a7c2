// The game's text: numbers as the fields take them, string tables, the
// unit list's rows made from them, and how steps and lists name the rows
// of each table.
#include <gtest/gtest.h>

#include "base/user_error.h"
#include "tables/row_names.h"
#include "text/colour_text.h"
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

TEST(RowNames, AsThePagesDrawThem) {
    std::vector<std::string> strings(110, "x");
    strings[4] = "\3P\1eon\377hidden";
    strings[104] = "Tanker";
    const auto* none = static_cast<const std::vector<std::string>*>(nullptr);
    // clang-format off
    const std::tuple<TableId, std::int64_t, const std::vector<std::string>*, const char*> cases[] = {
        {TableId::Units, 3, &strings, "3. Peon"},  // colour codes dropped, and all after byte 255
        {TableId::UnitSounds, 103, &strings, "103. Human Tanker"},
        {TableId::CommandBars, 104, &strings, "104. Orc Tanker"},
        {TableId::CommandBars, 119, &strings, "119. *Group Orc"},
        {TableId::Units, 49, none, "50"},  // the list's placeholder before the strings are read
        {TableId::Units, 3, none, "row 3"}, {TableId::Buttons, 0, none, "bar 0, button 1"},
        {TableId::Buttons, 288 + 36, none, "bar 288, button 3"},
        {TableId::Buttons, 6494, none, "bar 6368, button 8"},
        {TableId::Buttons, 289, none, "button at 289"}, {TableId::Sounds, 0, none, "Sound #1"},
        {TableId::Sounds, 344, none, "Sound #345"}, {TableId::Actions, 0, none, "0 - ?"},
        {TableId::Actions, 2, none, "2 - Stop"}, {TableId::Actions, 43, none, "43 - Fireball"},
        {TableId::Actions, 60, none, "60 - ?"},
        {TableId::Maps, 0, none, "human 1"},  // the list's trailing blank is not part of the name
        {TableId::Maps, 5, none, "orc 3"}, {TableId::Maps, 28, none, "human exp 1"},
        {TableId::Maps, 51, none, "orc exp 12"}, {TableId::Maps, 52, none, "row 52"}};
    // clang-format on
    for (const auto& [table, row, list, name] : cases) {
        EXPECT_EQ(RowName(table, row, list), name) << row;
    }
    const auto maps = MapRowTexts();
    EXPECT_EQ(maps.size(), 52u);
    EXPECT_EQ(std::vector<std::string>(maps.begin(), maps.begin() + 5),
              (std::vector<std::string>{"human 1 ", "orc 1", "human 2 ", "orc 2", "human 3"}));
    EXPECT_EQ(SoundListRows().size(), 345u);
    EXPECT_EQ(SoundListRows().back(), "Sound #345");
}

TEST(PlainGameText, Windows1252AsUtf8) {
    EXPECT_EQ(PlainGameText("Caf\xE9 \x80 \x1b"), "Caf\xC3\xA9 \xE2\x82\xAC <ESC>");
    EXPECT_EQ(PlainGameText("\2B\1uild"), "Build");
    EXPECT_EQ(PlainGameText(""), "");
}

TEST(ColourText, ControlBytesSwitchColours) {
    using Pieces = std::vector<std::pair<std::string, std::uint32_t>>;
    const std::tuple<const char*, ByteFF, Pieces> cases[] = {
        {"\2B\1uild", ByteFF::Yellow, {{"B", 0xFFFF00}, {"uild", 0xFFFFFF}}},
        {"A\3B\1C", ByteFF::EndsText, {{"A", 0xFFFFFF}, {"B", 0xFF0000}, {"C", 0xFFFFFF}}},
        // Code 1 goes back to the colour before the previous switch.
        {"\2a\5b\1c", ByteFF::Yellow, {{"a", 0xFFFF00}, {"b", 0x808080}, {"c", 0xFFFF00}}},
        {"x\33y\4z", ByteFF::Yellow, {{"x<ESC>y", 0xFFFFFF}, {"z", 0xFFFF00}}},
        {"ab\377cd", ByteFF::EndsText, {{"ab", 0xFFFFFF}}},
        {"ab\377cd", ByteFF::Yellow, {{"ab", 0xFFFFFF}, {"cd", 0xFFFF00}}},
        {"\6z\14", ByteFF::Yellow, {{"z", 0}}},
        {"\14z\24y", ByteFF::Yellow, {{"zy", 0}}},
        {"a\25b", ByteFF::Yellow, {{"a\25b", 0xFFFFFF}}},  // 21 is the first byte shown
    };
    for (const auto& [text, rule, pieces] : cases) {
        Pieces got;
        for (const ColourPiece& p : ColourPieces(text, rule)) {
            got.emplace_back(p.text, p.rgb);
        }
        EXPECT_EQ(got, pieces) << text;
    }
}

}  // namespace
}  // namespace zorbel
