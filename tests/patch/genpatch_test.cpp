// The genpatch program itself, run as a user would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "exe/exe_file.h"
#include "tools/gamekit/game_exe.h"

namespace {

namespace fs = std::filesystem;

class GenpatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("zorbel-genpatch-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "with blank");
        clean = gamekit::buildGameExe(2).bytes;
        modified = clean;
        modified[0xD0000] = 1;
        modified[0xD1234] ^= 0xFF;
        write("clean.exe", clean);
        write("with blank/mod ified.exe", modified);
    }
    void TearDown() override { fs::remove_all(dir); }
    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    int run(const std::string& arguments) {
        const std::string command = "'" + std::string(GENPATCH_PATH) + "' " + arguments + " 2>'" +
                                    (dir / "errors.txt").string() + "'";
        return WEXITSTATUS(std::system(command.c_str()));
    }
    std::string path(const std::string& name) { return "'" + (dir / name).string() + "'"; }
    std::vector<std::uint8_t> read(const std::string& name) {
        return zorbel::readWholeFile((dir / name).string(), 1 << 26).value();
    }

    fs::path dir;
    std::vector<std::uint8_t> clean, modified;
};

TEST_F(GenpatchTest, MakesAndAppliesBothFormats) {
    for (const std::string patch : {"test.pat", "test.ips"}) {
        ASSERT_EQ(run(path("clean.exe") + " " + path("with blank/mod ified.exe") + " " + path(patch)), 0)
            << patch;
        ASSERT_EQ(run("--apply " + path(patch) + " " + path("clean.exe") + " " + path("out.exe")), 0)
            << patch;
        EXPECT_EQ(read("out.exe"), modified) << patch;
        fs::remove(dir / "out.exe");
    }
}

TEST_F(GenpatchTest, RefusesWithoutWriting) {
    ASSERT_EQ(run(path("clean.exe") + " " + path("with blank/mod ified.exe") + " " + path("test.pat")), 0);
    // The wrong source.
    write("other.exe", modified);
    EXPECT_NE(run("--apply " + path("test.pat") + " " + path("other.exe") + " " + path("out.exe")), 0);
    EXPECT_FALSE(fs::exists(dir / "out.exe"));
    // A damaged patch.
    auto patch = read("test.pat");
    patch.resize(patch.size() - 3);
    write("cut.pat", patch);
    EXPECT_NE(run("--apply " + path("cut.pat") + " " + path("clean.exe") + " " + path("out.exe")), 0);
    EXPECT_FALSE(fs::exists(dir / "out.exe"));
    // Never over its own inputs.
    EXPECT_NE(run(path("clean.exe") + " " + path("with blank/mod ified.exe") + " " + path("clean.exe")), 0);
    EXPECT_EQ(read("clean.exe"), clean);
    EXPECT_NE(run("--apply " + path("test.pat") + " " + path("clean.exe") + " " + path("clean.exe")), 0);
    EXPECT_EQ(read("clean.exe"), clean);
    // A missing input names itself.
    EXPECT_NE(run(path("none.exe") + " " + path("clean.exe") + " " + path("x.pat")), 0);
    std::ifstream errors(dir / "errors.txt");
    std::string message((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
    EXPECT_NE(message.find("none.exe"), std::string::npos);
    EXPECT_EQ(run(""), 2) << "usage";
}

}  // namespace
