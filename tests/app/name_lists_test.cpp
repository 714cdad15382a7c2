// The name lists filled at the main window's first show, what a screen
// reader reads of them, and the archive reader's error boxes.
#include <QAccessible>
#include <QComboBox>
#include <QListWidget>

#include "pages/commands/commands_page.h"
#include "pages/sounds/sound_page.h"
#include "pages/units/units_page.h"
#include "tests/support/gui_fixture.h"
#include "tools/gamekit/demo_strings.h"
#include "ui/game_text.h"
#include "ui_commands_page.h"
#include "ui_sound_page.h"
#include "ui_units_page.h"

namespace zorbel {
namespace {

class NameListsTest : public testsupport::AppFixture {
  protected:
    QListWidget* unitList() { return window->unitsPage().ui().UnitList; }
};

TEST_F(NameListsTest, FilledFromTheGameStrings) {
    start(gameFolder(QStringLiteral("game")));
    EXPECT_EQ(prompts.take(), QStringList{QStringLiteral("modal AboutBox")});
    const auto strings = gamekit::demoStrings();
    QComboBox* nmlist = window->unitsPage().ui().nmlist;
    QComboBox* lblist = window->commandsPage().ui().lblist;
    ASSERT_EQ(nmlist->count(), static_cast<int>(strings.size()));
    ASSERT_EQ(lblist->count(), static_cast<int>(strings.size()));
    // A row keeps its raw bytes for drawing; its text is what it shows.
    const int label = gamekit::kFirstLabelString;
    EXPECT_EQ(lblist->itemData(label, kGameBytesRole).toByteArray(), QByteArray("\x02M\x01ove"));
    EXPECT_EQ(lblist->itemText(label), QStringLiteral("Move"));
    lblist->setCurrentIndex(label);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(lblist)->text(QAccessible::Value),
              QStringLiteral("Move"));

    const std::pair<int, const char*> rows[] = {{0, "0. Footman"},
                                                {102, "102. Runestone"},
                                                {103, "103. Human Wall"},
                                                {104, "104. Orc Wall"},
                                                {115, "115. *Cancel"}};
    ASSERT_EQ(unitList()->count(), 120);
    for (const auto& [row, text] : rows) {
        EXPECT_EQ(unitList()->item(row)->text(), QLatin1String(text));
        EXPECT_EQ(window->commandsPage().ui().CmdList->item(row)->text(), QLatin1String(text));
    }
    QListWidget* sounds = window->soundPage().ui().soundlist;
    ASSERT_EQ(sounds->count(), 345);
    EXPECT_EQ(sounds->item(344)->text(), QStringLiteral("Sound #345"));
}

TEST_F(NameListsTest, AScreenReaderReadsNoColourCodes) {
    QListWidget list;
    addGameRow(&list, "1. \x03Red\x01 and plain\xFFhidden");
    EXPECT_EQ(list.item(0)->data(Qt::AccessibleTextRole).toString(), QStringLiteral("1. Red and plain"));
    GameTextCombo combo;
    addGameRow(&combo, "\x02Y\xFFZ");
    EXPECT_EQ(combo.itemText(0), QStringLiteral("YZ")) << "byte 255 switches colour in these lists";
}

TEST_F(NameListsTest, MissingStringsKeepThePlaceholders) {
    const QString game = gameFolder(QStringLiteral("game"), {});
    QDir().mkpath(game + QStringLiteral("/DATA"));
    writeFile(game + QStringLiteral("/DATA/MAINDAT.WAR"), {});  // passes the directory check, holds nothing
    start(game);
    EXPECT_EQ(
        prompts.take(),
        (QStringList{QStringLiteral("modal AboutBox"),
                     QStringLiteral("message error|Error|A fatal error has occured during extraction! The "
                                    "archive's entry table is damaged."),
                     QStringLiteral("message error|Error|A fatal error has occured during extraction! Error "
                                    "Opening strdat.war"),
                     QStringLiteral("message plain|Zorbel|ERROR Loading strings")}));
    ASSERT_EQ(unitList()->count(), 120);
    EXPECT_EQ(unitList()->item(0)->text(), QString());
    EXPECT_EQ(unitList()->item(49)->text(), QStringLiteral("50"));
    EXPECT_EQ(unitList()->item(104)->text(), QStringLiteral("105 +1"));
    EXPECT_EQ(unitList()->item(105)->text(), QStringLiteral("105. Corpse"));
    EXPECT_EQ(window->commandsPage().ui().CmdList->count(), 0);
    EXPECT_EQ(window->unitsPage().ui().nmlist->count(), 0);
    EXPECT_EQ(window->soundPage().ui().soundlist->count(), 345);

    WarArchive& archive = window->archive();
    EXPECT_FALSE(archive.ExtractWarEntry(0, QStringLiteral("nosuch.war")));
    EXPECT_EQ(archive.LastEntrySize, -1);
    EXPECT_EQ(prompts.take(),
              QStringList{QStringLiteral("message error|Error|A fatal error has occured during "
                                         "extraction! Error Opening nosuch.war")});
}

TEST_F(NameListsTest, ExtractionFailuresShowTheirReason) {
    start(gameFolder(QStringLiteral("game")));
    prompts.take();
    WarArchive& archive = window->archive();
    auto entry = archive.ExtractWarEntry(1, QStringLiteral("STRDAT.WAR"));
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(archive.LastEntrySize, static_cast<std::int32_t>(entry->size()));
    EXPECT_FALSE(archive.ExtractWarEntry(4, QStringLiteral("strdat.war")));
    EXPECT_EQ(archive.LastEntrySize, -1);
    EXPECT_EQ(prompts.take(),
              QStringList{QStringLiteral("message error|Error|A fatal error has occured during "
                                         "extraction! An invalid file index was specified!")});
}

}  // namespace
}  // namespace zorbel
