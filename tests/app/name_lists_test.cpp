// The name lists filled at the main window's first show, and the archive
// reader's error boxes as the user meets them.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/application.h"
#include "app/game_text.h"
#include "app/main_window.h"
#include "pages/commands/commands_page.h"
#include "pages/sounds/sound_page.h"
#include "pages/units/units_page.h"
#include "tests/support/scripted_prompts.h"
#include "tools/gamekit/demo_archives.h"
#include "tools/gamekit/demo_strings.h"
#include "ui_commands_page.h"
#include "ui_sound_page.h"
#include "ui_units_page.h"

namespace zorbel {
namespace {

class NameListsTest : public ::testing::Test {
  protected:
    void start(bool withArchives) {
        if (withArchives) {
            ASSERT_EQ(gamekit::writeDemoArchives(temp.filePath(QStringLiteral("DATA")).toStdString()), "");
        } else {
            // A game folder that passes the directory check but holds no strings.
            QDir().mkpath(temp.filePath(QStringLiteral("DATA")));
            QFile(temp.filePath(QStringLiteral("DATA/MAINDAT.WAR"))).open(QIODevice::WriteOnly);
        }
        settings = std::make_unique<QSettingsStore>(temp.filePath(QStringLiteral("Zorbel.ini")));
        settings->createKey();
        settings->setWar2Dir(temp.path());
        app = std::make_unique<ZorbelApplication>(prompts, *settings);
        app->start();
        window = app->SDIAppForm();
    }
    QListWidget* unitList() { return window->unitsPage().ui().UnitList; }

    QTemporaryDir temp;
    testsupport::ScriptedPrompts prompts;
    std::unique_ptr<QSettingsStore> settings;
    std::unique_ptr<ZorbelApplication> app;
    TSDIAppForm* window = nullptr;
};

TEST_F(NameListsTest, FilledFromTheGameStrings) {
    start(true);
    EXPECT_EQ(prompts.take(), QStringList{QStringLiteral("modal AboutBox")});
    const auto strings = gamekit::demoStrings();
    QComboBox* nmlist = window->unitsPage().ui().nmlist;
    QComboBox* lblist = window->commandsPage().ui().lblist;
    ASSERT_EQ(nmlist->count(), static_cast<int>(strings.size()));
    ASSERT_EQ(lblist->count(), static_cast<int>(strings.size()));
    EXPECT_EQ(nmlist->itemText(0), QString::fromStdString(strings[0]));
    // Rows keep the raw bytes, colour codes included, for drawing.
    const int label = gamekit::kFirstLabelString;
    EXPECT_EQ(lblist->itemData(label, kGameBytesRole).toByteArray(), QByteArray("\x02M\x01ove"));

    ASSERT_EQ(unitList()->count(), 120);
    EXPECT_EQ(unitList()->item(0)->text(), QStringLiteral("0. Footman"));
    EXPECT_EQ(unitList()->item(102)->text(), QStringLiteral("102. Runestone"));
    EXPECT_EQ(unitList()->item(103)->text(), QStringLiteral("103. Human Wall"));
    EXPECT_EQ(unitList()->item(104)->text(), QStringLiteral("104. Orc Wall"));
    EXPECT_EQ(unitList()->item(115)->text(), QStringLiteral("115. *Cancel"));
    QListWidget* cmdList = window->commandsPage().ui().CmdList;
    ASSERT_EQ(cmdList->count(), 120);
    for (int row : {0, 57, 104, 119}) {
        EXPECT_EQ(cmdList->item(row)->text(), unitList()->item(row)->text());
    }
    QListWidget* sounds = window->soundPage().ui().soundlist;
    ASSERT_EQ(sounds->count(), 345);
    EXPECT_EQ(sounds->item(344)->text(), QStringLiteral("Sound #345"));
}

TEST_F(NameListsTest, MissingStringsKeepThePlaceholders) {
    start(false);
    EXPECT_EQ(
        prompts.take(),
        (QStringList{
            QStringLiteral("modal AboutBox"),
            QStringLiteral(
                "message error|Error|A fatal error has occured during extraction! The archive's entry "
                "table is damaged."),
            QStringLiteral(
                "message error|Error|A fatal error has occured during extraction! Error Opening strdat.war"),
            QStringLiteral("message plain|Zorbel|ERROR Loading strings")}));
    ASSERT_EQ(unitList()->count(), 120);
    EXPECT_EQ(unitList()->item(0)->text(), QString());
    EXPECT_EQ(unitList()->item(49)->text(), QStringLiteral("50"));
    EXPECT_EQ(unitList()->item(104)->text(), QStringLiteral("105 +1"));
    EXPECT_EQ(unitList()->item(105)->text(), QStringLiteral("105. Corpse"));
    EXPECT_EQ(window->commandsPage().ui().CmdList->count(), 0);
    EXPECT_EQ(window->unitsPage().ui().nmlist->count(), 0);
    EXPECT_EQ(window->commandsPage().ui().lblist->count(), 0);
    EXPECT_EQ(window->soundPage().ui().soundlist->count(), 345);
}

TEST_F(NameListsTest, ExtractionFailuresShowTheirReason) {
    start(true);
    prompts.take();
    WarArchive& archive = window->archive();
    auto entry = archive.ExtractWarEntry(1, QStringLiteral("STRDAT.WAR"));
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(archive.LastEntrySize, static_cast<std::int32_t>(entry->size()));
    EXPECT_FALSE(archive.ExtractWarEntry(4, QStringLiteral("strdat.war")));
    EXPECT_EQ(archive.LastEntrySize, -1);
    EXPECT_FALSE(archive.ExtractWarEntry(0, QStringLiteral("nosuch.war")));
    EXPECT_EQ(
        prompts.take(),
        (QStringList{QStringLiteral("message error|Error|A fatal error has occured during extraction! An "
                                    "invalid file index was specified!"),
                     QStringLiteral("message error|Error|A fatal error has occured during extraction! Error "
                                    "Opening nosuch.war")}));
}

}  // namespace
}  // namespace zorbel
