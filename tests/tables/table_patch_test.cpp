// Table patches: the text as written, the strict reader, applying with
// conflicts and across builds, and two patches that clash.
#include "tables/table_patch.h"

#include <gtest/gtest.h>

#include "base/crc32.h"
#include "tests/support/kit_image.h"
#include "tools/gamekit/demo_strings.h"
#include "tools/gamekit/game_exe.h"
#include "tools/gamekit/kit_tables.h"

namespace zorbel {
namespace {

using namespace fields;
namespace kit = gamekit::tables;
using testsupport::kitImage;

TEST(TablePatchTest, WrittenInTableRowFieldOrderWithTheBaseAndRowNames) {
    TablePatch patch;
    patch.base = {3, 1048576, 0x00ABCDEF};
    patch.entries = {{&MapKillAll, 7, FieldValue{0, true}, 1},   {&UnitAttack, 3, FieldValue{4, true}, 9},
                     {&UnitName, 3, FieldValue{3, true}, 70},    {&UnitIcon, 3, FieldValue{12, true}, 14},
                     {&UnitFna, 3, FieldValue{-1, false}, 1234}, {&UnitIcon, 0, std::nullopt, 65535}};
    const auto strings = gamekit::demoStrings();
    EXPECT_EQ(WriteTablePatch(patch, &strings),
              "zorbel table patch 1\n"
              "base build 3 size 1048576 crc32 00abcdef\n"
              "# Units \xC2\xB7 0. Footman\n"
              "units 0 icon - -> 65535\n"
              "# Units \xC2\xB7 3. Peon\n"
              "units 3 icon 12 -> 14\n"
              "units 3 name 3 -> 70\n"
              "units 3 fna none -> 1234\n"
              "# Unit sounds \xC2\xB7 3. Peon\n"
              "unit_sounds 3 attack 4 -> 9\n"
              "# Maps \xC2\xB7 orc 4\n"
              "maps 7 kill_all 0 -> 1\n");
}

TEST(TablePatchTest, ReadsCommentsBlankLinesAndEveryFormOfValue) {
    const auto read = ReadTablePatch(
        "# made by hand\r\n"
        "\n"
        "  zorbel  table patch 1   # the version\r\n"
        "base build 4 size 900 crc32 DEADbeef\n"
        "units 3 icon 12 -> 14\r\n"
        "\tunits 5 fna none -> 4294967295\n"
        "maps 7 rescues - -> 4095 # twelve bits\n"
        "command_bars 2 bar 0 -> -8\n"
        "buttons 0 icon 1 -> 0",
        "mod.ztp");
    ASSERT_TRUE(read.ok()) << read.error();
    const TablePatch& p = read.value();
    EXPECT_EQ(p.base, (PatchBase{4, 900, 0xDEADBEEF}));
    ASSERT_EQ(p.entries.size(), 5u);
    const auto& e = p.entries;
    EXPECT_EQ(std::tuple(e[0].field, e[0].row, e[0].was->value, e[0].now, e[0].line),
              std::tuple(&UnitIcon, 3, 12, 14, 5));
    EXPECT_EQ(std::tuple(e[1].was->found, e[1].now, e[2].field, e[2].was.has_value(), e[3].now, e[4].line),
              std::tuple(false, 4294967295, &MapRescues, false, -8, 9));
}

TEST(TablePatchTest, TheStrictReaderNamesTheFileAndLine) {
    const std::string head = "zorbel table patch 1\nbase build 0 size 10 crc32 1\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "p:1: empty: no \"zorbel table patch\" line"},
        {"# nothing\n\n", "p:3: empty: no \"zorbel table patch\" line"},
        {"units 3 icon 1 -> 2\n", "p:1: not a table patch: it starts with \"zorbel table patch 1\""},
        {"zorbel table patch 2\n", "p:1: table patch version 2 is not known; this editor reads 1"},
        {"zorbel table patch 1\n", "p:2: the base line is missing"},
        {"zorbel table patch 1\nunits 3 icon 1 -> 2\n",
         "p:2: expected \"base build B size S crc32 C\" after the first line"},
        {"zorbel table patch 1\nbase build 5 size 10 crc32 1\n", "p:2: no known build 5 of a size 10"},
        {"zorbel table patch 1\nbase build 0 size 10 crc32 123456789\n",
         "p:2: expected \"base build B size S crc32 C\" after the first line"},
        {head + "units 3 icon 1 2\n", "p:3: expected \"TABLE ROW FIELD OLD -> NEW\""},
        {head + "unit 3 icon 1 -> 2\n", "p:3: no table \"unit\""},
        {head + "units 3 ready 1 -> 2\n", "p:3: table units has no field \"ready\""},
        {head + "units -1 icon 1 -> 2\n", "p:3: table units has no row -1 in build 0"},
        {head + "units 3x icon 1 -> 2\n", "p:3: table units has no row 3x in build 0"},
        {head + "buttons 1 icon 1 -> 2\n", "p:3: table buttons has no row 1 in build 0"},
        {head + "units 3 icon 1 -> 65536\n", "p:3: the new value 65536 does not fit icon (0 to 65535)"},
        {head + "units 3 icon -1 -> 5\n", "p:3: the old value -1 does not fit icon (0 to 65535)"},
        {head + "units 3 icon none -> 5\n", "p:3: the old value none does not fit icon (0 to 65535)"},
        {head + "units 3 fna 1 -> none\n", "p:3: the new value none does not fit fna (0 to 4294967295)"},
        {head + "maps 1 kill_all 0 -> 2\n", "p:3: the new value 2 does not fit kill_all (0 to 1)"},
        {head + "sounds 2 human 0 -> 0x10\n", "p:3: the new value 0x10 does not fit human (0 to 65535)"},
        {head + "units 3 icon 1 -> 2\n# again\nunits 3 icon 2 -> 3\n",
         "p:5: units 3 icon is given twice, first on line 3"},
    };
    for (const auto& [text, error] : cases) {
        const auto read = ReadTablePatch(text, "p");
        ASSERT_FALSE(read.ok()) << text;
        EXPECT_EQ(read.error(), error) << text;
    }
}

