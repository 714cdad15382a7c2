// The main window's file commands, unsaved-changes questions, status-bar
// hints and error report, driven offscreen with scripted prompts.
#include "app/main_window.h"

#include <QAction>
#include <QEnterEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/application.h"
#include "app/game_version_window.h"
#include "app/handler.h"
#include "tests/support/scripted_prompts.h"
#include "tools/gamekit/game_exe.h"
#include "ui_game_version.h"

namespace zorbel {
namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings = std::make_unique<QSettingsStore>(temp.filePath(QStringLiteral("Zorbel.ini")));
        settings->createKey();
        settings->setWar2Dir(temp.path());
        app = std::make_unique<ZorbelApplication>(prompts, *settings);
        app->start();
        window = app->SDIAppForm();
        prompts.take();
    }

    QString writeExe(const QString& name, const std::vector<std::uint8_t>& bytes) {
        const QString path = temp.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path;
    }
    QString openBuild(int build, const QString& name = QStringLiteral("game.exe")) {
        const QString path = writeExe(name, gamekit::buildGameExe(build).bytes);
        prompts.fileAnswers.push_back(path);
        trigger("OpenItem");
        return path;
    }
    void trigger(const char* action) { window->findChild<QAction*>(QLatin1String(action))->trigger(); }
    QByteArray fileBytes(const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    QTemporaryDir temp;
    testsupport::ScriptedPrompts prompts;
    std::unique_ptr<QSettingsStore> settings;
    std::unique_ptr<ZorbelApplication> app;
    TSDIAppForm* window = nullptr;
};

TEST_F(MainWindowTest, FrameHasItsMenusToolBarAndPages) {
    EXPECT_EQ(window->size().width(), 496);
    EXPECT_EQ(window->findChild<QMenu*>(QStringLiteral("FileMenu"))->title(), QStringLiteral("&File"));
    EXPECT_EQ(window->findChild<QMenu*>(QStringLiteral("PatchManager1"))->title(),
              QStringLiteral("&Patch Manager"));
    EXPECT_EQ(window->findChild<QMenu*>(QStringLiteral("Help1"))->title(), QStringLiteral("&Help"));
    EXPECT_EQ(window->findChild<QAction*>(QStringLiteral("ExitItem"))->shortcut(),
              QKeySequence(QStringLiteral("Alt+X")));
    EXPECT_EQ(window->findChild<QAction*>(QStringLiteral("SaveAs1"))->text(), QStringLiteral("Save &As"));
    for (const char* button : {"OpenBtn", "SaveBtn", "ExitBtn"}) {
        auto* tool = window->findChild<QToolButton*>(QLatin1String(button));
        ASSERT_NE(tool, nullptr) << button;
        EXPECT_TRUE(tool->statusTip().isEmpty());
    }
    EXPECT_EQ(window->findChild<QToolButton*>(QStringLiteral("OpenBtn"))->toolTip(), QStringLiteral("Open"));
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1"));
    ASSERT_EQ(pages->count(), 5);
    const QStringList titles{QStringLiteral("Units"), QStringLiteral("Sound Table"),
                             QStringLiteral("Spell Editor"), QStringLiteral("Commands"),
                             QStringLiteral("Maps")};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(pages->tabText(i), titles[i]);
    }
    EXPECT_EQ(pages->currentIndex(), 3);
}

TEST_F(MainWindowTest, OpenSetsTheCaptionForEveryBuild) {
    for (int v = 0; v < 5; ++v) {
        openBuild(v, QStringLiteral("war2-build%1.exe").arg(v));
        EXPECT_EQ(window->image().GameVersion(), v);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("WarCraft II EXE Editor - war2-build%1.exe").arg(v));
    }
    EXPECT_EQ(prompts.log.first(), QStringLiteral("open |WarCraft II EXE (*.exe)|") + temp.path());
}

TEST_F(MainWindowTest, UnknownFileLeavesNoImageAndTheCaption) {
    openBuild(1);
    const QString caption = window->windowTitle();
    prompts.take();
    prompts.fileAnswers.push_back(
        writeExe(QStringLiteral("other.exe"), std::vector<std::uint8_t>(4096, 0xFF)));
    trigger("OpenBtn");
    EXPECT_EQ(prompts.take().last(),
              QStringLiteral("message plain|Zorbel|Fatal error! Unknown version of WarCraft II!"));
    EXPECT_FALSE(window->image().held());
    EXPECT_EQ(window->windowTitle(), caption);
}

