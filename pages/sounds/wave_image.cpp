#include "pages/sounds/wave_image.h"

#include <cstring>

namespace zorbel {

std::int64_t WaveImage::durationMicroseconds() const {
    const std::int64_t frameBytes = std::int64_t{channels} * (bitsPerSample / 8);
    if (frameBytes <= 0 || sampleRate <= 0) {
        return 0;
    }
    return static_cast<std::int64_t>(samples.size()) / frameBytes * 1'000'000 / sampleRate;
}

Result<WaveImage> ParseWaveImage(ByteView image) {
    using R = Result<WaveImage>;
    auto tag = [&](std::size_t at, const char* four) {
        return fitsIn(image.size(), at, 4) && std::memcmp(image.data() + at, four, 4) == 0;
    };
    if (!tag(0, "RIFF") || !tag(8, "WAVE")) {
        return R::failure("not a RIFF WAVE image");
    }
    const std::uint64_t riffEnd =
        std::min<std::uint64_t>(std::uint64_t{*loadU32(image, 4)} + 8, image.size());
    WaveImage wave;
    bool haveFormat = false;
    std::uint64_t at = 12;
    while (at + 8 <= riffEnd) {
        const std::uint32_t chunkLength = *loadU32(image, at + 4);
        const std::uint64_t body = at + 8;
        if (!fitsIn(riffEnd, body, chunkLength)) {
            return R::failure("a chunk runs past the end of the image");
        }
        if (tag(static_cast<std::size_t>(at), "fmt ")) {
            if (chunkLength < 16) {
                return R::failure("the format chunk is too short");
            }
            const std::uint16_t format = *loadU16(image, body);
            wave.channels = *loadU16(image, body + 2);
            wave.sampleRate = static_cast<int>(std::min<std::uint32_t>(*loadU32(image, body + 4), 1'000'000));
            wave.bitsPerSample = *loadU16(image, body + 14);
            if (format != 1) {
                return R::failure("not PCM");
            }
            if ((wave.channels != 1 && wave.channels != 2) || wave.sampleRate <= 0 ||
                (wave.bitsPerSample != 8 && wave.bitsPerSample != 16)) {
                return R::failure("an unsupported sample format");
            }
            haveFormat = true;
        } else if (tag(static_cast<std::size_t>(at), "data")) {
            if (!haveFormat) {
                return R::failure("the data comes before its format");
            }
            wave.samples = image.subspan(static_cast<std::size_t>(body), chunkLength);
            return wave;
        }
        at = body + chunkLength + (chunkLength & 1);  // chunks are padded to an even length
    }
    return R::failure("no sample data");
}

}  // namespace zorbel
