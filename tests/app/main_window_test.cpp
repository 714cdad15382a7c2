// The main window's frame, file commands, unsaved-changes questions,
// status-bar hints and error report, driven offscreen with scripted prompts.
#include <QEnterEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

#include "app/game_version_window.h"
#include "tests/support/gui_fixture.h"
#include "ui/handler.h"
#include "ui_game_version.h"

namespace zorbel {
namespace {

class MainWindowTest : public testsupport::EditorFixture {
  protected:
    bool marked() { return window->windowTitle().startsWith(QLatin1Char('*')); }
};

TEST_F(MainWindowTest, OpenSetsTheCaptionAndAnUnknownFileLeavesNone) {
    for (int v = 0; v < 5; ++v) {
        openBuild(v, QStringLiteral("war2-build%1.exe").arg(v));
        EXPECT_EQ(window->windowTitle(), QStringLiteral("WarCraft II EXE Editor - war2-build%1.exe").arg(v));
    }
    const QString caption = window->windowTitle();
    const QString other = temp.filePath(QStringLiteral("other.exe"));
    writeFile(other, std::vector<std::uint8_t>(4096, 0xFF));
    prompts.fileAnswers.push_back(other);
    trigger("OpenBtn");
    EXPECT_EQ(
        prompts.take(),
        (QStringList{QStringLiteral("open |WarCraft II EXE (*.exe)|") + gameDir(),
                     QStringLiteral("message plain|Zorbel|Fatal error! Unknown version of WarCraft II!")}));
    EXPECT_FALSE(window->image().held());
    EXPECT_EQ(window->windowTitle(), caption);
}

TEST_F(MainWindowTest, SaveWritesTheOpenedFileAndRefusesWar2Exe) {
    const QString path = openBuild(2);
    window->image().writeU8(0x100, 0xAB);
    EXPECT_TRUE(marked());
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

    trigger("Close1");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("WarCraft II EXE Editor"));
    prompts.take();
    trigger("SaveBtn");
    EXPECT_EQ(prompts.take(), QStringList{QStringLiteral("message plain|Zorbel|ERROR! No EXE Open!")});
}

TEST_F(MainWindowTest, UnsavedChangesAreAskedForBeforeTheyAreDropped) {
    openBuild(3);
    window->image().writeU8(0x100, static_cast<std::uint8_t>(exe.bytes[0x100] ^ 1));
    // Cancel keeps everything, for Open, Close and Exit alike.
    for (const char* command : {"OpenItem", "Close1", "ExitItem", "ExitBtn"}) {
        prompts.saveAnswers.push_back(SaveChangesAnswer::Cancel);
        trigger(command);
        EXPECT_EQ(prompts.take(), QStringList{QStringLiteral("ask Save changes to game.exe?")}) << command;
        EXPECT_TRUE(window->image().held());
        EXPECT_TRUE(window->isVisible());
    }
    prompts.saveAnswers.push_back(SaveChangesAnswer::Discard);
    trigger("Close1");
    EXPECT_FALSE(window->image().held());

    // Save on Open saves first, then asks for the file to open.
    const QString path = openBuild(3, QStringLiteral("saved.exe"));
    const auto edited = static_cast<std::uint8_t>(exe.bytes[0x100] ^ 7);
    window->image().writeU8(0x100, edited);
    prompts.saveAnswers.push_back(SaveChangesAnswer::Save);
    prompts.fileAnswers.push_back(std::nullopt);
    trigger("OpenItem");
    EXPECT_EQ(prompts.take(), (QStringList{QStringLiteral("ask Save changes to saved.exe?"),
                                           QStringLiteral("open |WarCraft II EXE (*.exe)|") + gameDir()}));
    EXPECT_EQ(static_cast<std::uint8_t>(fileBytes(path)[0x100]), edited);
    window->image().writeU8(0x100, static_cast<std::uint8_t>(edited ^ 0x55));
    prompts.saveAnswers.push_back(SaveChangesAnswer::Discard);
    trigger("ExitItem");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, StatusBarHintsErrorReportAndGameVersion) {
    auto* status = window->findChild<QStatusBar*>(QStringLiteral("StatusBar"));
    auto* fileMenu = window->findChild<QMenu*>(QStringLiteral("FileMenu"));
    window->findChild<QMenuBar*>(QStringLiteral("MainMenu"))->setActiveAction(fileMenu->menuAction());
    fileMenu->setActiveAction(window->findChild<QAction*>(QStringLiteral("OpenItem")));
    EXPECT_EQ(status->currentMessage(), QStringLiteral("Open a file"));
    fileMenu->setActiveAction(window->findChild<QAction*>(QStringLiteral("SaveAs1")));
    EXPECT_TRUE(status->currentMessage().isEmpty()) << "an item without a hint clears it";
    fileMenu->hide();
    status->showMessage(QStringLiteral("Open a file"));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(window->findChild<QToolButton*>(QStringLiteral("OpenBtn")), &enter);
    EXPECT_TRUE(status->currentMessage().isEmpty());

    runHandler(prompts, [] { throw UserError("'x' is not a valid integer value"); });
    runHandler(prompts, [] { throw std::runtime_error("disk on fire"); });
    runHandler(prompts, [] {});
    EXPECT_EQ(prompts.take(),
              (QStringList{QStringLiteral("message error|Zorbel|'x' is not a valid integer value."),
                           QStringLiteral("message error|Zorbel|disk on fire.")}));

    trigger("GameVersion1");
    EXPECT_EQ(prompts.take(), QStringList{QStringLiteral("modal gver")});
    auto& version = app->gver->ui();
    EXPECT_TRUE(version.Edit1->text().isEmpty());
    EXPECT_FALSE(version.Edit1->isEnabled());
    openBuild(2);
    trigger("GameVersion1");
    EXPECT_EQ(version.Edit1->text(), QString::fromStdString(gamekit::versionText(2)));
}

}  // namespace
}  // namespace zorbel
