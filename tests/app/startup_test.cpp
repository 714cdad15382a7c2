// Program start and the game directory, with scripted prompts and the
// settings in a temporary file.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/about_box.h"
#include "app/application.h"
#include "app/game_version_window.h"
#include "app/main_window.h"
#include "graphics/compress_form.h"
#include "graphics/icon_chooser.h"
#include "pages/maps/objectives_dialog.h"
#include "patch/patch_dialog.h"
#include "tests/support/scripted_prompts.h"
#include "tools/gamekit/demo_archives.h"

namespace zorbel {
namespace {

class StartupTest : public ::testing::Test {
  protected:
    QTemporaryDir temp;
    testsupport::ScriptedPrompts prompts;

    QString iniPath() const { return temp.filePath(QStringLiteral("config/Zorbel.ini")); }
    // A game folder holding war2.exe and its data file, spelt as given.
    QString gameFolder(const QString& name, const QString& data = QStringLiteral("DATA"),
                       const QString& file = QStringLiteral("MAINDAT.WAR")) {
        const QString dir = temp.filePath(name);
        const QString dataDir = dir + QLatin1Char('/') + data;
        EXPECT_EQ(gamekit::writeDemoArchives(dataDir.toStdString()), "");
        QFile::rename(dataDir + QStringLiteral("/MAINDAT.WAR"), dataDir + QLatin1Char('/') + file);
        QFile(dir + QStringLiteral("/WAR2.EXE")).open(QIODevice::WriteOnly);
        return dir;
    }
    QString emptyFolder(const QString& name) {
        const QString dir = temp.filePath(name);
        QDir().mkpath(dir);
        QFile(dir + QStringLiteral("/WAR2.EXE")).open(QIODevice::WriteOnly);
        return dir;
    }
    std::unique_ptr<ZorbelApplication> startWith(QSettingsStore& settings) {
        auto app = std::make_unique<ZorbelApplication>(prompts, settings);
        app->start();
        return app;
    }
};

const QString kLocate = QStringLiteral("open Locate WarCraft II|WarCraft EXE (war2.exe)|");
// What the first show says when the game's archives cannot be read.
const QStringList kNoStrings{
    QStringLiteral(
        "message error|Error|A fatal error has occured during extraction! Error Opening MAINDAT.WAR"),
    QStringLiteral(
        "message error|Error|A fatal error has occured during extraction! Error Opening strdat.war"),
    QStringLiteral("message plain|Zorbel|ERROR Loading strings")};

TEST_F(StartupTest, FirstStartAsksBeforeTheAboutBoxAndRemembersAGoodChoice) {
    const QString game = gameFolder(QStringLiteral("war2"));
    QSettingsStore settings(iniPath());
    prompts.fileAnswers.push_back(game + QStringLiteral("/WAR2.EXE"));
    auto app = startWith(settings);
    EXPECT_EQ(prompts.take(),
              (QStringList{
                  QStringLiteral("message warning|Warning|Please Find war2.exe in the WarCraft Directory..."),
                  kLocate, QStringLiteral("modal AboutBox")}));
    EXPECT_TRUE(settings.keyExists());
    EXPECT_EQ(settings.war2Dir(), game);
    EXPECT_EQ(app->SDIAppForm()->GameDir(), game);
    EXPECT_TRUE(app->SDIAppForm()->isVisible());
    EXPECT_EQ(app->SDIAppForm()->StartDir(), QDir::currentPath());
}

TEST_F(StartupTest, EveryWindowExistsWithItsNameAndCaption) {
    QSettingsStore settings(iniPath());
    auto app = startWith(settings);
    const std::pair<QWidget*, const char*> windows[] = {{app->SDIAppForm(), "SDIAppForm"},
                                                        {app->AboutBox, "AboutBox"},
                                                        {app->chicon, "chicon"},
                                                        {app->CompressForm, "CompressForm"},
                                                        {app->gver, "gver"},
                                                        {app->sobj, "sobj"},
                                                        {app->genpat, "genpat"}};
    for (const auto& [window, name] : windows) {
        ASSERT_NE(window, nullptr) << name;
        EXPECT_EQ(window->objectName(), QLatin1String(name));
    }
    EXPECT_EQ(app->SDIAppForm()->windowTitle(), QStringLiteral("WarCraft II EXE Editor"));
    EXPECT_EQ(app->AboutBox->windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(app->chicon->windowTitle(), QStringLiteral("Select GFX"));
    EXPECT_EQ(app->gver->windowTitle(), QStringLiteral("Game Version"));
    EXPECT_EQ(app->sobj->windowTitle(), QStringLiteral("Select Objectives: "));
    EXPECT_EQ(app->genpat->windowTitle(), QStringLiteral("Create WAR2 EXE Patch"));
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Zorbel"));
}

TEST_F(StartupTest, StoredGoodDirectoryAsksNothingWhateverItsLetterCase) {
    const QString game =
        gameFolder(QStringLiteral("war2"), QStringLiteral("data"), QStringLiteral("maindat.war"));
    QSettingsStore settings(iniPath());
    settings.setWar2Dir(game);
    auto app = startWith(settings);
    EXPECT_EQ(prompts.take(), QStringList{QStringLiteral("modal AboutBox")});
    EXPECT_EQ(app->SDIAppForm()->GameDir(), game);
}

TEST_F(StartupTest, KeyWithoutValueGivesTheOtherWarningAndCancelKeepsItEmpty) {
    QSettingsStore settings(iniPath());
    settings.createKey();
    auto app = startWith(settings);
    EXPECT_EQ(prompts.take(),
              (QStringList{
                   QStringLiteral("message warning|Warning|Please Locate war2.exe in the war2 Directory..."),
                   kLocate, QStringLiteral("modal AboutBox")} +
               kNoStrings));
    EXPECT_TRUE(app->SDIAppForm()->GameDir().isEmpty());
    EXPECT_TRUE(settings.keyExists());
    EXPECT_FALSE(settings.war2Dir().has_value());
}

TEST_F(StartupTest, WrongDirectoryIsUsedButNotStored) {
    const QString stored = emptyFolder(QStringLiteral("moved"));
    const QString wrong = emptyFolder(QStringLiteral("elsewhere"));
    QSettingsStore settings(iniPath());
    settings.setWar2Dir(stored);
    prompts.fileAnswers.push_back(wrong + QStringLiteral("/WAR2.EXE"));
    auto app = startWith(settings);
    EXPECT_EQ(prompts.take().mid(0, 2),
              (QStringList{
                  QStringLiteral("message warning|Warning|Please Locate war2.exe in the war2 Directory..."),
                  QStringLiteral("open Locate WarCraft II|WarCraft EXE (war2.exe)|") + stored}));
    EXPECT_EQ(app->SDIAppForm()->GameDir(), wrong);
    EXPECT_EQ(settings.war2Dir(), stored);
}

TEST_F(StartupTest, ChoosingTheDirectoryStartsFromTheStoredOne) {
    const QString first = gameFolder(QStringLiteral("first"));
    const QString second = gameFolder(QStringLiteral("second"));
    QSettingsStore settings(iniPath());
    settings.setWar2Dir(first);
    auto app = startWith(settings);
    prompts.take();

    prompts.fileAnswers.push_back(second + QStringLiteral("/WAR2.EXE"));
    app->SDIAppForm()->ChooseWarcraftDirectory1Click();
    EXPECT_EQ(
        prompts.take(),
        (QStringList{
            QStringLiteral(
                "message warning|Warning|Please Locate war2.exe in the war2 Directory you wish to use..."),
            QStringLiteral("open Locate WarCraft II|WarCraft EXE (war2.exe)|") + first}));
    EXPECT_EQ(settings.war2Dir(), second);

    prompts.fileAnswers.push_back(std::nullopt);
    app->SDIAppForm()->ChooseWarcraftDirectory1Click();
    EXPECT_EQ(app->SDIAppForm()->GameDir(), second) << "a cancel keeps the stored directory";
}

}  // namespace
}  // namespace zorbel
