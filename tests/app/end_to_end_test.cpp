// One field edited on every page, saved under a new name, reopened: exactly
// those bytes differ from the original, and nothing else.
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

#include <set>

#include "pages/commands/command_model.h"
#include "pages/commands/commands_page.h"
#include "pages/maps/maps_page.h"
#include "pages/sounds/sound_model.h"
#include "pages/sounds/sound_page.h"
#include "pages/spells/spell_page.h"
#include "pages/units/units_page.h"
#include "tests/support/gui_fixture.h"
#include "ui_commands_page.h"
#include "ui_maps_page.h"
#include "ui_sound_page.h"
#include "ui_spell_page.h"
#include "ui_units_page.h"

namespace zorbel {
namespace {

using EndToEnd = testsupport::EditorFixture;

TEST_F(EndToEnd, EditEveryPageSaveAndReopen) {
    openBuild(3);
    const auto original = exe.bytes;
    const auto& l = window->image().layout();

    showPage(0);
    window->unitsPage().ui().UnitList->setCurrentRow(5);
    type(window->unitsPage().ui().Edit1, QStringLiteral("99"));
    showPage(1);
    window->soundPage().ui().soundlist->setCurrentRow(9);
    type(window->soundPage().ui().txtEntry, QStringLiteral("12"));
    showPage(2);
    window->spellPage().ui().SpellList->setCurrentRow(40);
    type(window->spellPage().ui().range, QStringLiteral("9"));
    showPage(3);
    window->commandsPage().ui().CmdList->setCurrentRow(2);
    type(window->commandsPage().ui().cpos, QStringLiteral("8"));
    const std::int64_t button = l.ButtonTable + window->commandsPage().ui().offs->text().toLongLong();
    showPage(4);
    window->mapsPage().ui().ListBox2->setCurrentRow(7);
    type(window->mapsPage().ui().resc, QStringLiteral("3"));

    const QString saved = temp.filePath(QStringLiteral("edited.exe"));
    prompts.fileAnswers.push_back(saved);
    window->findChild<QAction*>(QStringLiteral("SaveAs1"))->trigger();
    EXPECT_FALSE(window->image().modified());
    prompts.fileAnswers.push_back(saved);
    window->findChild<QAction*>(QStringLiteral("OpenItem"))->trigger();
    ASSERT_EQ(window->image().GameVersion(), 3);

    std::set<std::size_t> allowed;
    auto allow = [&](std::size_t at, std::size_t count) {
        for (std::size_t k = 0; k < count; ++k) {
            allowed.insert(at + k);
        }
    };
    allow(l.UnitTable + 14 * 5, 6);     // icon (aux and name rewritten as they were)
    allow(l.SoundTable + 18, 2);        // human word of sound 10
    allow(l.SoundTable + 692 + 18, 2);  // orc word, rewritten as it was
    allow(l.SpellRangeTable + 40, 1);   // range of action 40
    allow(l.SpellManaTable + 80, 2);    // the other spell fields, rewritten as they were
    allow(l.SpellRangeTable - 244 + 40, 1);
    allow(l.SpellRangeTable - 183 + 40, 1);
    allow(l.SpellRangeTable - 122 + 80, 2);
    allow(static_cast<std::size_t>(button), 4);
    allow(static_cast<std::size_t>(button) + 12, 6);
    allow(l.MapObjectiveTable + 28, 4);  // rebuilt whole
    allow(l.MapRescueTable + 28, 4);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < original.size(); ++i) {
        if (original[i] != window->image().bytes()[i]) {
            changed.push_back(i);
            EXPECT_TRUE(allowed.count(i)) << "unexpected change at " << std::hex << i;
        }
    }
    EXPECT_GE(changed.size(), 4u);
    EXPECT_EQ(window->image().readU16(l.UnitTable + 70), 99u);
    EXPECT_EQ(DecodeSoundWord(*window->image().readU16(l.SoundTable + 18)).entry, 12);
    EXPECT_EQ(window->image().readU8(l.SpellRangeTable + 40), 9u);
    EXPECT_EQ(ReadButtonRecord(window->image(), static_cast<std::int32_t>(button - l.ButtonTable))->position,
              8);
    EXPECT_EQ(*window->image().readU32(l.MapRescueTable + 28) & 0xFFF, 3u);
}

}  // namespace
}  // namespace zorbel
