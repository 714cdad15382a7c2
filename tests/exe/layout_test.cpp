// The editor's default bars and table spans against the kit's own, which
// are written from the game's descriptions. The layouts themselves are
// checked field by field by the catalogue's contract.
#include <gtest/gtest.h>

#include <algorithm>

#include "tables/catalogue.h"
#include "tools/gamekit/kit_tables.h"

namespace zorbel {
namespace {

namespace kit = gamekit::tables;

TEST(DefaultCommandBars, AreTheCleanExecutables) {
    for (std::size_t u = 0; u < kit::kCommandBarEntries; ++u) {
        EXPECT_EQ(DefaultCommandBars[u].barOffset, kit::kDefaultBars[u].offset) << "unit " << u;
        EXPECT_EQ(DefaultCommandBars[u].count, kit::kDefaultBars[u].count) << "unit " << u;
    }
}

// The bytes the tables cover, as sorted and joined [start, end) ranges.
using Ranges = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
Ranges joined(Ranges spans) {
    std::ranges::sort(spans);
    Ranges out;
    for (const auto& s : spans) {
        if (!out.empty() && s.first <= out.back().second) {
            out.back().second = std::max(out.back().second, s.second);
        } else {
            out.push_back(s);
        }
    }
    return out;
}

TEST(TableExtents, CoverTheGameTablesAndTheirPointers) {
    for (std::size_t v = 0; v < kit::kBuilds; ++v) {
        Ranges product, expected;
        for (const TableExtent& e : TableExtents(VersionLayouts[v])) {
            product.emplace_back(e.start, e.end());
        }
        for (const kit::Extent& e : kit::tableExtents(kit::kLayouts[v])) {
            expected.emplace_back(e.start, e.end);
        }
        EXPECT_EQ(joined(product), joined(expected)) << "build " << v;
        auto pointers = TablePointerPositions(VersionLayouts[v]);
        auto planted = kit::tablePointerPositions(kit::kLayouts[v]);
        std::ranges::sort(pointers);
        std::ranges::sort(planted);
        EXPECT_EQ(pointers, planted) << "build " << v;
    }
}

}  // namespace
}  // namespace zorbel
