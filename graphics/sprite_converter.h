#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace zorbel {

// 256 (red, green, blue) triples, 8 bits each.
using Palette768 = std::array<std::uint8_t, 768>;

struct SpriteOptions {
    int framesPerRow = 1;
    int gapX = 0;
    int gapY = 0;
    std::uint8_t background = 22;
    std::uint8_t lineFill = 22;
    bool compressed = true;
    bool applyFrameOffsets = true;
    int format = 0;      // 0 or 1
    int frameLimit = 0;  // 0: every frame
    bool mask = false;
};

// The converted sheet: complete bitmap files, as they would lie on disk.
struct SpriteSheet {
    int frames = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::vector<std::uint8_t> bitmap;  // 8-bit BMP with the 256-colour palette
    std::vector<std::uint8_t> mask;    // 1-bit BMP of the opaque pixels, when asked for
};

// Told of each frame as the conversion reaches it.
class ConversionProgress {
  public:
    virtual ~ConversionProgress() = default;
    virtual void start(int frames) = 0;
    virtual void frame(int position) = 0;  // 1 ... frames
    virtual void finish() = 0;
};

inline constexpr const char* kConvertErrorPrefix = "Error converting : ";
inline constexpr const char* kReadBeyondEnd = "Read beyond end of file";

// The bitmap headers and palettes of the 8-bit sheet and of the mask.
std::vector<std::uint8_t> BitmapHeader8(std::uint16_t width, std::uint16_t height, const Palette768& palette);
std::vector<std::uint8_t> MaskHeader(std::uint16_t width, std::uint16_t height);
// Writes the header to the stream; the position after it, or 0 when the
// write failed (the reason then in `error`).
std::uint32_t WriteBitmapHeader8(std::uint16_t width, std::uint16_t height, std::ostream& file,
                                 const Palette768& palette, std::string& error);
std::uint32_t WriteMaskHeader(std::uint16_t width, std::uint16_t height, std::ostream& file,
                              std::string& error);

// Decodes one coded line of w pixels into `line` (transparent pixels keep
// what it holds). Each opaque pixel at column p sets bit (bitOffset + p) of
// `mask`, counted from the most significant bit of its first byte; bits past
// its end are dropped. Fails with the control-byte message, or with a
// damaged-line reason when a run carries past w or the coded bytes end first.
Status DecodeSpriteLine(std::size_t w, ByteView coded, std::span<std::uint8_t> line,
                        std::span<std::uint8_t> mask, unsigned bitOffset, int format);

// Converts a sprite file's frames into one sheet. The error is the reason
// alone, to follow "Error converting : ".
Result<SpriteSheet> ConvertSpriteToMemory(ByteView sprite, const Palette768& palette,
                                          const SpriteOptions& options,
                                          ConversionProgress* progress = nullptr);

// The same from and to files. The error is the whole message of the box.
Result<SpriteSheet> ConvertSprite(const std::filesystem::path& source, const std::filesystem::path& bitmap,
                                  const std::optional<std::filesystem::path>& mask, const Palette768& palette,
                                  const SpriteOptions& options, ConversionProgress* progress = nullptr);

// The icons' sprite: this entry of MAINDAT.WAR, its frame count the u16 it starts with.
inline constexpr int kIconSpriteEntry = 356;
// The icon sprite's frame count, from GameDir/DATA/MAINDAT.WAR; nothing when
// it cannot be read.
std::optional<std::size_t> IconSpriteFrames(const std::filesystem::path& gameDir);

}  // namespace zorbel
