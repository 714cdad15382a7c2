#include "exe/file_commands.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "exe/exe_file.h"
#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

namespace fs = std::filesystem;

// Answers the dialogs from a queue and records everything shown.
class ScriptedHost : public FileCommandHost {
  public:
    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> plain, errors, captions, initialDirs;
    int refreshes = 0;

    std::optional<std::string> chooseOpenPath(const std::string& dir) override { return answer(dir); }
    std::optional<std::string> chooseSavePath(const std::string& dir) override { return answer(dir); }
    void showPlainMessage(const std::string& text) override { plain.push_back(text); }
    void showErrorMessage(const std::string& text) override { errors.push_back(text); }
    void setCaption(const std::string& caption) override { captions.push_back(caption); }
    void refreshPages() override { ++refreshes; }

  private:
    std::optional<std::string> answer(const std::string& dir) {
        initialDirs.push_back(dir);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected dialog";
            return std::nullopt;
        }
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

class FileCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zorbel-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const auto path = (dir / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::vector<std::uint8_t> contents(const std::string& path) {
        return readWholeFile(path, kMaxExecutableSize).value();
    }
    std::string openGame(int build = 1) {
        const auto path = writeFile("game.exe", gamekit::buildGameExe(build).bytes);
        host.answers.push_back(path);
        OpenExecutable(image, host, "C:\\GAMES\\WAR2");
        return path;
    }

    fs::path dir;
    ExeImage image;
    ScriptedHost host;
};

TEST_F(FileCommandsTest, OpenRecognisesTheBuildAndSetsTheCaption) {
    const auto path = openGame(3);
    EXPECT_EQ(image.GameVersion(), 3);
    EXPECT_EQ(image.fileName(), path);
    EXPECT_EQ(host.captions.back(), "WarCraft II EXE Editor - game.exe");
    EXPECT_EQ(host.initialDirs.back(), "C:\\GAMES\\WAR2");
    EXPECT_EQ(host.refreshes, 1);
}

TEST_F(FileCommandsTest, UnknownBuildLeavesNoImage) {
    openGame();
    host.answers.push_back(writeFile("other.exe", std::vector<std::uint8_t>(1000, 0xFF)));
    OpenExecutable(image, host, "");
    EXPECT_FALSE(image.held());
    EXPECT_EQ(host.plain, std::vector<std::string>{kUnknownVersionMessage});
    EXPECT_EQ(host.captions.size(), 1u) << "caption unchanged";
    EXPECT_EQ(host.refreshes, 2);
}

TEST_F(FileCommandsTest, UnreadableFileKeepsTheImageHeldBefore) {
    openGame(2);
    const auto revision = image.revision();
    host.answers.push_back((dir / "missing.exe").string());
    OpenExecutable(image, host, "");
    host.answers.push_back(dir.string());  // a folder
    OpenExecutable(image, host, "");
    EXPECT_EQ(image.GameVersion(), 2);
    EXPECT_EQ(image.revision(), revision);
    ASSERT_EQ(host.errors.size(), 2u);
    EXPECT_EQ(host.errors[0],
              openFailureMessage((dir / "missing.exe").string(), "No such file or directory"));
    EXPECT_TRUE(host.plain.empty());
}

TEST_F(FileCommandsTest, CancelledOpenStillRefreshesThePages) {
    host.answers.push_back(std::nullopt);
    OpenExecutable(image, host, "");
    EXPECT_FALSE(image.held());
    EXPECT_EQ(host.refreshes, 1);
}

TEST_F(FileCommandsTest, SaveWritesToTheOpenedFileWithoutAsking) {
    const auto path = openGame();
    EXPECT_FALSE(image.modified());
    image.writeU8(100, 0x42);
    EXPECT_TRUE(image.modified());
    SaveExecutable(image, host, "");
    EXPECT_FALSE(image.modified());
    EXPECT_EQ(contents(path)[100], 0x42);
    EXPECT_TRUE(host.answers.empty());
    EXPECT_EQ(host.captions.back(), "WarCraft II EXE Editor - game.exe");
    EXPECT_EQ(fs::directory_iterator(dir)->path(), fs::path(path)) << "no temporary file left behind";
}

TEST_F(FileCommandsTest, SaveNameRuleRefusesWar2ExeInAnyCase) {
    EXPECT_TRUE(isProtectedSaveName("war2.exe"));
    EXPECT_TRUE(isProtectedSaveName("C:\\GAMES\\War2.Exe"));
    EXPECT_TRUE(isProtectedSaveName("/home/me/WAR2.EXE"));
    EXPECT_TRUE(isProtectedSaveName("D:WAR2.EXE"));
    EXPECT_FALSE(isProtectedSaveName("WAR2.EXE.BAK"));
    EXPECT_FALSE(isProtectedSaveName("WAR2X.EXE"));
    EXPECT_FALSE(isProtectedSaveName("/war2.exe/other.exe"));

    openGame();
    const auto target = (dir / "war2.exe").string();
    host.answers.push_back(target);
    SaveExecutableAs(image, host, "");
    EXPECT_EQ(host.plain, std::vector<std::string>{kProtectedNameMessage});
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(image.fileName(), target) << "the chosen name stays";
}

TEST_F(FileCommandsTest, SaveAsAsksAndCancelWritesNothing) {
    openGame();
    host.answers.push_back(std::nullopt);
    SaveExecutableAs(image, host, "GAMEDIR");
    EXPECT_EQ(host.initialDirs.back(), "GAMEDIR");
    EXPECT_TRUE(image.fileName().empty());
    host.answers.push_back((dir / "mod.exe").string());
    SaveExecutable(image, host, "");
    EXPECT_EQ(contents((dir / "mod.exe").string()),
              std::vector<std::uint8_t>(image.bytes().begin(), image.bytes().end()));
    EXPECT_EQ(host.captions.back(), "WarCraft II EXE Editor - mod.exe");
}

TEST_F(FileCommandsTest, SaveAfterCloseReportsNoExe) {
    openGame();
    CloseExecutable(image, host);
    EXPECT_EQ(host.captions.back(), "WarCraft II EXE Editor");
    SaveExecutable(image, host, "");
    SaveExecutableAs(image, host, "");
    EXPECT_EQ(host.plain, (std::vector<std::string>{kNoExeOpenMessage, kNoExeOpenMessage}));
}

TEST_F(FileCommandsTest, FailedSaveKeepsTheOldFileAndTheCaption) {
    openGame();
    const auto target = writeFile("mod.exe", std::vector<std::uint8_t>(5000, 0x11));
    // A writer that gives out half-way through the image.
    std::size_t written = 0;
    auto failing = [&](const std::uint8_t* data, std::size_t size, std::FILE* f) -> std::size_t {
        if (written > image.size() / 2) {
            errno = ENOSPC;
            return 0;
        }
        written += size;
        return std::fwrite(data, 1, size, f);
    };
    auto status = writeFileReplacing(target, image.bytes(), failing);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error(), "No space left on device");
    EXPECT_EQ(contents(target), std::vector<std::uint8_t>(5000, 0x11));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2)
        << "temporary file removed";

    // Through the command: a folder that does not exist cannot take the file.
    const auto captions = host.captions.size();
    host.answers.push_back((dir / "no-such-folder" / "mod.exe").string());
    SaveExecutableAs(image, host, "");
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("no-such-folder"), std::string::npos);
    EXPECT_NE(host.errors[0].find("No such file or directory"), std::string::npos);
    EXPECT_EQ(host.captions.size(), captions);
    image.writeU8(0, 1);
    host.answers.push_back((dir / "no-such-folder" / "mod.exe").string());
    SaveExecutableAs(image, host, "");
    EXPECT_TRUE(image.modified()) << "a failed save leaves the changes unsaved";
}

TEST_F(FileCommandsTest, SaveReplacesAnExistingFileWhole) {
    openGame();
    const auto target = writeFile("big.exe", std::vector<std::uint8_t>(image.size() * 2, 0x11));
    ASSERT_TRUE(writeFileReplacing(target, image.bytes()));
    EXPECT_EQ(contents(target).size(), image.size());
}

TEST(ExeFile, ReadWholeFileHonoursTheLimit) {
    const auto path = (fs::temp_directory_path() / "zorbel-limit.bin").string();
    std::ofstream(path, std::ios::binary) << std::string(3000, 'x');
    EXPECT_EQ(readWholeFile(path, 3000).value().size(), 3000u);
    EXPECT_FALSE(readWholeFile(path, 2999));
    fs::remove(path);
    EXPECT_EQ(fileNamePart("C:\\A\\B.EXE"), "B.EXE");
    EXPECT_EQ(fileNamePart("C:B.EXE"), "B.EXE");
    EXPECT_EQ(fileNamePart("B.EXE"), "B.EXE");
}

}  // namespace
}  // namespace zorbel
