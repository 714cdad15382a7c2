#include "base/path_match.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zorbel {
namespace {

namespace fs = std::filesystem;

TEST(PathMatch, FindsPartsInAnyLetterCase) {
    const fs::path root = fs::temp_directory_path() / "zorbel-path-match";
    fs::remove_all(root);
    fs::create_directories(root / "Data");
    std::ofstream(root / "Data" / "maindat.war") << "x";

    EXPECT_EQ(findPathIgnoringCase(root, {"DATA", "MAINDAT.WAR"}), root / "Data" / "maindat.war");
    EXPECT_EQ(findPathIgnoringCase(root, {"data", "MainDat.War"}), root / "Data" / "maindat.war");
    EXPECT_FALSE(findPathIgnoringCase(root, {"DATA", "STRDAT.WAR"}));
    EXPECT_FALSE(findPathIgnoringCase(root, {"DAT", "MAINDAT.WAR"}));
    EXPECT_FALSE(findPathIgnoringCase(root / "missing", {"DATA"}));
    EXPECT_EQ(findPathIgnoringCase(root, {}), root);
    fs::remove_all(root);
}

}  // namespace
}  // namespace zorbel
