// Comparing the open image with a reference: by field, bytes outside the
// fields, reverting, and Find.
#include "tables/compare.h"

#include <gtest/gtest.h>

#include "tests/support/kit_image.h"
#include "tools/gamekit/demo_strings.h"
#include "tools/gamekit/game_exe.h"
#include "tools/gamekit/kit_tables.h"

namespace zorbel {
namespace {

using namespace fields;
namespace kit = gamekit::tables;

class CompareTest : public ::testing::Test {
  protected:
    void take(int currentBuild, int referenceBuild) {
        reference.hold(gamekit::buildGameExe(referenceBuild).bytes, referenceBuild, "WAR2.EXE");
        image.hold(gamekit::buildGameExe(currentBuild).bytes, currentBuild, "mod.exe");
    }
    std::vector<std::string> texts(const Comparison& c) {
        std::vector<std::string> out;
        for (const FieldChange& f : c.fields) {
            out.push_back(ChangeText(f, &strings));
        }
        for (const ByteRange& r : c.outside) {
            out.push_back(OutsideText(r));
        }
        return out;
    }
    ExeImage reference, image;
    std::vector<std::string> strings = gamekit::demoStrings();
};

TEST_F(CompareTest, SameBuildListsFieldsAndEveryByteOutsideThem) {
    take(0, 0);
    const kit::Layout& l = kit::kLayouts[0];
    EXPECT_TRUE(CompareImages(reference, image).fields.empty());
    const std::uint32_t icon3 = l.UnitTable + 14 * 3;
    image.writeU16(icon3, 0x1234);
    const std::uint16_t oldIcon = *reference.readU16(icon3);
    // Unit 5's FNA through its record; the rescue bit of map 7; bit 12 of
    // map 8's victory word (no field has it); a code byte.
    WriteField(image, UnitFna, 5, 0x4242);
    const std::uint32_t victory7 = l.MapObjectiveTable + 4 * 7;
    image.writeU32(victory7, *reference.readU32(victory7) ^ 0x200);
    image.writeU32(victory7 + 4, *reference.readU32(victory7 + 4) ^ 0x1000);
    image.writeU8(0x2000, static_cast<std::uint8_t>(*reference.readU8(0x2000) ^ 1));
    image.writeU16(l.SoundTable + 692 + 2 * 9, 0x7FFF);

    const Comparison c = CompareImages(reference, image);
    EXPECT_TRUE(c.sameBuild);
    ASSERT_EQ(c.fields.size(), 4u);
    EXPECT_EQ(c.changedFields(), 4u);
    const std::vector<std::pair<const FieldDef*, std::int64_t>> expected = {
        {&UnitIcon, 3}, {&UnitFna, 5}, {&SoundOrc, 9}, {&MapRescue, 7}};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(std::pair(c.fields[k].field, c.fields[k].row), expected[k]) << k;
    }
    EXPECT_EQ(std::tuple(c.fields[0].was->value, c.fields[0].now->value, c.fields[1].now->value,
                         c.fields[3].was->value ^ c.fields[3].now->value),
              std::tuple(oldIcon, 0x1234, 0x4242, 1));
    EXPECT_EQ(texts(c).front(),
              "Units \xC2\xB7 3. Peon \xC2\xB7 Icon: " + std::to_string(oldIcon) + " \xE2\x86\x92 4660");
    // The record's target bytes are the pointer's own; map 8's byte 1 has a
    // bit no field covers, map 7's only a field's.
    char victoryByte[16];
    std::snprintf(victoryByte, sizeof victoryByte, "0x%X", victory7 + 5);
    EXPECT_EQ(c.outside, (std::vector<ByteRange>{{0x2000, 1}, {victory7 + 5, 1}}));
    EXPECT_EQ(texts(c).back(), std::string("outside the tables: ") + victoryByte + ", 1 byte");
}

TEST_F(CompareTest, RevertsAreOneStepAndPutTheReferenceBack) {
    take(3, 3);
    const kit::Layout& l = kit::kLayouts[3];
    image.writeU16(l.SpellManaTable + 2 * 4, 999);
    image.writeU8(l.SpellRangeTable + 6, 77);
    image.writeU8(0x3001, static_cast<std::uint8_t>(*reference.readU8(0x3001) ^ 0x80));
    image.markSaved();
    const Comparison c = CompareImages(reference, image);
    ASSERT_EQ(c.fields.size(), 2u);
    ASSERT_EQ(c.outside.size(), 1u);

    EXPECT_EQ(RevertChanges(image, reference, std::span(c.fields).first(1), {}, "Revert Mana"), 1u);
    EXPECT_EQ(image.history().nextUndo()->label, "Revert Mana");
    EXPECT_EQ(*image.readU16(l.SpellManaTable + 8), *reference.readU16(l.SpellManaTable + 8));
    EXPECT_EQ(*image.readU8(l.SpellRangeTable + 6), 77u) << "the other change stays";
    EXPECT_EQ(RevertChanges(image, reference, c.fields, c.outside, "Revert All"), 1u);
    EXPECT_TRUE(testsupport::holds(image, reference.bytes()));
    EXPECT_EQ(image.history().undoCount(), 5u) << "three writes, two reverts";
    image.undo();
    EXPECT_EQ(CompareImages(reference, image).fields.size(), 1u);
    EXPECT_EQ(CompareImages(reference, image).outside.size(), 1u);
    image.undo();
    EXPECT_FALSE(image.modified()) << "back to the saved bytes";
}

TEST_F(CompareTest, AnotherBuildComparesByFieldAndPointersDoNot) {
    take(2, 0);
    image.writeU16(kit::kLayouts[2].UnitTable + 14 * 8, 4321);
    const Comparison c = CompareImages(reference, image);
    EXPECT_FALSE(c.sameBuild);
    EXPECT_TRUE(c.outside.empty());
    bool sawIcon = false;
    for (const FieldChange& f : c.fields) {
        const bool pointer = f.field->kind == FieldKind::Pointer || f.field->kind == FieldKind::BarPointer;
        EXPECT_EQ(f.comparable, !pointer) << f.field->key << " " << f.row;
        sawIcon = sawIcon || (f.field == &UnitIcon && f.row == 8 && f.now->value == 4321);
        if (f.field->table == TableId::Buttons && f.row > 6148) {
            EXPECT_FALSE(f.was) << "build 0 has no default button at " << f.row;
        }
    }
    EXPECT_TRUE(sawIcon);
    // Everything reverted: what is left are the pointers and the rows the
    // reference lacks (the 19 default buttons of build 2 past build 0's area).
    RevertChanges(image, reference, c.fields, c.outside, "Revert All");
    std::size_t absent = 0;
    for (const FieldChange& f : CompareImages(reference, image).fields) {
        EXPECT_TRUE(!f.comparable || !f.was) << ChangeText(f, nullptr);
        absent += f.comparable ? 1 : 0;
    }
    EXPECT_EQ(absent, 19u * 6u);
    EXPECT_EQ(ReadField(image, UnitIcon, 8)->value, ReadField(reference, UnitIcon, 8)->value);
}

TEST_F(CompareTest, FindTakesValuesFieldsSoundsAndNames) {
    take(1, 1);
    const kit::Layout& l = kit::kLayouts[1];
    // Sound 300 as the ready sound of units 2 and 9 and the attack sound of
    // unit 4; icon 300 on unit 6 (a value, not a sound).
    for (std::uint32_t at : {l.ReadySoundTable + 4, l.ReadySoundTable + 18, l.AttackSoundTable + 8}) {
        image.writeU16(at, 300);
    }
    image.writeU16(l.UnitTable + 14 * 6, 300);
    auto found = [&](std::string_view query) {
        std::vector<std::string> out;
        for (const FoundField& f : FindInTables(image, query, &strings)) {
            out.push_back(FoundText(f, &strings));
        }
        return out;
    };
    const std::string dot = " \xC2\xB7 ";
    const std::vector<std::string> sounds = {
        "Unit sounds" + dot + "2. Peasant" + dot + "Ready = 300",
        "Unit sounds" + dot + "4. Ballista" + dot + "Attack = 300",
        "Unit sounds" + dot + "9. Troll Axethrower" + dot + "Ready = 300"};
    EXPECT_EQ(found("Sound 300"), sounds);
    EXPECT_EQ(found(" icon $12C "),
              std::vector<std::string>{"Units" + dot + "6. Knight" + dot + "Icon = 300"});
    const auto any = found("300");
    for (const std::string& s : sounds) {
        EXPECT_NE(std::find(any.begin(), any.end(), s), any.end()) << s;
    }
    for (const FoundField& f : FindInTables(image, "300", nullptr)) {
        EXPECT_EQ(f.value->value, 300) << FoundText(f, nullptr);
    }
    EXPECT_EQ(found("pEo"),
              (std::vector<std::string>{"Units" + dot + "3. Peon", "Units" + dot + "17. Peon (attacking)"}));
    EXPECT_TRUE(found("no such name").empty());
    EXPECT_TRUE(found("   ").empty());
}

}  // namespace
}  // namespace zorbel
