// How steps and lists name the rows of each table.
#include "tables/row_names.h"

#include <gtest/gtest.h>

#include "text/colour_text.h"

namespace zorbel {
namespace {

TEST(RowNames, AsThePagesDrawThem) {
    std::vector<std::string> strings(110, "x");
    strings[4] =
        "\x03P\x01"
        "eon\xFFhidden";
    strings[104] = "Tanker";
    struct Case {
        TableId table;
        std::int64_t row;
        const char* name;
    };
    const Case cases[] = {
        {TableId::Units, 3, "3. Peon"},  // colour codes dropped, and all after byte 255
        {TableId::UnitSounds, 103, "103. Human Tanker"},
        {TableId::CommandBars, 104, "104. Orc Tanker"},
        {TableId::CommandBars, 119, "119. *Group Orc"},
        {TableId::Buttons, 0, "bar 0, button 1"},
        {TableId::Buttons, 288 + 36, "bar 288, button 3"},
        {TableId::Buttons, 6494, "bar 6368, button 8"},
        {TableId::Buttons, 289, "button at 289"},
        {TableId::Sounds, 0, "Sound #1"},
        {TableId::Sounds, 344, "Sound #345"},
        {TableId::Actions, 43, "43 - Fireball"},
        {TableId::Actions, 60, "60 - ?"},
        {TableId::Maps, 0, "human 1"},  // the list's trailing blank is not part of the name
        {TableId::Maps, 51, "orc exp 12"},
        {TableId::Maps, 52, "row 52"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RowName(c.table, c.row, &strings), c.name) << c.row;
    }
    EXPECT_EQ(RowName(TableId::Units, 49, nullptr), "50")
        << "the list's placeholder before the strings are read";
    EXPECT_EQ(RowName(TableId::Units, 3, nullptr), "row 3");
}

TEST(RowNames, FixedListsOfThePages) {
    EXPECT_EQ(SpellRowText(0), "0 - ?");
    EXPECT_EQ(SpellRowText(2), "2 - Stop");
    EXPECT_EQ(SpellRowText(56), "56 - Death and Decay");
    const auto maps = MapRowTexts();
    ASSERT_EQ(maps.size(), 52u);
    EXPECT_EQ(maps[0], "human 1 ");
    EXPECT_EQ(maps[1], "orc 1");
    EXPECT_EQ(maps[2], "human 2 ");
    EXPECT_EQ(maps[4], "human 3");
    EXPECT_EQ(maps[28], "human exp 1");
    EXPECT_EQ(maps[51], "orc exp 12");
}

TEST(PlainGameText, Windows1252AsUtf8) {
    EXPECT_EQ(PlainGameText("Caf\xE9 \x80 \x1b"), "Caf\xC3\xA9 \xE2\x82\xAC <ESC>");
    EXPECT_EQ(PlainGameText("\x02"
                            "B\x01uild"),
              "Build");
    EXPECT_EQ(PlainGameText(""), "");
}

}  // namespace
}  // namespace zorbel
