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
using Bytes = std::vector<std::uint8_t>;

// Answers the dialogs in turn and records everything shown.
struct ScriptedHost : FileCommandHost {
    std::vector<std::optional<std::string>> answers;
    std::vector<std::string> plain, errors, captions, initialDirs;
    int refreshes = 0;
    std::optional<std::string> chooseOpenPath(const std::string& dir) override { return answer(dir); }
    std::optional<std::string> chooseSavePath(const std::string& dir) override { return answer(dir); }
    void showPlainMessage(const std::string& text) override { plain.push_back(text); }
    void showErrorMessage(const std::string& text) override { errors.push_back(text); }
    void setCaption(const std::string& caption) override { captions.push_back(caption); }
    void refreshPages() override { ++refreshes; }
    std::optional<std::string> answer(const std::string& dir) {
        initialDirs.push_back(dir);
        return initialDirs.size() <= answers.size() ? answers[initialDirs.size() - 1] : std::nullopt;
    }
};

class FileCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string writeFile(const std::string& name, const Bytes& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return (dir / name).string();
    }
    Bytes contents(const std::string& path) { return readWholeFile(path, kMaxExecutableSize).value(); }
    std::string open(const std::string& path) {
        host.answers.push_back(path);
        OpenExecutable(image, host, "C:\\GAMES\\WAR2");
        return path;
    }

    fs::path dir =
        fs::temp_directory_path() /
        ("zorbel-files-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    ExeImage image;
    ScriptedHost host;
};

TEST_F(FileCommandsTest, OpenKeepsWhatItCannotReadAndDropsAnUnknownBuild) {
    host.answers.push_back(std::nullopt);
    OpenExecutable(image, host, "");
    EXPECT_EQ(host.refreshes, 1) << "a cancelled dialog still refreshes";
    const auto path = open(writeFile("game.exe", gamekit::buildGameExe(3).bytes));
    EXPECT_EQ(image.GameVersion(), 3);
    EXPECT_EQ(image.fileName(), path);
    EXPECT_EQ(host.captions, std::vector<std::string>{"WarCraft II EXE Editor - game.exe"});
    EXPECT_EQ(host.initialDirs.back(), "C:\\GAMES\\WAR2");

    open((dir / "missing.exe").string());
    open(dir.string());
    EXPECT_EQ(image.GameVersion(), 3) << "the image held before stays";
    EXPECT_EQ(host.errors,
              (std::vector<std::string>{
                  "Error opening \"" + (dir / "missing.exe").string() + "\": No such file or directory",
                  "Error opening \"" + dir.string() + "\": it is a folder, not a file"}));
    open(writeFile("other.exe", Bytes(1000, 0xFF)));
    EXPECT_FALSE(image.held());
    EXPECT_EQ(host.plain, std::vector<std::string>{kUnknownVersionMessage});
    EXPECT_EQ(host.captions.size(), 1u) << "caption unchanged";
    EXPECT_EQ(host.refreshes, 5);
}

TEST_F(FileCommandsTest, SaveWritesTheOpenedFileAndSaveAsAsks) {
    const auto path = open(writeFile("game.exe", gamekit::buildGameExe(1).bytes));
    image.writeU8(100, 0x42);
    SaveExecutable(image, host, "");
    EXPECT_FALSE(image.modified());
    EXPECT_EQ(contents(path)[100], 0x42);
    EXPECT_EQ(host.initialDirs.size(), 1u) << "no dialog";
    EXPECT_EQ(fs::directory_iterator(dir)->path(), fs::path(path)) << "no temporary file left behind";

    host.answers.push_back(std::nullopt);
    SaveExecutableAs(image, host, "GAMEDIR");
    EXPECT_EQ(host.initialDirs.back(), "GAMEDIR");
    host.answers.push_back((dir / "mod.exe").string());
    SaveExecutable(image, host, "");
    EXPECT_EQ(contents((dir / "mod.exe").string()), Bytes(image.bytes().begin(), image.bytes().end()));
    EXPECT_EQ(host.captions.back(), "WarCraft II EXE Editor - mod.exe");

    host.answers.push_back((dir / "War2.Exe").string());
    SaveExecutableAs(image, host, "");
    EXPECT_EQ(host.plain, std::vector<std::string>{kProtectedNameMessage});
    EXPECT_FALSE(fs::exists(dir / "War2.Exe"));
    CloseExecutable(image, host);
    EXPECT_EQ(host.captions.back(), "WarCraft II EXE Editor");
    SaveExecutable(image, host, "");
    EXPECT_EQ(host.plain.back(), kNoExeOpenMessage);
}

TEST_F(FileCommandsTest, AFailedSaveKeepsTheOldFileTheCaptionAndTheChanges) {
    open(writeFile("game.exe", gamekit::buildGameExe(1).bytes));
    const auto target = writeFile("mod.exe", Bytes(5000, 0x11));
    std::size_t written = 0;  // a writer that gives out half-way through the image
    auto failing = [&](const std::uint8_t* data, std::size_t size, std::FILE* f) -> std::size_t {
        if (written > image.size() / 2) {
            errno = ENOSPC;
            return 0;
        }
        written += size;
        return std::fwrite(data, 1, size, f);
    };
    EXPECT_EQ(writeFileReplacing(target, image.bytes(), failing).error(), "No space left on device");
    EXPECT_EQ(contents(target), Bytes(5000, 0x11));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2)
        << "temporary file removed";

    image.writeU8(0, 1);
    host.answers.push_back((dir / "no-such-folder" / "mod.exe").string());
    SaveExecutableAs(image, host, "");
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(
        host.errors[0].rfind("Error saving \"" + (dir / "no-such-folder" / "mod.exe").string() + "\": ", 0),
        0u);
    EXPECT_EQ(host.captions.size(), 1u);
    EXPECT_TRUE(image.modified());
    // A longer file is replaced whole.
    ASSERT_TRUE(writeFileReplacing(writeFile("big.exe", Bytes(image.size() * 2, 0x11)), image.bytes()));
    EXPECT_EQ(contents((dir / "big.exe").string()).size(), image.size());
}

TEST(ExeFile, NamesAndLimits) {
    for (const char* name : {"war2.exe", "C:\\GAMES\\War2.Exe", "/home/me/WAR2.EXE", "D:WAR2.EXE"}) {
        EXPECT_TRUE(isProtectedSaveName(name)) << name;
    }
    for (const char* name : {"WAR2.EXE.BAK", "WAR2X.EXE", "/war2.exe/other.exe", "WAR2.EX"}) {
        EXPECT_FALSE(isProtectedSaveName(name)) << name;
    }
    for (const char* path : {"C:\\A\\B.EXE", "C:B.EXE", "/a/B.EXE", "B.EXE"}) {
        EXPECT_EQ(fileNamePart(path), "B.EXE") << path;
    }
    const auto path = (fs::temp_directory_path() / "zorbel-limit.bin").string();
    std::ofstream(path, std::ios::binary) << std::string(3000, 'x');
    EXPECT_EQ(readWholeFile(path, 3000).value().size(), 3000u);
    EXPECT_FALSE(readWholeFile(path, 2999));
    fs::remove(path);
}

}  // namespace
}  // namespace zorbel
