#include "archive/war_archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "archive/lz_decoder.h"
#include "base/byte_reader.h"
#include "tools/gamekit/archive_builder.h"

namespace zorbel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using gamekit::ArchiveEntry;

class WarArchiveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zorbel-war-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path write(const std::string& name, const Bytes& bytes) {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

    fs::path dir;
};

TEST_F(WarArchiveTest, StoredEntriesTakeTheirLengthFromTheLayout) {
    std::vector<ArchiveEntry> entries{{text("first entry"), false, 999},
                                      {text("second"), false, std::nullopt},
                                      {text("the last runs to the end of the file"), false, 3}};
    for (bool unsorted : {false, true}) {
        const auto path = write("a.war", gamekit::buildArchive(entries, unsorted));
        for (int i = 0; i < 3; ++i) {
            auto r = ReadWarEntry(path, i, "a.war");
            ASSERT_TRUE(r.ok()) << r.error();
            EXPECT_EQ(r.value(), entries[static_cast<std::size_t>(i)].data)
                << i << (unsorted ? " unsorted" : "");
        }
    }
}

TEST_F(WarArchiveTest, CompressedEntriesAreDecoded) {
    Bytes big;
    for (int i = 0; i < 20000; ++i) {
        big.push_back(static_cast<std::uint8_t>(i % 251 < 100 ? i % 7 : i % 251));
    }
    const auto path = write(
        "c.war", gamekit::buildArchive({{text("x"), false, {}}, {big, true, {}}, {{}, true, {}}}, true));
    EXPECT_EQ(ReadWarEntry(path, 1, "c.war").value(), big);
    auto empty = ReadWarEntry(path, 2, "c.war");
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty.value().empty());
}

TEST_F(WarArchiveTest, RefusesWhatItCannotRead) {
    const Bytes archive = gamekit::buildArchive({{text("abc"), false, {}}, {text("defgh"), true, {}}});
    const auto path = write("r.war", archive);
    EXPECT_EQ(ReadWarEntry(path, 2, "r.war").error(), kInvalidIndexReason);
    EXPECT_EQ(ReadWarEntry(path, -1, "r.war").error(), kInvalidIndexReason);
    EXPECT_EQ(ReadWarEntry(dir / "missing.war", 0, "missing.war").error(), "Error Opening missing.war");
    EXPECT_EQ(ReadWarEntry(dir, 0, "folder").error(), "Error Opening folder");

    // Compressed data cut short.
    Bytes cut(archive.begin(), archive.end() - 2);
    EXPECT_EQ(ReadWarEntry(write("cut.war", cut), 1, "cut.war").error(), kDamagedEntryReason);
    // An offset table longer than the file.
    Bytes table = archive;
    storeU16(table, 4, 5000);
    EXPECT_EQ(ReadWarEntry(write("t.war", table), 0, "t.war").error(), kDamagedTableReason);
    // An entry offset beyond the end of the file, or with no room for its header.
    Bytes far = archive;
    storeU32(far, 12, 0x7FFFFFF0);
    EXPECT_EQ(ReadWarEntry(write("f.war", far), 1, "f.war").error(), kEntryOutsideReason);
    Bytes tight = archive;
    storeU32(tight, 12, loadU32(archive, 8).value() + 2);
    EXPECT_EQ(ReadWarEntry(write("h.war", tight), 0, "h.war").error(), kEntryOutsideReason);
    EXPECT_EQ(ReadWarEntry(write("short.war", Bytes{1, 2, 3}), 0, "short.war").error(), kDamagedTableReason);
}

TEST_F(WarArchiveTest, ArchiveNamesMatchInAnyCase) {
    fs::create_directories(dir / "DATA");
    write("DATA/STRDAT.WAR", gamekit::buildArchive({{text("s"), false, {}}}));
    EXPECT_EQ(findArchive(dir, "strdat.war"), dir / "DATA" / "STRDAT.WAR");
    EXPECT_FALSE(findArchive(dir, "rezdat.war"));
}

}  // namespace
}  // namespace zorbel
