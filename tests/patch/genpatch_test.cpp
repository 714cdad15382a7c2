// The genpatch program itself, run as a user would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class GenpatchTest : public ::testing::Test, protected testsupport::TempDir {
  protected:
    void SetUp() override {
        for (std::size_t k = 0; k < clean.size(); ++k) {
            clean[k] = static_cast<std::uint8_t>(k * 13);
        }
        modified = clean;
        modified[100] ^= 0xFF;
        modified.resize(5100, 7);
        put("clean.exe", clean);
        put("with blank/mod ified.exe", modified);
    }
    int run(const std::string& arguments) {
        const std::string command =
            "'" + std::string(GENPATCH_PATH) + "' " + arguments + " 2>'" + file("errors.txt") + "'";
        return WEXITSTATUS(std::system(command.c_str()));
    }
    std::string quoted(const std::string& name) { return "'" + file(name) + "'"; }
    std::string make(const std::string& patch) {
        return quoted("clean.exe") + " " + quoted("with blank/mod ified.exe") + " " + quoted(patch);
    }

    Bytes clean = Bytes(5000), modified;
};

TEST_F(GenpatchTest, WritesBpsOrByItsNameIpsAppliesThemAndRefusesWithoutWriting) {
    ASSERT_EQ(run(make("test.pat")), 0);
    ASSERT_EQ(run(make("test.IPS")), 0);
    const Bytes bps = read("test.pat"), ips = read("test.IPS");
    EXPECT_EQ(Bytes(bps.begin(), bps.begin() + 4), (Bytes{'B', 'P', 'S', '1'}));
    EXPECT_EQ(Bytes(ips.begin(), ips.begin() + 5), (Bytes{'P', 'A', 'T', 'C', 'H'}));
    ASSERT_EQ(run("--apply " + quoted("test.pat") + " " + quoted("clean.exe") + " " + quoted("out.exe")), 0);
    EXPECT_EQ(read("out.exe"), modified);
    fs::remove(file("out.exe"));

    // What it refuses, it writes nothing for.
    put("other.exe", modified);
    auto cut = read("test.pat");
    cut.resize(cut.size() - 3);
    put("cut.pat", cut);
    for (const std::string& arguments :
         {"--apply " + quoted("test.pat") + " " + quoted("other.exe") + " " + quoted("out.exe"),
          "--apply " + quoted("cut.pat") + " " + quoted("clean.exe") + " " + quoted("out.exe")}) {
        EXPECT_EQ(run(arguments), 1) << arguments;
        EXPECT_FALSE(fs::exists(file("out.exe")));
    }
    // Never over its own inputs.
    EXPECT_EQ(run(make("clean.exe")), 1);
    EXPECT_EQ(run(make("with blank/mod ified.exe")), 1);
    EXPECT_EQ(read("with blank/mod ified.exe"), modified);
    EXPECT_EQ(run("--apply " + quoted("test.pat") + " " + quoted("clean.exe") + " " + quoted("clean.exe")),
              1);
    EXPECT_EQ(read("clean.exe"), clean);
    // A missing input names itself.
    EXPECT_EQ(run(quoted("none.exe") + " " + quoted("clean.exe") + " " + quoted("x.pat")), 1);
    const Bytes message = read("errors.txt");
    EXPECT_NE(std::string(message.begin(), message.end()).find("none.exe"), std::string::npos);
    EXPECT_EQ(run(""), 2) << "usage";
}

}  // namespace