TEST_F(MainWindowTest, SaveWritesTheOpenedFileAndSaveAsRefusesWar2Exe) {
    const QString path = openBuild(2);
    window->image().writeU8(0x100, 0xAB);
    EXPECT_TRUE(window->windowTitle().startsWith(QLatin1Char('*')));
    prompts.take();
    trigger("SaveItem");
    EXPECT_TRUE(prompts.take().isEmpty()) << "no dialog for the opened file";
    EXPECT_EQ(static_cast<std::uint8_t>(fileBytes(path)[0x100]), 0xAB);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("WarCraft II EXE Editor - game.exe"));

    prompts.fileAnswers.push_back(temp.filePath(QStringLiteral("war2.exe")));
    trigger("SaveAs1");
    EXPECT_EQ(
        prompts.take().last(),
        QStringLiteral("message plain|Zorbel|ERROR! Cannot Overwrite WAR2.EXE! Choose a different name!"));
    EXPECT_FALSE(QFile::exists(temp.filePath(QStringLiteral("war2.exe"))));
}

TEST_F(MainWindowTest, SaveAfterCloseReportsNoExe) {
    openBuild(0);
    trigger("Close1");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("WarCraft II EXE Editor"));
    prompts.take();
    trigger("SaveBtn");
    EXPECT_EQ(prompts.take(), QStringList{QStringLiteral("message plain|Zorbel|ERROR! No EXE Open!")});
}

TEST_F(MainWindowTest, UnsavedChangesAreAskedForBeforeTheyAreDropped) {
    openBuild(3);
    window->image().writeU8(0x100, 1);
    prompts.take();

    // Cancel keeps everything, for Open, Close and Exit alike.
    for (const char* command : {"OpenItem", "Close1", "ExitItem", "ExitBtn"}) {
        prompts.saveAnswers.push_back(SaveChangesAnswer::Cancel);
        trigger(command);
        EXPECT_EQ(prompts.take(), QStringList{QStringLiteral("ask Save changes to game.exe?")}) << command;
        EXPECT_TRUE(window->image().held());
        EXPECT_TRUE(window->isVisible());
    }
    // Discard on Close drops the image.
    prompts.saveAnswers.push_back(SaveChangesAnswer::Discard);
    trigger("Close1");
    EXPECT_FALSE(window->image().held());

    // Save on Open saves first, then asks for the file to open.
    const QString path = openBuild(3, QStringLiteral("saved.exe"));
    window->image().writeU8(0x100, 7);
    prompts.take();
    prompts.saveAnswers.push_back(SaveChangesAnswer::Save);
    prompts.fileAnswers.push_back(std::nullopt);
    trigger("OpenItem");
    EXPECT_EQ(prompts.take(), (QStringList{QStringLiteral("ask Save changes to saved.exe?"),
                                           QStringLiteral("open |WarCraft II EXE (*.exe)|") + temp.path()}));
    EXPECT_EQ(fileBytes(path)[0x100], 7);

    // Exit with unsaved changes discarded closes the window.
    window->image().writeU8(0x100, 8);
    prompts.saveAnswers.push_back(SaveChangesAnswer::Discard);
    trigger("ExitItem");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, StatusBarShowsTheLongHintUnderTheMouse) {
    auto* status = window->findChild<QStatusBar*>(QStringLiteral("StatusBar"));
    auto* fileMenu = window->findChild<QMenu*>(QStringLiteral("FileMenu"));
    window->findChild<QMenuBar*>(QStringLiteral("MainMenu"))->setActiveAction(fileMenu->menuAction());
    fileMenu->setActiveAction(window->findChild<QAction*>(QStringLiteral("OpenItem")));
    EXPECT_EQ(status->currentMessage(), QStringLiteral("Open a file"));
    fileMenu->setActiveAction(window->findChild<QAction*>(QStringLiteral("SaveAs1")));
    EXPECT_TRUE(status->currentMessage().isEmpty()) << "an item without a hint clears it";
    fileMenu->hide();
    status->showMessage(QStringLiteral("Open a file"));
    auto* button = window->findChild<QToolButton*>(QStringLiteral("OpenBtn"));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(button, &enter);
    EXPECT_TRUE(status->currentMessage().isEmpty());
}

TEST_F(MainWindowTest, ErrorThatEndsAHandlerIsReportedAndTheProgramGoesOn) {
    runHandler(prompts, [] { throw UserError("'x' is not a valid integer value"); });
    runHandler(prompts, [] { throw std::runtime_error("disk on fire"); });
    runHandler(prompts, [] {});
    EXPECT_EQ(prompts.take(),
              (QStringList{QStringLiteral("message error|Zorbel|'x' is not a valid integer value."),
                           QStringLiteral("message error|Zorbel|disk on fire.")}));
}

TEST_F(MainWindowTest, GameVersionWindowShowsTheBuildText) {
    trigger("GameVersion1");
    EXPECT_EQ(prompts.take(), QStringList{QStringLiteral("modal gver")});
    auto& version = app->gver->ui();
    EXPECT_TRUE(version.Edit1->text().isEmpty());
    EXPECT_FALSE(version.Edit1->isEnabled());
    EXPECT_EQ(version.Label1->buddy(), version.Edit1);
    openBuild(2);
    trigger("GameVersion1");
    EXPECT_EQ(version.Edit1->text(), QString::fromStdString(gamekit::versionText(2)));
}

}  // namespace
}  // namespace zorbel
