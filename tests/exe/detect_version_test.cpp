#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "exe/exe_image.h"

namespace zorbel {
namespace {

// A file of non-text bytes long enough to hold every probe.
std::vector<std::uint8_t> noise(std::size_t size = VersionProbe[4] + kProbeLength) {
    return std::vector<std::uint8_t>(size, 0xFF);
}

void putText(std::vector<std::uint8_t>& f, int build, std::uint8_t fill = 'a') {
    std::memset(f.data() + VersionProbe[static_cast<std::size_t>(build)], fill, kProbeLength);
}

TEST(DetectGameVersion, RecognisesEachBuildByItsProbe) {
    for (int v = 0; v < kBuildCount; ++v) {
        auto f = noise();
        putText(f, v);
        EXPECT_EQ(DetectGameVersion(f), v);
    }
    EXPECT_EQ(DetectGameVersion(noise()), kNoGame);
    EXPECT_EQ(DetectGameVersion({}), kNoGame);
}

TEST(DetectGameVersion, ZeroAndTheTextRangeEdgesPass) {
    auto f = noise();
    putText(f, 2, 0);
    f[VersionProbe[2]] = 0x20;
    f[VersionProbe[2] + kProbeLength - 1] = 0x7D;
    EXPECT_EQ(DetectGameVersion(f), 2);
}

TEST(DetectGameVersion, OneBadByteFallsThroughToTheNextBuild) {
    for (std::uint8_t bad :
         {std::uint8_t{0x7E}, std::uint8_t{0x1F}, std::uint8_t{0x01}, std::uint8_t{0x80}}) {
        auto f = noise();
        putText(f, 0);
        putText(f, 1);
        f[VersionProbe[0] + 100] = bad;
        EXPECT_EQ(DetectGameVersion(f), 1) << int(bad);
        f[VersionProbe[1] + kProbeLength - 1] = bad;
        EXPECT_EQ(DetectGameVersion(f), kNoGame) << int(bad);
    }
}

TEST(DetectGameVersion, FirstMatchWins) {
    auto f = noise();
    putText(f, 3);
    putText(f, 4);
    EXPECT_EQ(DetectGameVersion(f), 3);
    putText(f, 0);
    EXPECT_EQ(DetectGameVersion(f), 0);
}

TEST(DetectGameVersion, ProbesThatDoNotFitAreSkipped) {
    // As long as the probe offset itself: build 0 is skipped, not read.
    std::vector<std::uint8_t> f(VersionProbe[0], 'a');
    EXPECT_EQ(DetectGameVersion(f), kNoGame);
    // Text up to one byte short of the probe's end: still no match.
    f.assign(VersionProbe[0] + kProbeLength - 1, 'a');
    EXPECT_EQ(DetectGameVersion(f), kNoGame);
    f.push_back('a');
    EXPECT_EQ(DetectGameVersion(f), 0);
    // A short file whose build-0 probe is noise and that ends inside build 1's.
    f.assign(VersionProbe[1] + 10, 'a');
    f[VersionProbe[0]] = 0xFF;
    EXPECT_EQ(DetectGameVersion(f), kNoGame);
}

}  // namespace
}  // namespace zorbel
