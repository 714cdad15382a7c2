#include "patch/patch_format.h"

#include <gtest/gtest.h>

#include "base/byte_reader.h"
#include "patch/crc32.h"
#include "tools/gamekit/game_exe.h"
#include "tools/gamekit/random.h"

namespace zorbel {
namespace {

// A kit executable and a copy with scattered edits, growth or shrinkage.
struct Pair {
    Bytes clean, modified;
};

Pair editedPair(int edits, std::ptrdiff_t resize = 0) {
    Pair p;
    p.clean = gamekit::buildGameExe(4).bytes;
    p.modified = p.clean;
    gamekit::Random rng(99);
    for (int e = 0; e < edits; ++e) {
        const auto at = rng.below(static_cast<std::uint32_t>(p.modified.size() - 8));
        for (std::uint32_t k = 0; k <= rng.below(4); ++k) {
            p.modified[at + k] ^= static_cast<std::uint8_t>(1 + rng.below(255));
        }
    }
    p.modified.resize(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(p.modified.size()) + resize),
                      0x5A);
    return p;
}

TEST(Crc32, KnownValue) {
    const std::string text = "123456789";
    EXPECT_EQ(Crc32(ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())), 0xCBF43926u);
}

TEST(PatchFormats, RoundTripBothFormats) {
    for (std::ptrdiff_t resize : {std::ptrdiff_t{0}, std::ptrdiff_t{5000}, std::ptrdiff_t{-3000}}) {
        const Pair p = editedPair(1000, resize);
        const Bytes bps = CreateBpsPatch(p.clean, p.modified);
        EXPECT_EQ(ApplyPatch(bps, p.clean).value(), p.modified) << "bps " << resize;
        const Bytes ips = CreateIpsPatch(p.clean, p.modified).value();
        EXPECT_EQ(ApplyPatch(ips, p.clean).value(), p.modified) << "ips " << resize;
        EXPECT_LT(bps.size(), 12000u);
    }
    // Equal files: a patch that changes nothing and still applies.
    const Bytes same = gamekit::buildGameExe(0).bytes;
    EXPECT_EQ(ApplyPatch(CreateBpsPatch(same, same), same).value(), same);
    const Bytes ips = CreateIpsPatch(same, same).value();
    EXPECT_EQ(ips, (Bytes{'P', 'A', 'T', 'C', 'H', 'E', 'O', 'F'}));
    EXPECT_EQ(ApplyPatch(ips, same).value(), same);
    EXPECT_EQ(ApplyPatch(CreateBpsPatch({}, {}), {}).value(), Bytes{});
}

TEST(PatchFormats, IpsNeverWritesARecordAtTheEndMarker) {
    Bytes clean(0x454F46 + 100, 0);
    Bytes modified = clean;
    modified[0x454F46] = 7;
    const Bytes ips = CreateIpsPatch(clean, modified).value();
    EXPECT_EQ((Bytes(ips.begin() + 5, ips.begin() + 8)), (Bytes{0x45, 0x4F, 0x45}))
        << "starts one byte earlier";
    EXPECT_EQ(ApplyIpsPatch(ips, clean).value(), modified);
    EXPECT_FALSE(CreateIpsPatch(Bytes(kIpsLimit + 1, 0), Bytes(10, 0)).ok()) << "over 16 MiB";
}

TEST(PatchFormats, WrongSourceAndDamagedPatchesAreRefused) {
    const Pair p = editedPair(50);
    const Bytes bps = CreateBpsPatch(p.clean, p.modified);
    Bytes other = p.clean;
    other[100] ^= 1;
    EXPECT_EQ(ApplyBpsPatch(bps, other).error(), "The patch was made for another file.");
    EXPECT_FALSE(ApplyBpsPatch(bps, Bytes(p.clean.begin(), p.clean.end() - 1)).ok());
    for (std::size_t cut : {bps.size() - 1, bps.size() / 2, std::size_t{10}}) {
        EXPECT_FALSE(
            ApplyBpsPatch(Bytes(bps.begin(), bps.begin() + static_cast<std::ptrdiff_t>(cut)), p.clean).ok());
    }
    Bytes flipped = bps;
    flipped[20] ^= 0x40;
    EXPECT_EQ(ApplyBpsPatch(flipped, p.clean).error(), "The patch is damaged.");

    // A copy past the end, with a correct patch checksum.
    Bytes bad{'B', 'P', 'S', '1'};
    bad.insert(bad.end(), {0x80 | 4, 0x80 | 8, 0x80});  // source 4, target 8, no metadata
    bad.push_back(0x80 | ((7 << 2) | 0));               // SourceRead of 8 from a 4-byte source
    const Bytes source{1, 2, 3, 4};
    for (std::uint32_t v : {Crc32(source), 0u}) {
        for (int i = 0; i < 4; ++i) {
            bad.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    }
    const std::uint32_t crc = Crc32(bad);
    for (int i = 0; i < 4; ++i) {
        bad.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
    }
    EXPECT_EQ(ApplyBpsPatch(bad, source).error(), "The patch is damaged.");

    const Bytes ips = CreateIpsPatch(p.clean, p.modified).value();
    EXPECT_FALSE(ApplyIpsPatch(Bytes(ips.begin(), ips.end() - 2), p.clean).ok()) << "no end marker";
    EXPECT_FALSE(ApplyPatch(Bytes{'n', 'o', 'p', 'e'}, p.clean).ok());
}

}  // namespace
}  // namespace zorbel
