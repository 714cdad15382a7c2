#include "tools/gamekit/wave_builder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/byte_reader.h"

namespace gamekit {

std::vector<std::uint8_t> buildWave(int sampleRate, int bitsPerSample, int channels,
                                    const std::vector<std::uint8_t>& sampleBytes) {
    std::vector<std::uint8_t> out(44 + sampleBytes.size() + sampleBytes.size() % 2, 0);
    std::memcpy(out.data(), "RIFF", 4);
    zorbel::storeU32(out, 4, static_cast<std::uint32_t>(36 + sampleBytes.size()));
    std::memcpy(out.data() + 8, "WAVEfmt ", 8);
    zorbel::storeU32(out, 16, 16);
    zorbel::storeU16(out, 20, 1);  // PCM
    zorbel::storeU16(out, 22, static_cast<std::uint16_t>(channels));
    zorbel::storeU32(out, 24, static_cast<std::uint32_t>(sampleRate));
    const int blockAlign = channels * bitsPerSample / 8;
    zorbel::storeU32(out, 28, static_cast<std::uint32_t>(sampleRate * blockAlign));
    zorbel::storeU16(out, 32, static_cast<std::uint16_t>(blockAlign));
    zorbel::storeU16(out, 34, static_cast<std::uint16_t>(bitsPerSample));
    std::memcpy(out.data() + 36, "data", 4);
    zorbel::storeU32(out, 40, static_cast<std::uint32_t>(sampleBytes.size()));
    std::copy(sampleBytes.begin(), sampleBytes.end(), out.begin() + 44);  // an odd chunk keeps a pad byte
    return out;
}

std::vector<std::uint8_t> chirpWave(double fromHz, double toHz, int milliseconds, int sampleRate) {
    const int count = sampleRate * milliseconds / 1000;
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(count));
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / count;
        phase += 2 * 3.14159265358979 * (fromHz + (toHz - fromHz) * t) / sampleRate;
        const double envelope = std::min({1.0, t * 20, (1 - t) * 20});
        samples[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(128 + 100 * envelope * std::sin(phase));
    }
    return buildWave(sampleRate, 8, 1, samples);
}

}  // namespace gamekit
