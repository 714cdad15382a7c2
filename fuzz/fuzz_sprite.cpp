// The sprite converter on any sprite file. The first byte chooses the
// format (bit 0), compressed frames (bit 1), a mask (bit 2), frame offsets
// (bit 3), four frames to a row (bit 4), a frame limit of 0-3 (bits 5-6, 0
// for every frame) and gaps of one pixel between cells (bit 7); the rest is
// the file. Its frame count is cut to 0-15 and its cell and frame sides to
// 0-63, so that a sheet stays small and an input converts in microseconds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/sprite_converter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    zorbel::SpriteOptions o;
    o.format = data[0] & 1;
    o.compressed = (data[0] & 2) != 0;
    o.mask = (data[0] & 4) != 0;
    o.applyFrameOffsets = (data[0] & 8) != 0;
    o.framesPerRow = (data[0] & 16) ? 4 : 1;
    o.frameLimit = (data[0] >> 5) & 3;
    o.gapX = o.gapY = data[0] >> 7;

    std::vector<std::uint8_t> file(data + 1, data + size);
    auto cut = [&](std::size_t at, std::uint8_t keep) {
        if (at < file.size()) {
            file[at] &= keep;
        }
    };
    cut(0, 0x0F);  // the 16-bit frame count
    cut(1, 0);
    // The cell's sides: 8 bits each in format 1, 16 in format 0.
    if (o.format == 1) {
        cut(2, 0x3F);
        cut(3, 0x3F);
    } else {
        cut(2, 0x3F);
        cut(3, 0);
        cut(4, 0x3F);
        cut(5, 0);
    }
    const std::size_t frames = o.format == 1 ? 4 : 6;  // where the frame headers start
    for (std::size_t f = 0; f < 16; ++f) {
        cut(frames + 8 * f + 2, 0x3F);  // the frame's width and height
        cut(frames + 8 * f + 3, 0x3F);
    }

    zorbel::Palette768 palette{};
    auto sheet = zorbel::ConvertSpriteToMemory(file, palette, o);
    if (sheet.ok()) {
        const auto& s = sheet.value();
        const std::size_t stride = (std::size_t{s.width} + 3) & ~std::size_t{3};
        const std::size_t maskStride = ((std::size_t{s.width} + 7) / 8 + 3) & ~std::size_t{3};
        if (s.bitmap.size() != 1078 + stride * s.height ||
            s.mask.size() != (o.mask ? 62 + maskStride * s.height : 0)) {
            __builtin_trap();
        }
    }
    return 0;
}
