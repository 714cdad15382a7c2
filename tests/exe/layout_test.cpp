// Telling the builds apart by their probes, and the editor's default bars
// and table spans against the kit's own, which are written from the game's
// descriptions. The layouts themselves are checked field by field by the
// catalogue's contract.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "exe/exe_image.h"
#include "tables/catalogue.h"
#include "tools/gamekit/kit_tables.h"

namespace zorbel {
namespace {

namespace kit = gamekit::tables;
using kit::kProbeLength;
using kit::kProbes;

// A file of non-text bytes long enough to hold every probe, with text at
// the probes of the given builds.
std::vector<std::uint8_t> file(std::initializer_list<int> builds) {
    std::vector<std::uint8_t> f(kProbes[4] + kProbeLength, 0xFF);
    for (int b : builds) {
        std::memset(f.data() + kProbes[static_cast<std::size_t>(b)], 'a', kProbeLength);
    }
    return f;
}

TEST(DetectGameVersion, TheFirstBuildWhoseProbeIsTextWins) {
    for (int v = 0; v < 5; ++v) {
        EXPECT_EQ(DetectGameVersion(file({v})), v);
    }
    EXPECT_EQ(DetectGameVersion(file({3, 4})), 3);
    EXPECT_EQ(DetectGameVersion(file({4, 0})), 0);
    EXPECT_EQ(DetectGameVersion(file({})), kNoGame);
    EXPECT_EQ(DetectGameVersion({}), kNoGame);
}

TEST(DetectGameVersion, TextIsZeroOrSpaceToBrace) {
    // One byte of build 2's probe, at its first, a middle or its last place.
    const std::pair<std::uint8_t, bool> bytes[] = {{0x00, true},  {0x20, true},  {0x7D, true},
                                                   {0x41, true},  {0x01, false}, {0x1F, false},
                                                   {0x7E, false}, {0x80, false}};
    for (const auto& [b, text] : bytes) {
        for (std::uint32_t at : {0u, 100u, 127u}) {
            auto f = file({2});
            f[kProbes[2] + at] = b;
            EXPECT_EQ(DetectGameVersion(f), text ? 2 : kNoGame) << int(b) << " at " << at;
        }
    }
}

TEST(DetectGameVersion, ProbesThatDoNotFitAreSkipped) {
    EXPECT_EQ(DetectGameVersion(std::vector<std::uint8_t>(kProbes[0], 'a')), kNoGame);
    EXPECT_EQ(DetectGameVersion(std::vector<std::uint8_t>(kProbes[0] + kProbeLength - 1, 'a')), kNoGame);
    EXPECT_EQ(DetectGameVersion(std::vector<std::uint8_t>(kProbes[0] + kProbeLength, 'a')), 0);
    // Build 0's probe is not text, the file ends inside build 1's.
    std::vector<std::uint8_t> f(kProbes[1] + 10, 'a');
    f[kProbes[0]] = 0xFF;
    EXPECT_EQ(DetectGameVersion(f), kNoGame);
}

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