TEST(TablePatchTest, ConflictsWaitForAChoiceAndPointersStayInTheirBuild) {
    const auto read = ReadTablePatch(
        "zorbel table patch 1\nbase build 2 size 1 crc32 0\n"
        "units 3 icon 0 -> 300\nunits 4 icon 0 -> 301\nunits 5 fna 0 -> 77\nunit_sounds 6 ready - -> 12\n",
        "a.ztp");
    ASSERT_TRUE(read.ok()) << read.error();
    ExeImage image = kitImage(4);
    const kit::Layout& l = kit::kLayouts[4];
    // Icons as the patch found them: unit 3 at its old value, unit 4 at another.
    image.writeU16(l.UnitTable + 14 * 3, 0);
    image.writeU16(l.UnitTable + 14 * 4, 9);
    const PatchPlan plan = PlanTablePatch(image, read.value());
    const auto strings = gamekit::demoStrings();
    ASSERT_EQ(plan.conflicts.size(), 1u);
    EXPECT_EQ(ConflictText(plan.conflicts[0], &strings),
              "Units \xC2\xB7 4. Ballista \xC2\xB7 Icon is 9; the patch has 0 -> 301");
    ASSERT_EQ(plan.refused.size(), 1u);
    EXPECT_EQ(
        RefusedText(plan.refused[0], &strings),
        "Units \xC2\xB7 5. Catapult \xC2\xB7 FNA: a pointer of build 2, whose targets differ in build 4");
    EXPECT_EQ(ApplyTablePatch(image, plan, false, "Import a.ztp"), 2u);
    EXPECT_EQ(std::tuple(image.readU16(l.UnitTable + 14 * 3), image.readU16(l.UnitTable + 14 * 4),
                         image.readU16(l.ReadySoundTable + 2 * 6)),
              std::tuple(300, 9, 12))
        << "unit 4's icon kept: the user did not take it";
    image.undo();
    EXPECT_EQ(*image.readU16(l.UnitTable + 14 * 3), 0);
    EXPECT_EQ(ApplyTablePatch(image, plan, true, "Import a.ztp"), 3u);
    EXPECT_EQ(*image.readU16(l.UnitTable + 14 * 4), 301);
}

TEST(TablePatchTest, TwoPatchesClashOnlyWhereTheySetOneFieldDifferently) {
    auto patch = [](const std::string& body) {
        return ReadTablePatch("zorbel table patch 1\nbase build 0 size 1 crc32 0\n" + body, "x").value();
    };
    const auto a = patch("units 3 icon 0 -> 14\nunits 4 icon 0 -> 5\nmaps 1 rescue 0 -> 1\n");
    const auto b = patch("units 3 icon 0 -> 15\nunits 4 icon 0 -> 5\nmaps 2 rescue 0 -> 1\n");
    const auto c = patch("units 3 icon 0 -> 16\n");
    EXPECT_EQ(PatchClashes({a, b, c}, {"a.ztp", "b.ztp", "c.ztp"}),
              (std::vector<std::string>{"units 3 icon: 14 in a.ztp, 15 in b.ztp",
                                        "units 3 icon: 14 in a.ztp, 16 in c.ztp"}));
    EXPECT_TRUE(PatchClashes({a, patch("units 5 icon 0 -> 14\n")}, {"a", "d"}).empty());
}

}  // namespace
}  // namespace zorbel
