// The pages' models against the kit's executables: each value read from
// and written to its own field, and the words and rows as the pages show them.
#include <gtest/gtest.h>

#include "pages/commands/command_model.h"
#include "pages/maps/map_model.h"
#include "pages/sounds/sound_model.h"
#include "pages/spells/spell_model.h"
#include "pages/units/unit_model.h"
#include "tests/support/kit_image.h"

namespace zorbel {
namespace {

using namespace fields;

TEST(UnitModel, EachValueGoesToItsOwnFieldAndLoadsBack) {
    ExeImage image = testsupport::kitImage(1);
    const int row = 7;
    WriteUnitBasics(image, row, 0x1101, 0x1102, 0x1103);
    WriteUnitPointers(image, row, 0x2201, 0x2202);
    WriteDeath(image, row, 0x33);
    WriteUnitSounds(image, row, 0x4401, 0x4402, 0x4403, 0x4404);
    WriteCommandCount(image, row, 0x55);
    WriteBarOffset(image, row, 0x666);
    const std::pair<const FieldDef*, std::int64_t> expected[] = {
        {&UnitIcon, 0x1101},   {&UnitAux, 0x1102},      {&UnitName, 0x1103},  {&UnitFna, 0x2201},
        {&UnitFnb, 0x2202},    {&UnitDeath, 0x33},      {&UnitReady, 0x4401}, {&UnitAck, 0x4402},
        {&UnitAttack, 0x4403}, {&UnitSelected, 0x4404}, {&BarCount, 0x55},    {&BarData, 0x666},
    };
    for (const auto& [field, value] : expected) {
        EXPECT_EQ(ReadField(image, *field, row)->value, value) << field->key;
    }
    const UnitView v = LoadUnitView(image, row).value();
    const auto& r = v.record.value();
    const auto& s = v.sounds.value();
    EXPECT_EQ(
        (std::vector<std::int64_t>{r.icon, r.aux, r.name, r.fna.target, r.fnb.target, *v.death, s.ready,
                                   s.ack.target, s.attack, s.selected.target, v.commandCount, *v.barOffset}),
        (std::vector<std::int64_t>{0x1101, 0x1102, 0x1103, 0x2201, 0x2202, 0x33, 0x4401, 0x4402, 0x4403,
                                   0x4404, 0x55, 0x666}));
    EXPECT_EQ(r.fnz.target, ReadField(image, UnitFnz, row)->value);
}

// Rows 60 (no after-death byte, no sounds), 115 (no unit record) and 48 (a
// bar without a pointer record) are checked where the Units page shows them.
TEST(UnitModel, AnUnrelocatedPointerAndRowsOutsideTheList) {
    const ExeImage image = testsupport::kitImage(1);
    const PointerRead fnz = LoadUnitView(image, 105)->record->fnz;
    EXPECT_EQ(std::tuple(fnz.found, fnz.target), std::tuple(false, -1));
    EXPECT_FALSE(LoadUnitView(image, 120) || LoadUnitView(image, -1));
}

TEST(SoundWords, DecodeAsThePageShowsThem) {
    const struct {
        std::uint16_t word;
        int selector, entry;
        bool repeat, flag1, flag2;
    } cases[] = {
        {0x23E9, 1, 1, true, false, false},    {0x0000, 0, 0, false, false, false},
        {0x03E7, 0, 999, false, false, false}, {0x03E8, 1, 0, false, false, false},
        {0x1B57, 6, 999, false, false, false}, {0x1B58, 0, 0, false, false, false},
        {0x1F3F, 0, 999, false, false, false}, {0xFFFF, 0, 191, true, true, true},
        {0x547D, 5, 245, false, true, false},  {0x8BB8, 3, 0, false, false, true},
    };
    for (const auto& c : cases) {
        const SoundWord w = DecodeSoundWord(c.word);
        EXPECT_EQ(std::tuple(w.selector, w.entry, w.repeat, w.flag1, w.flag2),
                  std::tuple(c.selector, c.entry, c.repeat, c.flag1, c.flag2))
            << std::hex << c.word;
    }
}

TEST(SoundWords, EncodeAsTheWriteBackStoresThem) {
    const struct {
        int selector;
        std::int32_t entry;
        bool repeat, flag1, flag2;
        std::uint16_t word;
    } cases[] = {
        {0, 191, true, true, true, 0x00BF},  // "No Sound" drops the flags
        {5, 245, false, true, false, 0x547D},
        {3, 0, false, false, true, 0x8BB8},
        {2, 7, true, false, false, 0x27D7},
        {0, 0, true, true, true, 0xFFFF},  // a word of 0 is stored as 0xFFFF
        {0, 5, true, false, false, 0x0005},
        {1, 1500, false, false, false, 2500},         // the entry spills into the selector
        {6, 8191, false, false, false, 8191 + 6000},  // no range check: the sum reaches the flag bits
        {1, -1, false, false, false, 0x1FFF + 1000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeSoundWord(c.selector, c.entry, c.repeat, c.flag1, c.flag2), c.word)
            << c.selector << " " << c.entry;
    }
}

TEST(SpellModel, EachValueGoesToItsOwnFieldAndLoadsBack) {
    ExeImage image = testsupport::kitImage(2);
    WriteSpell(image, 5, SpellValues{0x1101, 0x22, 0x33, 0x44, 0x5505, 0x6606, 0x7707, 0x8808});
    const std::pair<const FieldDef*, std::int64_t> expected[] = {
        {&ActionMana, 0x1101}, {&ActionRange, 0x22}, {&ActionUnk1, 0x33},  {&ActionUnk2, 0x44},
        {&ActionUnk3, 0x5505}, {&ActionFna, 0x6606}, {&ActionFnb, 0x7707}, {&ActionFnc, 0x8808},
    };
    for (const auto& [field, value] : expected) {
        EXPECT_EQ(ReadField(image, *field, 5)->value, value) << field->key;
    }
    const SpellView v = LoadSpell(image, 5).value();
    EXPECT_EQ((std::vector<std::int64_t>{v.mana, v.range, v.unk1, v.unk2, v.unk3, v.fna.target, v.fnb.target,
                                         v.fnc.target}),
              (std::vector<std::int64_t>{0x1101, 0x22, 0x33, 0x44, 0x5505, 0x6606, 0x7707, 0x8808}));

    // Action 4's FNA, which has no fixup record, is checked where the page hides it.
    EXPECT_FALSE(LoadSpell(image, 61));
    EXPECT_FALSE(LoadSpell(ExeImage(), 0));
}

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

class MapModelTest : public ::testing::Test {
  protected:
    std::uint32_t victory(int map) { return *image.readU32(image.layout().MapObjectiveTable + 4u * map); }
    std::uint32_t rescue(int map) { return *image.readU32(image.layout().MapRescueTable + 4u * map); }
    ExeImage image = testsupport::kitImage(2);
};

TEST_F(MapModelTest, WordsLoadAsThePageShowsThem) {
    const struct {
        std::uint32_t victory, rescue;
        int objective;
        bool killAll, rescue_;
        std::uint32_t rescues;
        bool flag;
    } cases[] = {
        {0x109, 0x1805, 9, true, false, 0x805, true},
        {0xFC1E, 0, 30, false, false, 0, false},         // bits 10 and up mean nothing
        {0x2C8, 0x1388, 30, false, true, 904, true},     // objective 200 shows as 30
        {0x100, 0x2388, 0, true, false, 904, false},     // the flag is the word over 4096, odd
        {0, 0xFFFFF800, 0, false, false, 0x800, false},  // -2048 / 4096 is 0
    };
    for (const auto& c : cases) {
        image.writeU32(image.layout().MapObjectiveTable + 4 * 51, c.victory);
        image.writeU32(image.layout().MapRescueTable + 4 * 51, c.rescue);
        const MapView v = LoadMap(image, 51).value();
        EXPECT_EQ(std::tuple(v.objective, v.killAll, v.rescue, v.rescues, v.rescueFlag),
                  std::tuple(c.objective, c.killAll, c.rescue_, c.rescues, c.flag))
            << std::hex << c.victory << " " << c.rescue;
    }
}

TEST_F(MapModelTest, WordsAreRebuiltWhole) {
    const struct {
        int objective;
        bool killAll, rescue;
        std::int32_t rescues;
        bool flag;
        std::uint32_t victory, rescueWord;
    } cases[] = {
        {9, true, false, 5, true, 0x109, 0x1005},
        {30, false, true, 5000, false, 0x21E, 0x1388},
        {40, false, false, 5000, true, 0x1E, 0x2388},  // the flag is added, not ORed
        {-3, true, true, 7, false, 0x300, 7},
    };
    image.writeU32(image.layout().MapObjectiveTable, 0xFFFFFFFF);
    for (const auto& c : cases) {
        WriteMap(image, 0, c.objective, c.killAll, c.rescue, c.rescues, c.flag);
        EXPECT_EQ(victory(0), c.victory) << c.objective;
        EXPECT_EQ(rescue(0), c.rescueWord) << c.objective;
    }
    EXPECT_FALSE(LoadMap(image, 52));
    EXPECT_FALSE(LoadMap(image, -1));
    const auto revision = image.revision();
    WriteMap(image, -1, 3, true, true, 7, true);
    WriteMap(image, 52, 3, true, true, 7, true);
    EXPECT_EQ(image.revision(), revision);
}

}  // namespace
}  // namespace zorbel
