#include "pages/commands/command_model.h"

#include <gtest/gtest.h>

#include "tables/default_command_bars.h"
#include "text/colour_text.h"
#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(CommandGroups, FiftyEightInFirstOccurrenceOrder) {
    const auto groups = BuildCommandGroups();
    ASSERT_EQ(groups.size(), 58u);
    EXPECT_EQ(CommandGroupRowText(groups.front()), "288- Cmds:10");
    const std::vector<std::string> first{"288- Cmds:10", "468- Cmds:10", "1048- Cmds:8", "1192- Cmds:8",
                                         "2280- Cmds:9", "2444- Cmds:9", "720- Cmds:9"};
    const std::vector<std::string> last{"1788- Cmds:9", "6128- Cmds:1", "6148- Cmds:1",
                                        "6168- Cmds:3", "6368- Cmds:8", "6224- Cmds:8"};
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(CommandGroupRowText(groups[i]), first[i]);
    }
    for (std::size_t i = 0; i < last.size(); ++i) {
        EXPECT_EQ(CommandGroupRowText(groups[groups.size() - last.size() + i]), last[i]);
    }
    // Units 0, 4, 22, 36, 42 and 46 all share the first row; units without a bar add none.
    for (int unit : {0, 4, 22, 36, 42, 46}) {
        EXPECT_EQ(DefaultCommandBars[static_cast<std::size_t>(unit)].barOffset, 288);
    }
    for (const auto& g : groups) {
        EXPECT_NE(g.barOffset, -1);
    }
    auto rowOf = [&](int unit) {
        for (const auto& g : groups) {
            if (g.barOffset == DefaultCommandBars[static_cast<std::size_t>(unit)].barOffset) {
                return CommandGroupRowText(g);
            }
        }
        return std::string();
    };
    EXPECT_EQ(rowOf(117), "6168- Cmds:3");
    EXPECT_EQ(rowOf(70), "5400- Cmds:1");
}

class CommandModelTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        game = gamekit::buildGameExe(GetParam());
        image.hold(game.bytes, GetParam(), "x.exe");
    }
    gamekit::GameExe game;
    ExeImage image;
};

TEST_P(CommandModelTest, SharedBarsListEveryUserAndUnrelocatedBarsNone) {
    const auto& l = image.layout();
    const CommandBar bar0 = ReadCommandBar(image, 0);
    ASSERT_TRUE(bar0.found);
    EXPECT_EQ(bar0.barOffset, 288);
    EXPECT_EQ(bar0.count, 10);
    const auto users = FindButtonUsers(image, 288 + 18 * 2);
    EXPECT_EQ(users, (std::vector<int>{0, 4, 22, 36, 42, 46}));
    EXPECT_EQ(FindButtonUsers(image, 288 + 18 * 10 - 1), users) << "the last byte of the bar";
    EXPECT_EQ(FindButtonUsers(image, 288 + 18 * 10), (std::vector<int>{1, 5, 25, 35, 37, 43, 47, 55, 56}))
        << "the next bar";
    // Unit 48 has no bar record: never listed, even where its arithmetic would fall.
    EXPECT_FALSE(ReadCommandBar(image, 48).found);
    const auto nearMinusOne = static_cast<std::int32_t>(l.DataObjectBase - l.ButtonTable - 1);
    for (int unit : FindButtonUsers(image, nearMinusOne)) {
        EXPECT_TRUE(ReadCommandBar(image, unit).found);
    }
    // Unit 110's record holds 0xFFFFFFFF: a real pointer, with a count of 0 listing nothing.
    EXPECT_TRUE(ReadCommandBar(image, 110).found);
    EXPECT_EQ(ReadCommandBar(image, 110).barOffset, nearMinusOne);
}

TEST_P(CommandModelTest, NothingOutsideTheImageOrTheButtonArea) {
    const auto& l = image.layout();
    const auto end = static_cast<std::int32_t>(image.size() - l.ButtonTable);  // BarOffset of the file's end
    EXPECT_TRUE(ReadButtonRecord(image, end - 18));
    EXPECT_FALSE(ReadButtonRecord(image, end - 17));
    EXPECT_FALSE(ReadButtonRecord(image, -static_cast<std::int32_t>(l.ButtonTable) - 5));
    const Bytes before(image.bytes().begin(), image.bytes().end());
    WriteButtonRecord(image, end - 10, ButtonValues{1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_TRUE(std::equal(before.begin(), before.end(), image.bytes().begin()));
    // In builds 0 and 1 the last default groups run past the button area.
    const auto groups = BuildCommandGroups();
    int outside = 0;
    for (const auto& g : groups) {
        for (int k = 0; k < g.count; ++k) {
            outside += !InsideButtonArea(l, g.barOffset + 18 * k);
        }
    }
    const bool shortArea = l.CommandBarTable - l.ButtonTable < 6512;
    EXPECT_EQ(outside > 0, shortArea);
}

INSTANTIATE_TEST_SUITE_P(AllBuilds, CommandModelTest, ::testing::Range(0, kBuildCount));

TEST(ButtonRows, NumberThenLabelText) {
    const std::vector<std::string> labels{"Move", "\x02S\x01top"};
    EXPECT_EQ(ButtonRowText(1, 2, labels), "1 - \x02S\x01top");
    EXPECT_EQ(ButtonRowText(3, 0, labels), "3 - ");
    EXPECT_EQ(ButtonRowText(4, 9, labels), "4 - ");
}

TEST(ColourText, ControlBytesSwitchColours) {
    auto pieces = ColourPieces(
        "\x02"
        "B\x01uild",
        ByteFF::Yellow);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].text, "B");
    EXPECT_EQ(pieces[0].rgb, 0xFFFF00u);
    EXPECT_EQ(pieces[1].text, "uild");
    EXPECT_EQ(pieces[1].rgb, 0xFFFFFFu);

    pieces = ColourPieces(
        "A\x03"
        "B\x01"
        "C",
        ByteFF::EndsText);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[1].rgb, 0xFF0000u);
    EXPECT_EQ(pieces[2].rgb, 0xFFFFFFu);
    // Code 1 goes back to the colour before the previous switch.
    pieces = ColourPieces(
        "\x02"
        "a\x05"
        "b\x01"
        "c",
        ByteFF::Yellow);
    EXPECT_EQ(pieces.back().rgb, 0xFFFF00u);
    EXPECT_EQ(ColourPieces("x\x1by", ByteFF::Yellow)[0].text, "x<ESC>y");
    EXPECT_EQ(ColourPieces("ab\xFF"
                           "cd",
                           ByteFF::EndsText)
                  .size(),
              1u);
    pieces = ColourPieces(
        "ab\xFF"
        "cd",
        ByteFF::Yellow);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1].rgb, 0xFFFF00u);
    EXPECT_EQ(ColourPieces("\x06z\x0c", ByteFF::Yellow)[0].rgb, 0u);
}

}  // namespace
}  // namespace zorbel
