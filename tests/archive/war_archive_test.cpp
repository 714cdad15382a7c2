#include "archive/war_archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "archive/lz_decoder.h"
#include "base/byte_reader.h"
#include "base/path_match.h"
#include "tests/support/temp_dir.h"
#include "tools/gamekit/archive_builder.h"

namespace zorbel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}
Result<Bytes> entry(const Bytes& archive, std::int32_t index) {
    std::istringstream in(std::string(archive.begin(), archive.end()));
    return ReadWarEntry(in, index);
}

TEST(WarArchive, EntriesTakeTheirLengthFromTheLayoutAndCompressedOnesAreDecoded) {
    Bytes big;
    for (int i = 0; i < 20000; ++i) {
        big.push_back(static_cast<std::uint8_t>(i % 251 < 100 ? i % 7 : i % 251));
    }
    // Stated sizes that are not the data's: the length comes from the next entry's offset.
    const std::vector<gamekit::ArchiveEntry> entries{
        {text("first entry"), false, 999},
        {big, true, {}},
        {text("second"), false, {}},
        {{}, true, {}},
        {text("the last runs to the end of the file"), false, 3}};
    for (bool unsorted : {false, true}) {
        const Bytes archive = gamekit::buildArchive(entries, unsorted);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(entry(archive, i).value(), entries[static_cast<std::size_t>(i)].data) << i << unsorted;
        }
    }
}

TEST(WarArchive, RefusesWhatItCannotRead) {
    const Bytes archive = gamekit::buildArchive({{text("abc"), false, {}}, {text("defgh"), true, {}}});
    auto with32 = [&](std::size_t at, std::uint32_t v) {
        Bytes b = archive;
        storeU32(b, at, v);
        return b;
    };
    const char *badIndex = "An invalid file index was specified!",
               *table = "The archive's entry table is damaged.",
               *outside = "The entry lies outside the archive.";
    const std::tuple<Bytes, std::int32_t, const char*> cases[] = {
        {archive, 2, badIndex},
        {archive, -1, badIndex},
        {Bytes(archive.begin(), archive.end() - 2), 1, "The entry's data is damaged."},  // cut short
        {with32(4, 5000), 0, table},                                // a table longer than the file
        {with32(12, 0x7FFFFFF0), 1, outside},                       // an entry beyond the end
        {with32(12, loadU32(archive, 8).value() + 2), 0, outside},  // no room for its header
        {Bytes{1, 2, 3}, 0, table},
    };
    for (const auto& [bytes, index, reason] : cases) {
        EXPECT_EQ(entry(bytes, index).error(), reason) << index << " " << bytes.size();
    }
}

TEST(WarArchive, FilesAreFoundInAnyCaseAndOpeningErrorsNamed) {
    const testsupport::TempDir temp;
    const fs::path& dir = temp.path();
    temp.put("Data/STRDAT.WAR",
             Bytes{0x19, 0, 0, 0, 1, 0, 0, 0, 12, 0, 0, 0, 1, 0, 0, 0, 's'});  // one stored entry
    const auto path = findArchive(dir, "strdat.war");
    EXPECT_EQ(path, dir / "Data" / "STRDAT.WAR");
    EXPECT_FALSE(findArchive(dir, "rezdat.war"));
    EXPECT_EQ(ReadWarEntry(*path, 0, "strdat.war").value(), text("s"));
    EXPECT_EQ(std::tuple(ReadWarEntry(dir / "missing.war", 0, "missing.war").error(),
                         ReadWarEntry(dir, 0, "folder").error()),
              std::tuple("Error Opening missing.war", "Error Opening folder"));
}

TEST(PathMatch, FindsPartsInAnyLetterCase) {
    const testsupport::TempDir temp;
    const fs::path& root = temp.path();
    temp.put("Data/maindat.war", "x");
    EXPECT_EQ(std::tuple(findPathIgnoringCase(root, {"DATA", "MAINDAT.WAR"}),
                         findPathIgnoringCase(root, {"data", "MainDat.War"})),
              std::tuple(root / "Data" / "maindat.war", root / "Data" / "maindat.war"));
    EXPECT_FALSE(findPathIgnoringCase(root, {"DATA", "STRDAT.WAR"}) ||
                 findPathIgnoringCase(root, {"DAT", "MAINDAT.WAR"}) ||
                 findPathIgnoringCase(root / "missing", {"DATA"}));
    EXPECT_EQ(findPathIgnoringCase(root, {}), root);
}

}  // namespace
}  // namespace zorbel
