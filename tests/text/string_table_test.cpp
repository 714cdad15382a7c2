#include "text/string_table.h"

#include <gtest/gtest.h>

#include "tables/row_names.h"
#include "text/name_lists.h"
#include "tools/gamekit/archive_builder.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(StringTable, ReadsEveryStringInTableOrder) {
    const std::vector<std::string> strings{"zero", "Footman", "\x02M\x01ove", ""};
    EXPECT_EQ(ParseStringTable(gamekit::buildStringTable(strings)), strings);
}

TEST(StringTable, ZeroBytesInsideASpanReadAsFF) {
    // String 0's span: A b 00 c d 00; string 1 starts with a zero byte.
    Bytes entry{2, 0, 6, 0, 12, 0, 'A', 'b', 0, 'c', 'd', 0, 0, 'x', 0};
    const auto strings = ParseStringTable(entry);
    ASSERT_EQ(strings.size(), 2u);
    EXPECT_EQ(strings[0],
              "Ab\xFF"
              "cd");
    EXPECT_EQ(strings[1], "");
}

TEST(StringTable, NothingOutsideTheEntryIsRead) {
    // A count larger than the table: only the offset slots inside the entry count.
    EXPECT_EQ(ParseStringTable(Bytes{9, 0, 4, 0}), std::vector<std::string>{""});
    EXPECT_TRUE(ParseStringTable(Bytes{5}).empty());
    // An offset beyond the entry keeps its row, empty. String 0's span then
    // runs to that offset, so its terminator reads as 0xFF and it goes on to
    // the end of the entry, where it stops.
    Bytes bad{3, 0, 8, 0, 0xFF, 0x7F, 11, 0, 'o', 'k', 0, 'n', 'o'};
    EXPECT_EQ(ParseStringTable(bad), (std::vector<std::string>{"ok\xFFno", "", "no"}));
}

TEST(StringTable, UnterminatedStringsAreCapped) {
    // 20000 offsets into one unterminated 40000-byte run: bounded memory.
    Bytes entry(2 + 2 * 20000, 0);
    storeU16(entry, 0, 20000);
    const auto textStart = static_cast<std::uint16_t>(entry.size());
    for (int i = 0; i < 20000; ++i) {
        storeU16(entry, 2 + 2 * static_cast<std::size_t>(i), textStart);
    }
    entry.insert(entry.end(), 40000 - entry.size() + textStart, 'x');
    const auto strings = ParseStringTable(entry);
    ASSERT_EQ(strings.size(), 20000u);
    EXPECT_EQ(strings[0].size(), 4096u);
}

TEST(NameLists, UnitRowsComeFromStringsOneToOneHundredAndFour) {
    std::vector<std::string> strings{"string zero"};
    for (int i = 1; i <= 104; ++i) {
        strings.push_back("Name" + std::to_string(i));
    }
    auto rows = UnitListRows(&strings);
    EXPECT_EQ(rows[0], "0. Name1");
    EXPECT_EQ(rows[102], "102. Name103");
    EXPECT_EQ(rows[103], "103. Human Name104");
    EXPECT_EQ(rows[104], "104. Orc Name104");
    EXPECT_EQ(rows[105], "105. Corpse");
    EXPECT_EQ(rows[119], "119. *Group Orc");

    // Fewer strings: the rows they do not reach keep their placeholders.
    strings.resize(60);
    rows = UnitListRows(&strings);
    EXPECT_EQ(rows[58], "58. Name59");
    EXPECT_EQ(rows[59], "");
    EXPECT_EQ(rows[99], "100");
    EXPECT_EQ(rows[103], "");
    EXPECT_EQ(rows[104], "105 +1");

    rows = UnitListRows(nullptr);
    EXPECT_EQ(rows[0], "");
    EXPECT_EQ(rows[49], "50");
    EXPECT_EQ(rows[110], "110. *Blank");
}

TEST(NameLists, SoundRowsCountFromOne) {
    const auto rows = SoundListRows();
    ASSERT_EQ(rows.size(), 345u);
    EXPECT_EQ(rows[0], "Sound #1");
    EXPECT_EQ(rows[344], "Sound #345");
}

}  // namespace
}  // namespace zorbel
