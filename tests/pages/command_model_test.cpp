#include "pages/commands/command_model.h"

#include <gtest/gtest.h>

#include "tests/support/kit_image.h"
#include "text/colour_text.h"

namespace zorbel {
namespace {

using namespace fields;

TEST(CommandGroups, FiftyEightInFirstOccurrenceOrder) {
    const auto groups = BuildCommandGroups();
    ASSERT_EQ(groups.size(), 58u);
    const std::pair<std::size_t, const char*> rows[] = {
        {0, "288- Cmds:10"}, {1, "468- Cmds:10"},  {4, "2280- Cmds:9"},
        {6, "720- Cmds:9"},  {57, "6224- Cmds:8"},
    };
    for (const auto& [k, text] : rows) {
        EXPECT_EQ(CommandGroupRowText(groups[k]), text) << k;
    }
    for (const auto& g : groups) {
        EXPECT_NE(g.barOffset, -1);
    }
}

TEST(CommandModel, SharedBarsListEveryUserAndUnrelocatedBarsNone) {
    const ExeImage image = testsupport::kitImage(3);
    const CommandBar bar0 = ReadCommandBar(image, 0);
    EXPECT_EQ(std::tuple(bar0.found, bar0.barOffset, bar0.count), std::tuple(true, 288, 10));
    const std::vector<int> users{0, 4, 22, 36, 42, 46};
    EXPECT_EQ(FindButtonUsers(image, 288), users);
    EXPECT_EQ(FindButtonUsers(image, 288 + 18 * 10 - 1), users) << "the last byte of the bar";
    EXPECT_EQ(FindButtonUsers(image, 288 + 18 * 10), (std::vector<int>{1, 5, 25, 35, 37, 43, 47, 55, 56}));
    EXPECT_EQ(FindButtonUsers(image, 287), std::vector<int>{15}) << "the last byte of the bar before";
    // Unit 48 has no bar record; unit 110's holds 0xFFFFFFFF, a real pointer, with a count of 0.
    EXPECT_FALSE(ReadCommandBar(image, 48).found);
    const auto& l = image.layout();
    const auto nearMinusOne = static_cast<std::int32_t>(l.DataObjectBase - l.ButtonTable - 1);
    EXPECT_EQ(std::pair(ReadCommandBar(image, 110).found, ReadCommandBar(image, 110).barOffset),
              std::pair(true, nearMinusOne));
    EXPECT_TRUE(FindButtonUsers(image, nearMinusOne).empty());
}

TEST(CommandModel, ButtonRecordsWriteEachValueToItsOwnField) {
    ExeImage image = testsupport::kitImage(3);
    const std::int32_t x = 288 + 18 * 3;
    WriteButtonRecord(image, x, ButtonValues{0x11101, 0x2202, 0x3303, 0x4404, 0x155, 0x66, 0x7707, 0x8808});
    const std::pair<const FieldDef*, std::int64_t> expected[] = {
        {&ButtonPosition, 0x1101}, {&ButtonIcon, 0x2202},   {&ButtonReqFn, 0x3303}, {&ButtonActFn, 0x4404},
        {&ButtonActParam, 0x55},   {&ButtonReqParam, 0x66}, {&ButtonLabel, 0x7707}, {&ButtonFlags, 0x8808},
    };
    for (const auto& [field, value] : expected) {
        EXPECT_EQ(ReadField(image, *field, x)->value, value) << field->key;
    }
    const ButtonRecord r = ReadButtonRecord(image, x).value();
    EXPECT_EQ((std::vector<std::int64_t>{r.position, r.icon, r.reqFn.target, r.actFn.target, r.actParam,
                                         r.reqParam, r.label, r.flags}),
              (std::vector<std::int64_t>{0x1101, 0x2202, 0x3303, 0x4404, 0x55, 0x66, 0x7707, 0x8808}));

    // Nothing outside the image.
    const auto end = static_cast<std::int32_t>(image.size() - image.layout().ButtonTable);
    EXPECT_TRUE(ReadButtonRecord(image, end - 18));
    EXPECT_FALSE(ReadButtonRecord(image, end - 17));
    EXPECT_FALSE(ReadButtonRecord(image, -static_cast<std::int32_t>(image.layout().ButtonTable) - 5));
    const auto revision = image.revision();
    WriteButtonRecord(image, end - 10, ButtonValues{1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(image.revision(), revision);
}

TEST(CommandModel, TheButtonAreaEndsAtTheCommandBarTable) {
    // 6184 bytes of buttons in build 0, 6512 in build 2.
    const std::tuple<int, std::int32_t, bool> cases[] = {{0, 0, true},     {0, -1, false},  {0, 6166, true},
                                                         {0, 6167, false}, {2, 6494, true}, {2, 6495, false}};
    for (const auto& [build, barOffset, inside] : cases) {
        EXPECT_EQ(InsideButtonArea(VersionLayouts[static_cast<std::size_t>(build)], barOffset), inside)
            << barOffset;
    }
}

TEST(ButtonRows, NumberThenLabelText) {
    const std::vector<std::string> labels{"Move", "\x02S\x01top"};
    EXPECT_EQ((std::vector{ButtonRowText(1, 2, labels), ButtonRowText(2, 1, labels),
                           ButtonRowText(3, 0, labels), ButtonRowText(4, 3, labels)}),
              (std::vector<std::string>{"1 - \x02S\x01top", "2 - Move", "3 - ", "4 - "}));
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
