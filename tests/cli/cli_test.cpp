// zorbel-cli as a modder runs it: statuses, what it prints, what it writes
// and what it refuses to write.
#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/temp_dir.h"
#include "tools/gamekit/demo_archives.h"
#include "tools/gamekit/game_exe.h"
#include "tools/gamekit/kit_tables.h"

namespace zorbel {
namespace {

namespace fs = std::filesystem;
namespace kit = gamekit::tables;

class CliTest : public ::testing::Test, protected testsupport::TempDir {
  protected:
    int run(const std::vector<std::string>& args) {
        out.str({});
        err.str({});
        return RunCli(args, out, err);
    }
    static void set16(std::vector<std::uint8_t>& b, std::uint32_t at, std::uint16_t v) {
        b[at] = static_cast<std::uint8_t>(v);
        b[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }

    std::ostringstream out, err;
};

TEST_F(CliTest, UsageAndBadInputExitWithOne) {
    const auto exe = put("a.exe", gamekit::buildGameExe(2).bytes);
    const auto junk = put("junk.exe", std::vector<std::uint8_t>(4000, 0x4D));
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "usage: zorbel-cli COMMAND"},
        {{"frob"}, "zorbel-cli: unknown command \"frob\""},
        {{"info"}, "zorbel-cli: wrong arguments\nusage: zorbel-cli info EXE"},
        {{"info", exe, exe}, "zorbel-cli: wrong arguments"},
        {{"diff", exe, exe, "--jsn"}, "zorbel-cli: unknown option --jsn"},
        {{"make-patch", exe, exe}, "zorbel-cli: wrong arguments\nusage: zorbel-cli make-patch"},
        {{"apply", exe, "-o"}, "zorbel-cli: -o takes one file"},
        {{"info", file("none.exe")}, "zorbel-cli: cannot read \"" + file("none.exe") + "\": "},
        {{"info", junk}, "zorbel-cli: \"" + junk + "\" is no known build of WarCraft II"},
        {{"apply", junk, exe, "-o", file("o.exe")}, "zorbel-cli: " + junk + ":1: not a table patch"},
    };
    for (const auto& [args, error] : cases) {
        EXPECT_EQ(run(args), 1) << error;
        EXPECT_EQ(err.str().rfind(error, 0), 0u) << err.str();
        EXPECT_TRUE(out.str().empty()) << error;
    }
    EXPECT_FALSE(fs::exists(file("o.exe")));
    for (const char* command : {"info", "diff", "make-patch", "apply", "export", "import", "validate"}) {
        EXPECT_EQ(run({command, "--help"}), 0);
        EXPECT_EQ(out.str().rfind(std::string("usage: zorbel-cli ") + command, 0), 0u) << command;
    }
    EXPECT_EQ(run({"--help"}), 0);
}

TEST_F(CliTest, InfoAndDiffPrintTheBuildTablesAndFields) {
    const auto clean = gamekit::buildGameExe(4);
    auto bytes = clean.bytes;
    set16(bytes, kit::kLayouts[4].UnitTable + 14 * 3, 125);
    bytes[0x2000] ^= 1;
    const auto a = put("WAR2.EXE", clean.bytes);
    const auto b = put("mod.exe", bytes);
    ASSERT_EQ(gamekit::writeDemoArchives((path() / "DATA").string()), "");  // names from its strings
    EXPECT_EQ(run({"info", a}), 0);
    EXPECT_EQ(out.str(),
              "WAR2.EXE: build 4, " + std::to_string(clean.bytes.size()) +
                  " bytes\nunits: 110 rows, 7 fields\nunit_sounds: 58 rows, 4 fields\n"
                  "command_bars: 120 rows, 2 fields\nbuttons: 359 rows, 8 fields\n"
                  "sounds: 345 rows, 2 fields\nactions: 61 rows, 8 fields\nmaps: 52 rows, 5 fields\n");
    const std::string was = std::to_string(clean.bytes[kit::kLayouts[4].UnitTable + 42] |
                                           clean.bytes[kit::kLayouts[4].UnitTable + 43] << 8);
    EXPECT_EQ(run({"make-patch", a, b, "-o", file("m.ztp")}), 0);
    EXPECT_EQ(err.str(), "zorbel-cli: 1 byte differs outside the tables and is not in the patch\n");
    EXPECT_EQ(run({"diff", a, b}), 0);
    EXPECT_EQ(out.str(), "Units \xC2\xB7 3. Peon \xC2\xB7 Icon: " + was +
                             " \xE2\x86\x92 125\noutside the tables: 0x2000, 1 byte\n");
    EXPECT_EQ(run({"diff", a, b, "--json"}), 0);
    EXPECT_EQ(out.str(),
              "{\"fields\": [\n  {\"table\": \"units\", \"row\": 3, \"field\": \"icon\", \"name\": "
              "\"3. Peon\", \"was\": " +
                  was +
                  ", \"now\": 125, \"comparable\": true}],\n \"outside\": [{\"offset\": 8192, "
                  "\"length\": 1}]}\n");
}

TEST_F(CliTest, TwoModsCombineClashOrCrossABuild) {
    for (int build : {0, 3}) {
        const kit::Layout& l = kit::kLayouts[static_cast<std::size_t>(build)];
        const auto clean = gamekit::buildGameExe(build).bytes;
        auto a = clean, b = clean, c = clean, both = clean;
        for (auto* mod : {&a, &both}) {
            set16(*mod, l.UnitTable + 14 * 3, 301);     // unit 3's icon
            set16(*mod, l.SoundTable + 2 * 9, 0x1234);  // sound 9, human
        }
        for (auto* mod : {&b, &both}) {
            set16(*mod, l.SpellManaTable + 2 * 5, 77);
        }
        set16(c, l.UnitTable + 14 * 3, 302);
        const auto war2 = put("war2.exe", clean);
        for (const auto& [name, bytes] : {std::pair{"a", a}, std::pair{"b", b}, std::pair{"c", c}}) {
            put(std::string(name) + ".exe", bytes);
            ASSERT_EQ(run({"make-patch", war2, file(std::string(name) + ".exe"), "-o",
                           file(std::string(name) + ".ztp")}),
                      0)
                << err.str();
        }
        ASSERT_EQ(run({"apply", file("a.ztp"), file("b.ztp"), war2, "-o", file("out.exe")}), 0) << err.str();
        EXPECT_EQ(out.str(), "3 fields set\n");
        EXPECT_EQ(read("out.exe"), both) << "build " << build;

        // The same field set twice: both named, nothing written, status 3.
        fs::remove(file("out.exe"));
        EXPECT_EQ(run({"apply", file("a.ztp"), file("c.ztp"), war2, "-o", file("out.exe")}), 3);
        EXPECT_NE(
            err.str().find("conflict: units 3 icon: 301 in " + file("a.ztp") + ", 302 in " + file("c.ztp")),
            std::string::npos)
            << err.str();
        EXPECT_TRUE(err.str().find("nothing written") != std::string::npos && !fs::exists(file("out.exe")));
        // A patch onto a file whose field another hand changed.
        EXPECT_EQ(run({"apply", file("c.ztp"), file("a.exe"), "-o", file("out.exe")}), 3);
        EXPECT_FALSE(fs::exists(file("out.exe")));
    }
    // Made on build 3, applied to build 1: by key, at build 1's places.
    const auto other = put("b1.exe", gamekit::buildGameExe(1).bytes);
    ASSERT_EQ(run({"apply", file("a.ztp"), other, "-o", file("out1.exe")}), 0) << err.str();
    const auto out1 = read("out1.exe");
    const kit::Layout& l1 = kit::kLayouts[1];
    EXPECT_EQ(std::tuple(out1[l1.UnitTable + 42] | out1[l1.UnitTable + 43] << 8,
                         out1[l1.SoundTable + 18] | out1[l1.SoundTable + 19] << 8),
              std::tuple(301, 0x1234));
}

TEST_F(CliTest, PointersOfAnotherBuildAreListedAndInputsNeverOverwritten) {
    const auto clean = gamekit::buildGameExe(2).bytes;
    put("war2.exe", clean);
    const auto patch = put("p.ztp",
                           "zorbel table patch 1\nbase build 2 size 1 crc32 0\n"
                           "units 3 icon - -> 99\nunits 5 fna - -> 4660\n");
    const auto b4 = put("b4.exe", gamekit::buildGameExe(4).bytes);
    ASSERT_EQ(run({"apply", patch, b4, "-o", file("out.exe")}), 0);
    EXPECT_EQ(err.str(),
              "zorbel-cli: " + patch +
                  ":4: not applied: Units \xC2\xB7 row 5 \xC2\xB7 FNA: a pointer of build 2, whose "
                  "targets differ in build 4\n");
    EXPECT_EQ(out.str(), "1 field set\n");
    // Ten are listed, the rest counted: rows 5 to 15 make eleven.
    std::string eleven = "zorbel table patch 1\nbase build 2 size 1 crc32 0\n";
    for (int row = 5; row <= 15; ++row) {
        eleven += "units " + std::to_string(row) + " fnb - -> 4660\n";
    }
    const auto many = put("many.ztp", eleven);
    ASSERT_EQ(run({"apply", many, b4, "-o", file("many.exe")}), 0);
    const std::string listed = err.str();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 11);
    EXPECT_TRUE(
        listed.ends_with(":12: not applied: Units \xC2\xB7 row 14 \xC2\xB7 FNB: a pointer of build 2, "
                         "whose targets differ in build 4\nzorbel-cli: " +
                         many + ": 1 more not applied\n"))
        << listed;

