#pragma once

#include <cstdint>

#include "base/byte_reader.h"
#include "base/result.h"

namespace zorbel {

// A RIFF WAVE image in memory, as the game's archives hold its sounds: PCM,
// 8 or 16 bits, mono or stereo, any rate. The samples stay in the image.
struct WaveImage {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    ByteView samples;

    std::int64_t durationMicroseconds() const;
};

// Parses the image; a header that lies (chunks longer than the image, no
// channels or rate, a format other than PCM) is refused before any sample
// is looked at.
Result<WaveImage> ParseWaveImage(ByteView image);

}  // namespace zorbel
