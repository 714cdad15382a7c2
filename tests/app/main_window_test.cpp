// Program start and the game directory, the main window's file commands,
// unsaved-changes questions, status-bar hints and error report, and the
// name lists filled at its first show.
#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

#include "app/game_version_window.h"
#include "tests/support/gui_fixture.h"
#include "tools/gamekit/demo_strings.h"
#include "ui/game_text.h"
#include "ui/handler.h"
#include "ui_game_version.h"

namespace zorbel {
namespace {

using namespace Qt::StringLiterals;

using StartupTest = testsupport::AppFixture;
using MainWindowTest = testsupport::EditorFixture;

const QString kLocate = u"open Locate WarCraft II|WarCraft EXE (war2.exe)|"_s;
const QString kFirstStart = u"message warning|Warning|Please Find war2.exe in the WarCraft Directory..."_s;
const QString kLocateAgain = u"message warning|Warning|Please Locate war2.exe in the war2 Directory..."_s;
const QString kAbout = u"modal AboutBox"_s;

TEST_F(StartupTest, FirstStartAsksBeforeTheAboutBoxAndRemembersAGoodChoice) {
    const QString game = gameFolder(u"war2"_s);
    prompts.fileAnswers.push_back(game + u"/WAR2.EXE"_s);
    start(std::nullopt);
    EXPECT_EQ(prompts.take(), (QStringList{kFirstStart, kLocate, kAbout}));
    EXPECT_EQ(std::tuple(settings->war2Dir(), window->GameDir(), window->StartDir()),
              std::tuple(game, game, QDir::currentPath()));
}

TEST_F(StartupTest, StoredDirectoriesWhatIsAskedAndChoosingAnother) {
    // A good one, whatever its letter case, asks nothing.
    const QString lower = gameFolder(u"lower"_s, u"data"_s);
    QFile::rename(lower + u"/data/MAINDAT.WAR"_s, lower + u"/data/maindat.war"_s);
    start(lower);
    EXPECT_EQ(prompts.take(), QStringList{kAbout});
    EXPECT_EQ(window->GameDir(), lower);

    // A wrong one is used when chosen, but not stored.
    const QString moved = gameFolder(u"moved"_s, {});
    const QString elsewhere = gameFolder(u"elsewhere"_s, {});
    prompts.fileAnswers.push_back(elsewhere + u"/WAR2.EXE"_s);
    start(moved);
    EXPECT_EQ(prompts.take().mid(0, 2), (QStringList{kLocateAgain, kLocate + moved}));
    EXPECT_EQ(std::pair(window->GameDir(), settings->war2Dir()), std::pair(elsewhere, std::optional(moved)));

    // The key without a value: the other warning; a cancel keeps it empty.
    start(QString());
    EXPECT_EQ(prompts.take().mid(0, 3), (QStringList{kLocateAgain, kLocate, kAbout}));
    EXPECT_EQ(std::tuple(window->GameDir(), settings->keyExists(), settings->war2Dir()),
              std::tuple(QString(), true, std::optional<QString>()));

    // Choosing the directory starts from the stored one.
    const QString first = gameFolder(u"first"_s);
    const QString second = gameFolder(u"second"_s);
    start(first);
    prompts.take();
    prompts.fileAnswers.push_back(second + u"/WAR2.EXE"_s);
    window->ChooseWarcraftDirectory1Click();
    EXPECT_EQ(prompts.take(),
              (QStringList{kLocateAgain.chopped(3) + u" you wish to use..."_s, kLocate + first}));
    EXPECT_EQ(settings->war2Dir(), second);
    prompts.fileAnswers.push_back(std::nullopt);
    window->ChooseWarcraftDirectory1Click();
    EXPECT_EQ(window->GameDir(), second) << "a cancel keeps the stored directory";
}

TEST_F(StartupTest, AFileGivenOpensAndItsGameFolderIsTakenWhenNoneIsKept) {
    const QString game = gameFolder(u"demo"_s);
    const QString file = game + u"/WAR2.EXE"_s;
    writeFile(file, gamekit::buildGameExe(2).bytes);
    start(std::nullopt, file);
    EXPECT_EQ(prompts.take(), QStringList{kAbout}) << "no question, no dialog";
    EXPECT_EQ(std::pair(settings->war2Dir(), window->image().GameVersion()),
              std::pair(std::optional(game), 2));

    // A directory kept already stays; the file opens all the same.
    const QString other = gameFolder(u"other"_s);
    start(other, file);
    EXPECT_EQ(std::pair(settings->war2Dir(), window->image().GameVersion()),
              std::pair(std::optional(other), 2));

    // A folder without the game's data is no game directory: the first-start question.
    const QString bare = temp.filePath(u"bare.exe"_s);
    writeFile(bare, gamekit::buildGameExe(0).bytes);
    prompts.take();
    prompts.fileAnswers.push_back(std::nullopt);
    start(std::nullopt, bare);
    EXPECT_EQ(prompts.take().mid(0, 2), (QStringList{kFirstStart, kLocate}));
    EXPECT_EQ(window->image().GameVersion(), 0);
    // A file that cannot be read is reported as File, Open reports it.
    start(other, temp.filePath(u"missing.exe"_s));
    EXPECT_TRUE(prompts.take().last().startsWith(u"message error|Zorbel|Error opening \""_s));
    EXPECT_FALSE(window->image().held());
}

TEST_F(MainWindowTest, SaveWritesTheOpenedFileNeedsOneAndIsOfferedBeforeChangesAreDropped) {
    const QString path = openBuild(2);
    window->image().writeU8(0x100, 0xAB);
    EXPECT_TRUE(marked());
    trigger("SaveItem");
    EXPECT_TRUE(prompts.take().isEmpty()) << "no dialog for the opened file";
    EXPECT_EQ(fileBytes(path)[0x100], '\xAB');
    EXPECT_EQ(window->windowTitle(), u"WarCraft II EXE Editor - game.exe"_s);

    trigger("Close1");
    EXPECT_EQ(window->windowTitle(), u"WarCraft II EXE Editor"_s);
    prompts.take();
    trigger("SaveBtn");
    EXPECT_EQ(prompts.take(), QStringList{u"message plain|Zorbel|ERROR! No EXE Open!"_s});

    // Unsaved changes are asked for before they are dropped.
    openBuild(3);
    window->image().writeU8(0x100, static_cast<std::uint8_t>(exe.bytes[0x100] ^ 1));
    // Cancel keeps everything, for Open, Close and Exit alike.
    for (const char* command : {"OpenItem", "OpenBtn", "Close1", "ExitItem", "ExitBtn"}) {
        prompts.saveAnswers.push_back(SaveChangesAnswer::Cancel);
        trigger(command);
        EXPECT_EQ(prompts.take(), QStringList{u"ask Save changes to game.exe?"_s}) << command;
        EXPECT_TRUE(window->image().held() && window->isVisible());
    }
    prompts.saveAnswers.push_back(SaveChangesAnswer::Discard);
    trigger("Close1");
    EXPECT_FALSE(window->image().held());

    // Save on Open saves first, then asks for the file to open.
    const QString saved = openBuild(3, u"saved.exe"_s);
    const auto edited = static_cast<std::uint8_t>(exe.bytes[0x100] ^ 7);
    window->image().writeU8(0x100, edited);
    prompts.saveAnswers.push_back(SaveChangesAnswer::Save);
    prompts.fileAnswers.push_back(std::nullopt);
    trigger("OpenItem");
    EXPECT_EQ(prompts.take(), (QStringList{u"ask Save changes to saved.exe?"_s,
                                           u"open |WarCraft II EXE (*.exe)|"_s + gameDir()}));
    EXPECT_EQ(static_cast<std::uint8_t>(fileBytes(saved)[0x100]), edited);
    window->image().writeU8(0x100, static_cast<std::uint8_t>(edited ^ 0x55));
    QFile::remove(saved);
    QDir().mkpath(saved);  // a save that fails keeps the file open
    prompts.saveAnswers.push_back(SaveChangesAnswer::Save);
    trigger("Close1");
    EXPECT_TRUE(window->image().held());
    prompts.saveAnswers.push_back(SaveChangesAnswer::Discard);
    trigger("ExitItem");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, StatusBarHintsErrorReportAndGameVersion) {
    auto* status = window->findChild<QStatusBar*>(u"StatusBar"_s);
    auto* fileMenu = window->findChild<QMenu*>(u"FileMenu"_s);
    window->findChild<QMenuBar*>(u"MainMenu"_s)->setActiveAction(fileMenu->menuAction());
    fileMenu->setActiveAction(action("OpenItem"));
    EXPECT_EQ(status->currentMessage(), u"Open a file"_s);
    fileMenu->setActiveAction(action("SaveAs1"));
    EXPECT_TRUE(status->currentMessage().isEmpty()) << "an item without a hint clears it";
    fileMenu->hide();
    status->showMessage(u"Open a file"_s);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(window->findChild<QToolButton*>(u"OpenBtn"_s), &enter);
    EXPECT_TRUE(status->currentMessage().isEmpty());

    runHandler(prompts, [] { throw UserError("'x' is not a valid integer value"); });
    runHandler(prompts, [] { throw std::runtime_error("disk on fire"); });
    runHandler(prompts, [] {});
    EXPECT_EQ(prompts.take(), (QStringList{u"message error|Zorbel|'x' is not a valid integer value."_s,
                                           u"message error|Zorbel|disk on fire."_s}));

    trigger("GameVersion1");
    EXPECT_EQ(prompts.take(), QStringList{u"modal gver"_s});
    auto& version = app->gver->ui();
    EXPECT_TRUE(version.Edit1->text().isEmpty());
    EXPECT_FALSE(version.Edit1->isEnabled());
    openBuild(2);
    trigger("GameVersion1");
    EXPECT_EQ(version.Edit1->text(), QString::fromStdString(gamekit::versionText(2)));
}

TEST_F(StartupTest, NameListsAreFilledFromTheGameStrings) {
    start(gameFolder(u"game"_s));
    EXPECT_EQ(prompts.take(), QStringList{kAbout});
    // A row keeps its raw bytes for drawing; a screen reader reads its text.
    QComboBox* lblist = window->commandsPage().ui().lblist;
    const int label = gamekit::kFirstLabelString;
    EXPECT_EQ(lblist->itemData(label, kGameBytesRole).toByteArray(), QByteArray("\x02M\x01ove"));
    lblist->setCurrentIndex(label);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(lblist)->text(QAccessible::Value), u"Move"_s);
    for (QListWidget* list : {window->unitsPage().ui().UnitList, window->commandsPage().ui().CmdList}) {
        ASSERT_EQ(list->count(), 120);
        EXPECT_EQ(list->item(22)->text(), u"22. Kurdan and Sky'ree"_s);
    }
}

TEST(NameLists, AScreenReaderReadsNoColourCodes) {
    QListWidget list;
    addGameRow(&list, "1. \x03Red\x01 and plain\xFFhidden");
    EXPECT_EQ(list.item(0)->data(Qt::AccessibleTextRole).toString(), u"1. Red and plain"_s);
    GameTextCombo combo;
    addGameRow(&combo, "\x02Y\xFFZ");
    EXPECT_EQ(combo.itemText(0), u"YZ"_s) << "byte 255 switches colour in these lists";
}

TEST_F(StartupTest, MissingStringsAreReportedAndTheUnitRowsStay) {
    const QString game = gameFolder(u"game"_s, {});
    QDir().mkpath(game + u"/DATA"_s);
    writeFile(game + u"/DATA/MAINDAT.WAR"_s, {});  // passes the directory check, holds nothing
    start(game);
    EXPECT_EQ(
        prompts.take(),
        (QStringList{kAbout,
                     QStringLiteral("message error|Error|A fatal error has occured during extraction! The "
                                    "archive's entry table is damaged."),
                     QStringLiteral("message error|Error|A fatal error has occured during extraction! Error "
                                    "Opening strdat.war"),
                     u"message plain|Zorbel|ERROR Loading strings"_s}));
    EXPECT_EQ(window->unitsPage().ui().UnitList->count(), 120);
}

}  // namespace
}  // namespace zorbel
