// Program start, the game directory and the file given on the command line.
#include <QApplication>

#include "tests/support/gui_fixture.h"

namespace zorbel {
namespace {

using StartupTest = testsupport::AppFixture;

const QString kLocate = QStringLiteral("open Locate WarCraft II|WarCraft EXE (war2.exe)|");
const QString kFirstStart =
    QStringLiteral("message warning|Warning|Please Find war2.exe in the WarCraft Directory...");
const QString kLocateAgain =
    QStringLiteral("message warning|Warning|Please Locate war2.exe in the war2 Directory...");
const QString kAbout = QStringLiteral("modal AboutBox");

TEST_F(StartupTest, FirstStartAsksBeforeTheAboutBoxAndRemembersAGoodChoice) {
    const QString game = gameFolder(QStringLiteral("war2"));
    prompts.fileAnswers.push_back(game + QStringLiteral("/WAR2.EXE"));
    start(std::nullopt);
    EXPECT_EQ(prompts.take(), (QStringList{kFirstStart, kLocate, kAbout}));
    EXPECT_EQ(settings->war2Dir(), game);
    EXPECT_EQ(window->GameDir(), game);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->StartDir(), QDir::currentPath());
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Zorbel"));
}

TEST_F(StartupTest, StoredDirectoriesAndWhatIsAsked) {
    // A good one, whatever its letter case, asks nothing.
    const QString lower = gameFolder(QStringLiteral("lower"), QStringLiteral("data"));
    QFile::rename(lower + QStringLiteral("/data/MAINDAT.WAR"), lower + QStringLiteral("/data/maindat.war"));
    start(lower);
    EXPECT_EQ(prompts.take(), QStringList{kAbout});
    EXPECT_EQ(window->GameDir(), lower);

    // A wrong one is used when chosen, but not stored.
    const QString moved = gameFolder(QStringLiteral("moved"), {});
    const QString elsewhere = gameFolder(QStringLiteral("elsewhere"), {});
    prompts.fileAnswers.push_back(elsewhere + QStringLiteral("/WAR2.EXE"));
    start(moved);
    EXPECT_EQ(prompts.take().mid(0, 2), (QStringList{kLocateAgain, kLocate + moved}));
    EXPECT_EQ(window->GameDir(), elsewhere);
    EXPECT_EQ(settings->war2Dir(), moved);

    // The key without a value: the other warning; a cancel keeps it empty.
    start(QString());
    EXPECT_EQ(prompts.take().mid(0, 3), (QStringList{kLocateAgain, kLocate, kAbout}));
    EXPECT_TRUE(window->GameDir().isEmpty());
    EXPECT_TRUE(settings->keyExists());
    EXPECT_FALSE(settings->war2Dir().has_value());
}

TEST_F(StartupTest, ChoosingTheDirectoryStartsFromTheStoredOne) {
    const QString first = gameFolder(QStringLiteral("first"));
    const QString second = gameFolder(QStringLiteral("second"));
    start(first);
    prompts.take();
    prompts.fileAnswers.push_back(second + QStringLiteral("/WAR2.EXE"));
    window->ChooseWarcraftDirectory1Click();
    EXPECT_EQ(
        prompts.take(),
        (QStringList{QStringLiteral("message warning|Warning|Please Locate war2.exe in the war2 Directory "
                                    "you wish to use..."),
                     kLocate + first}));
    EXPECT_EQ(settings->war2Dir(), second);
    prompts.fileAnswers.push_back(std::nullopt);
    window->ChooseWarcraftDirectory1Click();
    EXPECT_EQ(window->GameDir(), second) << "a cancel keeps the stored directory";
}

TEST_F(StartupTest, AFileGivenOpensAndItsGameFolderIsTakenWhenNoneIsKept) {
    const QString game = gameFolder(QStringLiteral("demo"));
    const QString file = game + QStringLiteral("/WAR2.EXE");
    writeFile(file, gamekit::buildGameExe(2).bytes);
    start(std::nullopt, file);
    EXPECT_EQ(prompts.take(), QStringList{kAbout}) << "no question, no dialog";
    EXPECT_EQ(settings->war2Dir(), game);
    EXPECT_EQ(window->image().GameVersion(), 2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("WarCraft II EXE Editor - WAR2.EXE"));

    // A directory kept already stays; the file opens all the same.
    const QString other = gameFolder(QStringLiteral("other"));
    start(other, file);
    EXPECT_EQ(settings->war2Dir(), other);
    EXPECT_EQ(window->image().GameVersion(), 2);

    // A folder without the game's data is no game directory: the first-start question.
    const QString bare = temp.filePath(QStringLiteral("bare.exe"));
    writeFile(bare, gamekit::buildGameExe(0).bytes);
    prompts.take();
    prompts.fileAnswers.push_back(std::nullopt);
    start(std::nullopt, bare);
    EXPECT_EQ(prompts.take().mid(0, 2), (QStringList{kFirstStart, kLocate}));
    EXPECT_EQ(window->image().GameVersion(), 0);
    // A file that cannot be read is reported as File, Open reports it.
    start(other, temp.filePath(QStringLiteral("missing.exe")));
    EXPECT_TRUE(prompts.take().last().startsWith(QStringLiteral("message error|Zorbel|Error opening \"")));
    EXPECT_FALSE(window->image().held());
}

}  // namespace
}  // namespace zorbel
