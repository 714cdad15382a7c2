// How steps and lists name the rows of each table.
#include "tables/row_names.h"

#include <gtest/gtest.h>

#include "text/colour_text.h"

namespace zorbel {
namespace {

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

}  // namespace
}  // namespace zorbel
