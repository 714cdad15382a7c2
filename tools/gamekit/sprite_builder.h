#pragma once

#include <cstdint>
#include <vector>

namespace gamekit {

// A frame as stored: its header fields and its lines, coded (compressed
// sprites) or w raw bytes each (uncompressed ones).
struct RawFrame {
    std::uint8_t x = 0, y = 0, w = 0, h = 0;
    std::vector<std::vector<std::uint8_t>> lines;
    std::uint32_t offsetFlags = 0;  // OR'd into the stored data offset, e.g. its top bit
};

std::vector<std::uint8_t> buildSpriteFile(int format, std::uint16_t width, std::uint16_t height,
                                          const std::vector<RawFrame>& frames, bool compressed);

// Codes one line of pixels (-1 transparent) with the runs of the format:
// skips, fills (format 0 only) and literals.
std::vector<std::uint8_t> encodeSpriteLine(const std::vector<int>& pixels, int format);

// A frame from its pixels (w * h, -1 transparent), coded with encodeSpriteLine.
RawFrame codedFrame(std::uint8_t w, std::uint8_t h, const std::vector<int>& pixels, int format);

// The game's palette entry: 256 (red, green, blue) triples of 6-bit values.
std::vector<std::uint8_t> demoPalette();

// The demo icon sprite: `count` 46 x 38 frames, each showing its number.
std::vector<std::uint8_t> demoIconSprite(int count);

}  // namespace gamekit