    const auto before = read("b4.exe");
    for (const std::string& target : {b4, patch, file("WAR2.exe"), file("sub/../b4.exe")}) {
        EXPECT_EQ(run({"apply", patch, b4, "-o", target}), 1) << target;
        EXPECT_EQ(err.str().rfind("zorbel-cli: will not write over", 0), 0u) << err.str();
    }
    EXPECT_EQ(std::tuple(read("b4.exe"), read("war2.exe")), std::tuple(before, clean));
    EXPECT_EQ(run({"make-patch", file("war2.exe"), b4, "-o", file("war2.exe")}), 1);
}

TEST_F(CliTest, ValidateListsProblemsAndFailsOnErrors) {
    auto bytes = gamekit::buildGameExe(1).bytes;
    const auto clean = put("war2.exe", bytes);
    EXPECT_EQ(run({"validate", clean}), 0);
    EXPECT_EQ(out.str(), "0 errors, 0 warnings\n");
    set16(bytes, kit::kLayouts[1].CommandBarTable, 0);  // unit 0's bar kept, its count 0
    EXPECT_EQ(run({"validate", put("warned.exe", bytes)}), 0) << "a warning alone passes";
    set16(bytes, kit::kLayouts[1].ReadySoundTable + 2 * 3, 400);
    const auto bad = put("bad.exe", bytes);
    EXPECT_EQ(run({"validate", bad}), 1);
    EXPECT_EQ(out.str(),
              "error: Unit sounds \xC2\xB7 row 3 \xC2\xB7 Ready: sound 400; the Sound Table has 345\n"
              "warning: Command bars \xC2\xB7 row 0 \xC2\xB7 Command Data: a bar at 288, but no buttons: the "
              "count is 0\n1 error, 1 warning\n");
    EXPECT_EQ(run({"validate", bad, "--json"}), 1);
    EXPECT_EQ(out.str().rfind(
                  "[\n  {\"severity\": \"error\", \"check\": \"sound-number\", \"table\": "
                  "\"unit_sounds\", \"row\": 3, \"field\": \"ready\", \"text\": \"Unit sounds \xC2\xB7 row 3",
                  0),
              0u)
        << out.str();
}

