// Whole tables as CSV and JSON: the text as written, round trips in every
// build, another build's pointers, and the strict readers.
#include "tables/table_export.h"

#include <gtest/gtest.h>

#include "base/json.h"
#include "tests/support/kit_image.h"
#include "tools/gamekit/game_exe.h"
#include "tools/gamekit/kit_tables.h"

namespace zorbel {
namespace {

using namespace fields;
namespace kit = gamekit::tables;
using testsupport::holds;
using testsupport::kitImage;

// Sets the values of a text file onto `image`; gives how many.
std::size_t import(ExeImage& image, const Result<TablePatch>& read) {
    EXPECT_TRUE(read.ok()) << read.error();
    const PatchPlan plan = PlanTablePatch(image, read.value());
    EXPECT_TRUE(plan.conflicts.empty());
    EXPECT_TRUE(plan.refused.empty());
    return ApplyTablePatch(image, plan, false, "import");
}

TEST(TableExportTest, ValuesAreWrittenAsTheFieldsHoldThem) {
    ExeImage image = kitImage(4);
    const kit::Layout& l = kit::kLayouts[4];
    image.writeU32(l.MapObjectiveTable + 4 * 7, 0x305);  // objective 5, kill all, rescue
    image.writeU32(l.MapRescueTable + 4 * 7, 0x1ABC);    // rescues 0xABC, the flag
    image.writeU32(l.MapObjectiveTable + 4 * 8, 0x0FE);  // objective 254 alone
    image.writeU16(l.SoundTable + 692 + 2 * 2, 0xBEEF);  // sound 3, orc
    const std::string maps = WriteTableCsv(image, TableId::Maps, nullptr);
    EXPECT_EQ(maps.substr(0, maps.find('\n') + 1),
              "maps build 4,row_name,objective,kill_all,rescue,rescues,rescue_flag\r\n");
    EXPECT_NE(maps.find("\r\n7,orc 4,5,1,1,2748,1\r\n8,human 5,254,0,0,"), std::string::npos) << maps;
    const std::string sounds = WriteTableCsv(image, TableId::Sounds, nullptr);
    EXPECT_NE(sounds.find(",48879\r\n3,Sound #4,"), std::string::npos);
    // A name with quotes and a comma is quoted, its quotes doubled, and reads back.
    const std::vector<std::string> quoted(300, "say \"hi\", then");
    const std::string units = WriteTableCsv(image, TableId::Units, &quoted);
    EXPECT_NE(units.find("\r\n3,\"3. say \"\"hi\"\", then\","), std::string::npos) << units.substr(0, 300);
    EXPECT_TRUE(ReadTableCsv(units, "units.csv", 4).ok());
    const std::string buttons = WriteTableCsv(image, TableId::Buttons, nullptr);
    EXPECT_NE(buttons.find("\r\n0,\"bar 0, button 1\","), std::string::npos);

    const auto json = ParseJson(WriteTablesJson(image, nullptr), "t.json");
    ASSERT_TRUE(json.ok()) << json.error();
    EXPECT_EQ(json.value().member("format")->text, "zorbel tables 1");
    EXPECT_EQ(json.value().member("build")->integer(), 4);
    const JsonValue& map7 = json.value().member("tables")->member("maps")->items.at(7);
    EXPECT_EQ(std::tuple(map7.member("row")->integer(), map7.member("objective")->integer(),
                         map7.member("rescues")->integer(), map7.member("rescue_flag")->integer()),
              std::tuple(7, 5, 2748, 1));
    EXPECT_EQ(json.value().member("tables")->members.size(), 7u);
    // Unit 60 has no after-death byte: written, never read back as a value.
    const JsonValue& unit60 = json.value().member("tables")->member("units")->items.at(60);
    EXPECT_EQ(unit60.member("after_death")->text, "-");
}

TEST(TableExportTest, RoundTripsChangeNothingAndCarryEveryEditInEveryBuild) {
    for (int build = 0; build < kit::kBuilds; ++build) {
        const kit::Layout& l = kit::kLayouts[static_cast<std::size_t>(build)];
        ExeImage mod = kitImage(build);
        mod.writeU16(l.UnitTable + 14 * 3, 0x1234);
        mod.writeU32(l.MapObjectiveTable + 4 * 51,
                     (*mod.readU32(l.MapObjectiveTable + 4 * 51) & ~0xFFu) | 0x7E);
        mod.writeU16(l.SoundTable + 2 * 344, 0xFFFF);
        mod.writeU8(l.SpellRangeTable - 244 + 60, 200);  // action 60's unk 1
        ASSERT_TRUE(WriteField(mod, UnitFna, 5, 0x4242));
        ASSERT_TRUE(WriteField(mod, ButtonIcon, 18, 77));
        const std::size_t steps = mod.history().undoCount();
        const std::string json = WriteTablesJson(mod, nullptr);
        const auto csvs = WriteTableCsvs(mod, nullptr);
        ASSERT_EQ(csvs.size(), 7u);
        EXPECT_EQ(csvs[0].name, "units.csv");

        // Onto the file it came from: nothing to set, no step.
        EXPECT_EQ(
            import(mod, ReadTablesJson(json, "t.json", build)) + import(mod, ReadTableCsvs(csvs, build)), 0u);
        EXPECT_EQ(mod.history().undoCount(), steps);

        // Onto a clean copy: the same bytes as the edited file.
        ExeImage fromJson = kitImage(build);
        EXPECT_EQ(import(fromJson, ReadTablesJson(json, "t.json", build)), 6u) << "build " << build;
        EXPECT_TRUE(holds(fromJson, mod.bytes())) << "build " << build;
        ExeImage fromCsv = kitImage(build);
        EXPECT_EQ(import(fromCsv, ReadTableCsvs(csvs, build)), 6u);
        EXPECT_TRUE(holds(fromCsv, mod.bytes()) && fromCsv.history().undoCount() == 1u) << "build " << build;
    }
}

TEST(TableExportTest, AnotherBuildsPointersAreRefusedAndTheRestSet) {
    ExeImage b2 = kitImage(2);
    b2.writeU16(kit::kLayouts[2].UnitTable + 14 * 9, 321);
    ExeImage b4 = kitImage(4);
    const auto read = ReadTableCsv(WriteTableCsv(b2, TableId::Units, nullptr), "units.csv", 4);
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(read.value().base.build, 2) << "the file's build, not the one asked for";
    EXPECT_EQ(ReadTablesJson(WriteTablesJson(b2, nullptr), "t.json", 4).value().base.build, 2);
    const PatchPlan plan = PlanTablePatch(b4, read.value());
    EXPECT_GT(plan.refused.size(), 300u) << "FNA, FNB and FNZ of the units";
    for (const PatchRefusal& r : plan.refused) {
        EXPECT_TRUE(IsPointer(*r.entry.field)) << r.entry.field->key;
    }
    EXPECT_EQ(plan.apply.size(), 1u);
    ApplyTablePatch(b4, plan, false, "import");
    EXPECT_EQ(*b4.readU16(kit::kLayouts[4].UnitTable + 14 * 9), 321);
    // A hand-made file that names no build is taken as the image's.
    const auto plain = ReadTableCsv("units,icon\n9,5\n", "units.csv", 4);
    ASSERT_TRUE(plain.ok()) << plain.error();
    EXPECT_EQ(plain.value().base.build, 4);
}

TEST(TableExportTest, HandMadeCsvForms) {
    const auto read = ReadTableCsv(
        "sounds build 1 , orc,row_name\r\n"
        "\r\n"
        "7,\"12\",\"Sound, \"\"eight\"\"\n on two lines\"\n"
        " 9 ,-,x\n"
        "10,,\n"
        "11, 65535 ,\"\"\r",
        "s.csv", 0);
    ASSERT_TRUE(read.ok()) << read.error();
    const TablePatch& p = read.value();
    EXPECT_EQ(p.base.build, 1);
    ASSERT_EQ(p.entries.size(), 2u) << "'-' and an empty cell set nothing";
    const auto& e = p.entries;
    EXPECT_EQ(std::tuple(e[0].field, e[0].row, e[0].now, e[0].was.has_value()),
              std::tuple(&SoundOrc, 7, 12, false));
    EXPECT_EQ(std::tuple(e[1].row, e[1].now, e[1].line), std::tuple(11, 65535, 7))
        << "the quoted line break counts";
}

TEST(TableExportTest, TheStrictReadersNameTheFileAndLine) {
    const std::pair<std::string, std::string> csv[] = {
        {"", "u.csv:1: empty: no header row"},
        {"unitz,icon\n", "u.csv:1: the first cell names no table: \"unitz\""},
        {"units build 9,icon\n", "u.csv:1: no known build 9"},
        {"units built 2,icon\n", "u.csv:1: the first cell names no table: \"units built 2\""},
        {"units,icon,mana\n", "u.csv:1: table units has no field \"mana\""},
        {"units,icon,icon\n", "u.csv:1: the column \"icon\" is given twice"},
        {"units,icon\n3,1\n3,2\n", "u.csv:3: row 3 is given twice"},
        {"units,icon\n110,1\n", "u.csv:2: table units has no row 110 in build 0"},
        {"units,icon\n-1,1\n", "u.csv:2: table units has no row -1 in build 0"},
        {"buttons,icon\n1,1\n", "u.csv:2: table buttons has no row 1 in build 0"},
        {"units,icon\n3\n", "u.csv:2: 1 cells where the header has 2"},
        {"units,icon\n3,1,2\n", "u.csv:2: 3 cells where the header has 2"},
        {"units,icon\n3,65536\n", "u.csv:2: the value 65536 does not fit icon (0 to 65535)"},
        {"units,icon\n3,0x10\n", "u.csv:2: the value 0x10 does not fit icon (0 to 65535)"},
        {"units,icon\n3,none\n", "u.csv:2: the value none does not fit icon (0 to 65535)"},
        {"maps,kill_all\n3,2\n", "u.csv:2: the value 2 does not fit kill_all (0 to 1)"},
        {"units,icon\n3,\"1\n", "u.csv:2: a quoted cell is not closed"},
        {"units,icon\n3,\"1\"2\n", "u.csv:2: text after the closing quote of a cell"},
        {"units,icon\n3,1\"\n", "u.csv:2: a quote inside a cell that does not start with one"},
        {"units,icon\r3,1\n", "u.csv:1: a carriage return inside a line"},
        {"units,after_death\n60,-\n61,1\n", "u.csv:3: row 61 has no after_death"},
    };
    for (const auto& [text, error] : csv) {
        const auto read = ReadTableCsv(text, "u.csv", 0);
        ASSERT_FALSE(read.ok()) << text;
        EXPECT_EQ(read.error(), error) << text;
    }
    const auto twice = ReadTableCsvs({{"a.csv", "units,icon\n1,1\n"}, {"b.csv", "units,name\n1,1\n"}}, 0);
    EXPECT_EQ(twice.ok() ? "" : twice.error(), "b.csv: table units is given in a.csv too");
    const auto builds =
        ReadTableCsvs({{"a.csv", "units build 1,icon\n"}, {"b.csv", "maps build 2,rescue\n"}}, 0);
    EXPECT_EQ(builds.ok() ? "" : builds.error(), "b.csv: build 2, but a.csv is of build 1");

    const std::string head = "{\"format\": \"zorbel tables 1\",\n";
    const std::pair<std::string, std::string> json[] = {
        {"[]", "t:1: expected an object with \"format\", \"build\" and \"tables\""},
        {"{\"tables\": {}}", "t:1: the \"format\" key is missing"},
        {"{\"format\": \"zorbel tables 2\"}", "t:1: the format is not \"zorbel tables 1\""},
        {head + "\"build\": 5}", "t:2: no known build 5"},
        {head + "\"build\": 1.0}", "t:2: no known build 1.0"},
        {head + "\"extra\": 1}", "t:2: unknown key \"extra\""},
        {head + "\"tables\": []}", "t:2: expected \"tables\": an object of tables"},
        {head + "\"build\": 2}", "t:1: expected \"tables\": an object of tables"},
        {head + "\"tables\": {\"unitz\": []}}", "t:2: no table \"unitz\""},
        {head + "\"tables\": {\"units\": {}}}", "t:2: table units: expected an array of rows"},
        {head + "\"tables\": {\"units\": [\n{\"icon\": 1}]}}",
         "t:3: table units: expected a row, an object with \"row\""},
        {head + "\"tables\": {\"units\": [{\"row\": 110}]}}", "t:2: table units has no row 110 in build 0"},
        {head + "\"tables\": {\"units\": [{\"row\": 1},\n{\"row\": 1}]}}", "t:3: row 1 is given twice"},
        {head + "\"tables\": {\"units\": [{\"row\": 1, \"mana\": 1}]}}",
         "t:2: table units has no field \"mana\""},
        {head + "\"tables\": {\"units\": [{\"row\": 1, \"icon\": \"12\"}]}}", "t:2: icon: expected a number"},
        {head + "\"tables\": {\"units\": [{\"row\": 1, \"icon\": null}]}}", "t:2: icon: expected a number"},
        {head + "\"tables\": {\"units\": [{\"row\": 1, \"icon\": -1}]}}",
         "t:2: the value -1 does not fit icon (0 to 65535)"},
        {head + "\"tables\": {\"units\": [{\"row\": 1, \"icon\": \"none\"}]}}",
         "t:2: the value none does not fit icon (0 to 65535)"},
        {head + "\"tables\": {\"units\": [{\"row\": 70, \"after_death\": 3}]}}",
         "t:2: row 70 has no after_death"},
        {head + "\"tables\": {\"units\": [{\"row\": 1,\n \"icon\": 1e2}]}}",
         "t:3: the value 1e2 does not fit icon (0 to 65535)"},
    };
    for (const auto& [text, error] : json) {
        const auto read = ReadTablesJson(text, "t", 0);
        ASSERT_FALSE(read.ok()) << text;
        EXPECT_EQ(read.error(), error) << text;
    }
    const auto pointers = ReadTablesJson(head +
                                             "\"tables\": {\"units\": [{\"row\": 1, \"fna\": \"none\", "
                                             "\"after_death\": \"-\", \"icon\": 9}]}}",
                                         "t", 0);
    ASSERT_TRUE(pointers.ok()) << pointers.error();
    ASSERT_EQ(pointers.value().entries.size(), 1u);
    EXPECT_EQ(pointers.value().entries[0].now, 9);
}

}  // namespace
}  // namespace zorbel
