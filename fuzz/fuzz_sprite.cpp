// The sprite converter on any sprite file. The first byte chooses the
// format (bit 0), compressed frames (bit 1), a mask (bit 2), frame offsets
// (bit 3) and four frames to a row (bit 4); the rest is the file.
#include <cstddef>
#include <cstdint>

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
    zorbel::Palette768 palette{};
    auto sheet = zorbel::ConvertSpriteToMemory(zorbel::ByteView(data + 1, size - 1), palette, o);
    if (sheet.ok()) {
        const auto& s = sheet.value();
        const std::size_t stride = (std::size_t{s.width} + 3) & ~std::size_t{3};
        if (s.bitmap.size() != 1078 + stride * s.height) {
            __builtin_trap();
        }
    }
    return 0;
}
