#include "pages/sounds/wave_image.h"

#include <gtest/gtest.h>

#include "base/byte_reader.h"
#include "tools/gamekit/wave_builder.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(WaveImage, ReadsPcmOfEveryShape) {
    for (const auto& [bits, channels] : {std::pair{8, 1}, {8, 2}, {16, 1}, {16, 2}}) {
        Bytes samples(4410u * channels * bits / 8);
        for (std::size_t k = 0; k < samples.size(); ++k) {
            samples[k] = static_cast<std::uint8_t>(k * 7);
        }
        const Bytes image = gamekit::buildWave(44100, bits, channels, samples);
        const WaveImage wave = ParseWaveImage(image).value();  // a view into the image
        EXPECT_EQ(std::tuple(wave.channels, wave.bitsPerSample, wave.sampleRate),
                  std::tuple(channels, bits, 44100));
        EXPECT_EQ(Bytes(wave.samples.begin(), wave.samples.end()), samples);
        EXPECT_EQ(wave.durationMicroseconds(), 100000);
    }
    // Other chunks before the samples are stepped over, odd sizes padded.
    Bytes withList = gamekit::buildWave(11025, 8, 1, Bytes{1, 2, 3});
    const Bytes list{'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    withList.insert(withList.begin() + 36, list.begin(), list.end());
    storeU32(withList, 4, static_cast<std::uint32_t>(withList.size() - 8));
    const auto samples = ParseWaveImage(withList).value().samples;
    EXPECT_EQ(Bytes(samples.begin(), samples.end()), (Bytes{1, 2, 3}));
    // A data chunk of no samples: its header is the image's last eight bytes.
    EXPECT_TRUE(ParseWaveImage(gamekit::buildWave(11025, 8, 1, {})).value().samples.empty());
}

TEST(WaveImage, RefusesHeadersThatLie) {
    const Bytes good = gamekit::chirpWave(440, 880, 50);
    // Offset, width and value of a field that makes the image unreadable.
    const std::tuple<std::size_t, int, std::uint32_t> broken[] = {
        {40, 4, static_cast<std::uint32_t>(good.size())},  // data longer than the image
        {40, 4, 0xFFFFFFFF},                               // a size that would overflow
        {22, 2, 0},                                        // no channels
        {22, 2, 3},                                        // three channels
        {24, 4, 0},                                        // no rate
        {20, 2, 3},                                        // not PCM
        {34, 2, 12},                                       // 12-bit samples
        {16, 4, 14},                                       // a format chunk too short
        {12, 4, 0x61746164},                               // the data before its format
    };
    for (const auto& [at, width, value] : broken) {
        Bytes b = good;
        width == 4 ? storeU32(b, at, value) : storeU16(b, at, static_cast<std::uint16_t>(value));
        EXPECT_FALSE(ParseWaveImage(b).ok()) << at << " " << value;
    }
    EXPECT_FALSE(ParseWaveImage(Bytes(good.begin(), good.begin() + 30)).ok());
    EXPECT_FALSE(ParseWaveImage(Bytes{'n', 'o', 't', ' ', 'w', 'a', 'v', 'e'}).ok());
    EXPECT_FALSE(ParseWaveImage({}).ok());
}

}  // namespace
}  // namespace zorbel
