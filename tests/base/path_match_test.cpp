#include "base/path_match.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace zorbel {
namespace {

namespace fs = std::filesystem;

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