TEST_F(CliTest, TablesExportedAndImportedAsCsvOrJson) {
    const kit::Layout& l = kit::kLayouts[3];
    const auto clean = gamekit::buildGameExe(3).bytes;
    auto mod = clean;
    set16(mod, l.UnitTable + 14 * 8, 4321);
    set16(mod, l.SpellManaTable + 2 * 60, 250);
    const auto war2 = put("war2.exe", clean);
    const auto modded = put("mod.exe", mod);
    ASSERT_EQ(run({"export", modded, "--csv", file("csv")}), 0) << err.str();
    EXPECT_EQ(out.str(), "7 tables written to " + file("csv") + "\n");
    ASSERT_EQ(run({"export", modded, "--json", file("t.json")}), 0) << err.str();
    for (const auto& [kind, path] : {std::pair{"--csv", file("csv")}, std::pair{"--json", file("t.json")}}) {
        ASSERT_EQ(run({"import", war2, kind, path, "-o", file("out.exe")}), 0) << err.str();
        EXPECT_EQ(std::tuple(out.str(), read("out.exe")), std::tuple("2 fields set\n", mod)) << kind;
        ASSERT_EQ(run({"import", modded, kind, path, "-o", file("same.exe")}), 0);
        EXPECT_EQ(std::tuple(out.str(), read("same.exe")), std::tuple("0 fields set\n", mod));
    }
    // Another build: its pointers are left out, ten listed and the rest counted.
    const auto b4 = put("b4.exe", gamekit::buildGameExe(4).bytes);
    ASSERT_EQ(run({"import", b4, "--csv", file("csv"), "-o", file("out4.exe")}), 0) << err.str();
    EXPECT_EQ(
        err.str().rfind("zorbel-cli: " + (path() / "csv" / "units.csv").string() + ":2: not applied: ", 0),
        0u)
        << err.str();
    EXPECT_NE(err.str().find(" more not applied\n"), std::string::npos);
    EXPECT_EQ(read("out4.exe")[kit::kLayouts[4].UnitTable + 14 * 8], 4321 & 0xFF);

    put("csv/units.csv", "units build 3,icon\n8,1\n8,2\n");
    const std::pair<std::vector<std::string>, std::string> bad[] = {
        {{"import", war2, "--csv", file("csv"), "-o", file("bad.exe")},
         "zorbel-cli: " + (path() / "csv" / "units.csv").string() + ":3: row 8 is given twice\n"},
        {{"import", war2, "--csv", file("none"), "-o", file("bad.exe")},
         "zorbel-cli: no table's CSV file (units.csv, sounds.csv, ...) in \"" + file("none") + "\"\n"},
        {{"import", war2, "--csv", file("csv"), "--json", file("t.json"), "-o", file("bad.exe")},
         "zorbel-cli: wrong arguments\nusage: zorbel-cli import"},
        {{"export", modded, "--json", modded}, "zorbel-cli: will not write over its input"},
        {{"import", war2, "--json", file("t.json"), "-o", file("t.json")},
         "zorbel-cli: will not write over its input"},
        {{"export", war2, "--csv"}, "zorbel-cli: --csv takes one folder\n"},
    };
    for (const auto& [args, error] : bad) {
        EXPECT_EQ(run(args), 1) << error;
        EXPECT_EQ(err.str().rfind(error, 0), 0u) << err.str();
    }
    EXPECT_FALSE(fs::exists(file("bad.exe")));
    EXPECT_EQ(read("war2.exe"), clean);
}

}  // namespace
}  // namespace zorbel
