#include "exe/file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "exe/exe_file.h"
#include "tests/support/temp_dir.h"
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

class FileCommandsTest : public ::testing::Test, protected testsupport::TempDir {
  protected:
    std::string open(const std::string& path) {
        host.answers.push_back(path);
        OpenExecutable(image, host, "C:\\GAMES\\WAR2");
        return path;
    }

    ExeImage image;
    ScriptedHost host;
};

TEST_F(FileCommandsTest, OpenKeepsWhatItCannotReadAndDropsAnUnknownBuild) {
    host.answers.push_back(std::nullopt);
    OpenExecutable(image, host, "");
    EXPECT_EQ(host.refreshes, 1) << "a cancelled dialog still refreshes";
    const auto opened = open(put("game.exe", gamekit::buildGameExe(3).bytes));
    EXPECT_EQ(std::tuple(image.GameVersion(), image.fileName(), host.initialDirs.back()),
              std::tuple(3, opened, "C:\\GAMES\\WAR2"));
    EXPECT_EQ(host.captions, std::vector<std::string>{"WarCraft II EXE Editor - game.exe"});

    open(file("missing.exe"));
    open(path().string());
    EXPECT_EQ(image.GameVersion(), 3) << "the image held before stays";
    EXPECT_EQ(host.errors, (std::vector<std::string>{
                               "Error opening \"" + file("missing.exe") + "\": No such file or directory",
                               "Error opening \"" + path().string() + "\": it is a folder, not a file"}));
    open(put("other.exe", Bytes(1000, 0xFF)));
    EXPECT_FALSE(image.held());
    EXPECT_EQ(host.plain, std::vector<std::string>{"Fatal error! Unknown version of WarCraft II!"});
    EXPECT_EQ(std::tuple(host.captions.size(), host.refreshes), std::tuple(1u, 5)) << "caption unchanged";
}

TEST_F(FileCommandsTest, SaveWritesTheOpenedFileAndSaveAsAsks) {
    const auto opened = open(put("game.exe", gamekit::buildGameExe(1).bytes));
    image.writeU8(100, 0x42);
    SaveExecutable(image, host, "");
    EXPECT_EQ(std::tuple(image.modified(), read("game.exe")[100]), std::tuple(false, 0x42));
    EXPECT_EQ(host.initialDirs.size(), 1u) << "no dialog";
    EXPECT_EQ(fs::directory_iterator(path())->path(), fs::path(opened)) << "no temporary file left behind";

    host.answers.push_back(std::nullopt);
    SaveExecutableAs(image, host, "GAMEDIR");
    EXPECT_EQ(host.initialDirs.back(), "GAMEDIR");
    host.answers.push_back(file("mod.exe"));
    SaveExecutable(image, host, "");
    EXPECT_EQ(read("mod.exe"), Bytes(image.bytes().begin(), image.bytes().end()));
    EXPECT_EQ(host.captions.back(), "WarCraft II EXE Editor - mod.exe");

    host.answers.push_back(file("War2.Exe"));
    SaveExecutableAs(image, host, "");
    EXPECT_EQ(host.plain,
              std::vector<std::string>{"ERROR! Cannot Overwrite WAR2.EXE! Choose a different name!"});
    EXPECT_FALSE(fs::exists(path() / "War2.Exe"));
    CloseExecutable(image, host);
    EXPECT_EQ(host.captions.back(), "WarCraft II EXE Editor");
    SaveExecutable(image, host, "");
    EXPECT_EQ(host.plain.back(), "ERROR! No EXE Open!");
}

TEST_F(FileCommandsTest, AFailedSaveKeepsTheOldFileTheCaptionAndTheChanges) {
    open(put("game.exe", gamekit::buildGameExe(1).bytes));
    const auto target = put("mod.exe", Bytes(5000, 0x11));
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
    EXPECT_EQ(read("mod.exe"), Bytes(5000, 0x11));
    EXPECT_EQ(std::distance(fs::directory_iterator(path()), fs::directory_iterator()), 2)
        << "temporary file removed";

    image.writeU8(0, 1);
    host.answers.push_back(file("no-such-folder/mod.exe"));
    SaveExecutableAs(image, host, "");
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].rfind("Error saving \"" + file("no-such-folder/mod.exe") + "\": ", 0), 0u);
    EXPECT_EQ(host.captions.size(), 1u);
    EXPECT_TRUE(image.modified());
    // A longer file is replaced whole.
    ASSERT_TRUE(writeFileReplacing(put("big.exe", Bytes(image.size() * 2, 0x11)), image.bytes()));
    EXPECT_EQ(read("big.exe").size(), image.size());
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
    const testsupport::TempDir temp;
    const auto path = temp.put("limit.bin", std::string(3000, 'x'));
    EXPECT_EQ(readWholeFile(path, 3000).value().size(), 3000u);
    EXPECT_FALSE(readWholeFile(path, 2999));
}

}  // namespace
}  // namespace zorbel
