// The checks of the tables: silent on every clean executable, and each one
// firing on a small fault with the field it names.
#include "checks/table_checks.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/kit_image.h"
#include "tools/gamekit/demo_archives.h"
#include "tools/gamekit/demo_strings.h"
#include "tools/gamekit/game_exe.h"
#include "tools/gamekit/kit_tables.h"

namespace zorbel {
namespace {

using namespace fields;
namespace kit = gamekit::tables;
using testsupport::kitImage;

std::string listed(const std::vector<Problem>& problems) {
    std::string out;
    for (const Problem& p : problems) {
        out += std::string(SeverityName(p.severity)) + " " + p.key() + ": " + p.text + "\n";
    }
    return out;
}

TEST(TableChecksTest, CleanExecutablesOfEveryBuildShowNothing) {
    const auto strings = gamekit::demoStrings();
    for (int build = 0; build < kit::kBuilds; ++build) {
        const ExeImage image = kitImage(build);
        EXPECT_EQ(listed(CheckTables(image, {&strings, gamekit::kDemoIcons})), "") << "build " << build;
        // The kit's icons reach 112 and its names the last string: both limits are met exactly.
        EXPECT_EQ(listed(CheckTables(image, {&strings, 113})), "");
        EXPECT_NE(listed(CheckTables(image, {&strings, 112})), "");
    }
    EXPECT_TRUE(CheckTables(ExeImage{}, {}).empty());
}

TEST(TableChecksTest, EachFaultIsNamedWithItsField) {
    const kit::Layout& l = kit::kLayouts[2];
    const std::vector<std::string> strings(200, "s");
    struct Case {
        std::function<void(ExeImage&)> fault;
        std::string expected;  // "severity key: text"
    };
    const std::uint32_t code = l.DataObjectBase - l.PageBase;
    const std::uint32_t area = l.CommandBarTable - l.ButtonTable;
    const Case cases[] = {
        {[&](ExeImage& i) { i.writeU16(l.ReadySoundTable, 400); },
         "error sound-number unit_sounds 0 ready: Unit sounds \xC2\xB7 0. s \xC2\xB7 Ready: sound 400; the "
         "Sound Table has 345"},
        {[&](ExeImage& i) { i.writeU16(l.AttackSoundTable + 2 * 57, 346); },
         "error sound-number unit_sounds 57 attack: Unit sounds \xC2\xB7 57. s \xC2\xB7 Attack: sound 346; "
         "the Sound Table has 345"},
        // Human sound 1 is the first to play SNDDAT.WAR entry 0 (2000); sound 121 plays it again.
        {[&](ExeImage& i) { i.writeU16(l.SoundTable, 0x2000 | 2000); },
         "error sound-repeat sounds 0 human: Sounds \xC2\xB7 Sound #1 \xC2\xB7 Human Sound: Repeat is on, "
         "but it is the first to play SNDDAT.WAR entry 0; the game crashes on exit"},
        {[&](ExeImage& i) { i.writeU16(l.SoundTable + 2 * 120, 2000); },
         "error sound-repeat sounds 120 human: Sounds \xC2\xB7 Sound #121 \xC2\xB7 Human Sound: Repeat is "
         "off, but Sound #1 plays SNDDAT.WAR entry 0 first; the game crashes on exit"},
        // The orc side keeps its own order: entry 0 of SNDDAT.WAR on the orc side is first at sound 104.
        {[&](ExeImage& i) { i.writeU16(l.SoundTable + 692 + 2 * 344, 0x2000 | 5999); },
         "error sound-repeat sounds 344 orc: Sounds \xC2\xB7 Sound #345 \xC2\xB7 Orc Sound: Repeat is on, "
         "but it is the first to play SFXDAT.SUD entry 999; the game crashes on exit"},
        {[&](ExeImage& i) { i.writeU16(l.UnitTable + 14 * 5, 113); },
         "error icon units 5 icon: Units \xC2\xB7 5. s \xC2\xB7 Icon: icon 113; the icon sprite has 113 (0 "
         "to 112)"},
        {[&](ExeImage& i) { i.writeU16(l.ButtonTable + 18 + 2, 900); },
         "error icon buttons 18 icon: Buttons \xC2\xB7 bar 0, button 2 \xC2\xB7 Icon: icon 900; the icon "
         "sprite has 113 (0 to 112)"},
        {[&](ExeImage& i) { i.writeU16(l.UnitTable + 14 * 7 + 4, 201); },
         "error string units 7 name: Units \xC2\xB7 7. s \xC2\xB7 Name: string 201; the game's string table "
         "has 200"},
        {[&](ExeImage& i) { i.writeU16(l.ButtonTable + 14, 65535); },
         "error string buttons 0 label: Buttons \xC2\xB7 bar 0, button 1 \xC2\xB7 Label: string 65535; the "
         "game's string table has 200"},
        // Unit 48 has no bar and no pointer record; unit 0 a bar of 10 at 288.
        {[&](ExeImage& i) { i.writeU16(l.CommandBarTable + 6 * 48, 3); },
         "error bar command_bars 48 count: Command bars \xC2\xB7 48. s \xC2\xB7 Commands: 3 buttons, but the "
         "bar has no pointer to them"},
        {[&](ExeImage& i) { i.writeU16(l.CommandBarTable, 0); },
         "warning bar command_bars 0 bar: Command bars \xC2\xB7 0. s \xC2\xB7 Command Data: a bar at 288, "
         "but no buttons: the count is 0"},
        {[&](ExeImage& i) { WriteField(i, BarData, 0, area - 18 * 9); },
         "error bar command_bars 0 bar: Command bars \xC2\xB7 0. s \xC2\xB7 Command Data: its 10 buttons "
         "from " +
             std::to_string(area - 18 * 9) + " run outside the button table (0 to " + std::to_string(area) +
             ")"},
        {[&](ExeImage& i) { WriteField(i, BarData, 115, -18); },  // a bar of one button
         "error bar command_bars 115 bar: Command bars \xC2\xB7 115. *Cancel \xC2\xB7 Command Data: its 1 "
         "buttons "
         "from -18 run outside the button table (0 to " +
             std::to_string(area) + ")"},
        {[&](ExeImage& i) {
             WriteField(i, BarData, 0, static_cast<std::int64_t>(i.size()) - l.ButtonTable - 179);
         },
         "error bar command_bars 0 bar: Command bars \xC2\xB7 0. s \xC2\xB7 Command Data: its 10 buttons "
         "from " +
             std::to_string(gamekit::buildGameExe(2).bytes.size() - l.ButtonTable - 179) +
             " run past the end of the file"},
        {[&](ExeImage& i) { i.writeU32(l.MapObjectiveTable + 4 * 51, 0x31F); },
         "warning objective maps 51 objective: Maps \xC2\xB7 orc exp 12 \xC2\xB7 Objective: objective 31; "
         "the campaigns know 31 (0 to 30)"},
        {[&](ExeImage& i) { WriteField(i, UnitFnb, 9, code); },
         "error pointer units 9 fnb: Units \xC2\xB7 9. s \xC2\xB7 FNB: points to " + std::to_string(code) +
             ", outside the code object (0 to " + std::to_string(code - 1) + ")"},
        {[&](ExeImage& i) { WriteField(i, ButtonActFn, 36, 0x7FFFFFFF); },
         "error pointer buttons 36 act_fn: Buttons \xC2\xB7 bar 0, button 3 \xC2\xB7 Act Fn: points to "
         "2147483647, outside the code object (0 to " +
             std::to_string(code - 1) + ")"},
    };
    for (const Case& c : cases) {
        ExeImage image = kitImage(2);
        c.fault(image);
        EXPECT_EQ(listed(CheckTables(image, {&strings, 113})), c.expected + "\n");
    }
    // At the limits, nothing: sound 345, icon 112, string 200, objective 30, a pointer to the code object's
    // last byte, a bar of another unit, a bar that ends where the button table does.
    ExeImage image = kitImage(2);
    image.writeU16(l.ReadySoundTable, 345);
    image.writeU16(l.UnitTable, 112);
    image.writeU16(l.UnitTable + 4, 200);
    image.writeU32(l.MapObjectiveTable, 0x31E);
    WriteField(image, UnitFna, 0, code - 1);
    WriteField(image, BarData, 1, 2824);
    WriteField(image, BarData, 2, area - 18 * 8);
    EXPECT_EQ(listed(CheckTables(image, {&strings, 113})), "");
}

TEST(TableChecksTest, NamesAndIconsAreCheckedOnlyWhenKnown) {
    ExeImage image = kitImage(4);
    image.writeU16(kit::kLayouts[4].UnitTable + 4, 60000);
    image.writeU16(kit::kLayouts[4].UnitTable, 60000);
    EXPECT_EQ(CheckTables(image, {}).size(), 0u);
    const std::vector<std::string> strings(10);
    const auto problems = CheckTables(image, {&strings, std::nullopt});
    const auto units = std::count_if(problems.begin(), problems.end(),
                                     [](const Problem& p) { return p.field == &UnitName; });
    EXPECT_EQ(units, 96) << "unit 0's name, and the kit's names 11 to 105 of units 9 to 103";
    EXPECT_EQ(CountOf(problems, Severity::Error), problems.size());
    EXPECT_EQ(CountOf(problems, Severity::Warning), 0u);
}

}  // namespace
}  // namespace zorbel
