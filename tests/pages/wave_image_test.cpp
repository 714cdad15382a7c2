#include "pages/sounds/wave_image.h"

#include <gtest/gtest.h>

#include "base/byte_reader.h"
#include "tools/gamekit/wave_builder.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(WaveImage, ReadsPcmOfEveryShape) {
    for (int bits : {8, 16}) {
        for (int channels : {1, 2}) {
            const Bytes samples(4410 * channels * bits / 8, 0x40);
            const Bytes image = gamekit::buildWave(44100, bits, channels, samples);
            auto wave = ParseWaveImage(image);
            ASSERT_TRUE(wave.ok()) << wave.error();
            EXPECT_EQ(wave.value().channels, channels);
            EXPECT_EQ(wave.value().bitsPerSample, bits);
            EXPECT_EQ(wave.value().sampleRate, 44100);
            EXPECT_EQ(wave.value().samples.size(), samples.size());
            EXPECT_EQ(wave.value().durationMicroseconds(), 100000);
        }
    }
    // Other chunks before the samples are stepped over, odd sizes padded.
    Bytes withList = gamekit::buildWave(11025, 8, 1, Bytes(11, 1));
    const Bytes list{'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    withList.insert(withList.begin() + 36, list.begin(), list.end());
    storeU32(withList, 4, static_cast<std::uint32_t>(withList.size() - 8));
    EXPECT_EQ(ParseWaveImage(withList).value().samples.size(), 11u);
}

TEST(WaveImage, RefusesHeadersThatLie) {
    const Bytes good = gamekit::chirpWave(440, 880, 50);
    auto broken = [&](std::size_t at, std::uint32_t value, int width = 4) {
        Bytes b = good;
        width == 4 ? storeU32(b, at, value) : storeU16(b, at, static_cast<std::uint16_t>(value));
        return ParseWaveImage(b);
    };
    EXPECT_FALSE(broken(40, static_cast<std::uint32_t>(good.size())).ok()) << "data longer than the image";
    EXPECT_FALSE(broken(40, 0xFFFFFFFF).ok()) << "a size that would overflow";
    EXPECT_FALSE(broken(22, 0, 2).ok()) << "no channels";
    EXPECT_FALSE(broken(24, 0).ok()) << "no rate";
    EXPECT_FALSE(broken(20, 3, 2).ok()) << "not PCM";
    EXPECT_FALSE(broken(34, 12, 2).ok()) << "12-bit samples";
    EXPECT_FALSE(ParseWaveImage(Bytes(good.begin(), good.begin() + 30)).ok());
    EXPECT_FALSE(ParseWaveImage(Bytes{'n', 'o', 't', ' ', 'w', 'a', 'v', 'e'}).ok());
    EXPECT_FALSE(ParseWaveImage({}).ok());
}

}  // namespace
}  // namespace zorbel
