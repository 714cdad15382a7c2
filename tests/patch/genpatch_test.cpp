// The genpatch program itself, run as a user would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "exe/exe_file.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class GenpatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("zorbel-genpatch-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "with blank");
        for (std::size_t k = 0; k < clean.size(); ++k) {
            clean[k] = static_cast<std::uint8_t>(k * 13);
        }
        modified = clean;
        modified[100] ^= 0xFF;
        modified.resize(5100, 7);
        write("clean.exe", clean);
        write("with blank/mod ified.exe", modified);
    }
    void TearDown() override { fs::remove_all(dir); }
    void write(const std::string& name, const Bytes& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    int run(const std::string& arguments) {
        const std::string command = "'" + std::string(GENPATCH_PATH) + "' " + arguments + " 2>'" +
                                    (dir / "errors.txt").string() + "'";
        return WEXITSTATUS(std::system(command.c_str()));
    }
    std::string path(const std::string& name) { return "'" + (dir / name).string() + "'"; }
    Bytes read(const std::string& name) {
        return zorbel::readWholeFile((dir / name).string(), 1 << 20).value();
    }
    std::string make(const std::string& patch) {
        return path("clean.exe") + " " + path("with blank/mod ified.exe") + " " + path(patch);
    }

    fs::path dir;
    Bytes clean = Bytes(5000), modified;
};

TEST_F(GenpatchTest, WritesBpsOrByItsNameIpsAndAppliesThem) {
    ASSERT_EQ(run(make("test.pat")), 0);
    ASSERT_EQ(run(make("test.IPS")), 0);
    const Bytes bps = read("test.pat"), ips = read("test.IPS");
    EXPECT_EQ(Bytes(bps.begin(), bps.begin() + 4), (Bytes{'B', 'P', 'S', '1'}));
    EXPECT_EQ(Bytes(ips.begin(), ips.begin() + 5), (Bytes{'P', 'A', 'T', 'C', 'H'}));
    ASSERT_EQ(run("--apply " + path("test.pat") + " " + path("clean.exe") + " " + path("out.exe")), 0);
    EXPECT_EQ(read("out.exe"), modified);
}

TEST_F(GenpatchTest, RefusesWithoutWriting) {
    ASSERT_EQ(run(make("test.pat")), 0);
    write("other.exe", modified);
    auto cut = read("test.pat");
    cut.resize(cut.size() - 3);
    write("cut.pat", cut);
    for (const std::string& arguments :
         {"--apply " + path("test.pat") + " " + path("other.exe") + " " + path("out.exe"),
          "--apply " + path("cut.pat") + " " + path("clean.exe") + " " + path("out.exe")}) {
        EXPECT_EQ(run(arguments), 1) << arguments;
        EXPECT_FALSE(fs::exists(dir / "out.exe"));
    }
    // Never over its own inputs.
    EXPECT_EQ(run(make("clean.exe")), 1);
    EXPECT_EQ(run(make("with blank/mod ified.exe")), 1);
    EXPECT_EQ(read("with blank/mod ified.exe"), modified);
    EXPECT_EQ(run("--apply " + path("test.pat") + " " + path("clean.exe") + " " + path("clean.exe")), 1);
    EXPECT_EQ(read("clean.exe"), clean);
    // A missing input names itself.
    EXPECT_EQ(run(path("none.exe") + " " + path("clean.exe") + " " + path("x.pat")), 1);
    std::ifstream errors(dir / "errors.txt");
    const std::string message((std::istreambuf_iterator<char>(errors)), std::istreambuf_iterator<char>());
    EXPECT_NE(message.find("none.exe"), std::string::npos);
    EXPECT_EQ(run(""), 2) << "usage";
}

}  // namespace
