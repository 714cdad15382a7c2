#include "graphics/sprite_converter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "archive/war_archive.h"

namespace zorbel {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kBitmapDataOffset = 1078;
constexpr std::uint32_t kMaskDataOffset = 62;
// Far more than any of the game's sprites needs; a damaged header must not
// make the editor ask for gigabytes.
constexpr std::uint64_t kMaxSheetBytes = 16ull << 20;
constexpr std::uint64_t kMaxSheetSide = 0xFFFF;

Bytes fileAndInfoHeader(std::uint16_t width, std::uint16_t height, std::uint32_t stride,
                        std::uint32_t dataOffset, std::uint16_t bits, std::uint32_t colours) {
    Bytes h(54, 0);
    h[0] = 'B';
    h[1] = 'M';
    const std::uint32_t imageSize = stride * height;
    storeU32(h, 2, imageSize + dataOffset);
    storeU32(h, 10, dataOffset);
    storeU32(h, 14, 40);
    storeU32(h, 18, width);
    storeU32(h, 22, height);
    storeU16(h, 26, 1);
    storeU16(h, 28, bits);
    storeU32(h, 34, imageSize);
    storeU32(h, 46, colours);
    storeU32(h, 50, colours);
    return h;
}

std::uint32_t stride8(std::uint16_t width) {
    return (std::uint32_t{width} + 3) & ~3u;
}
std::uint32_t stride1(std::uint16_t width) {
    return ((std::uint32_t{width} + 7) / 8 + 3) & ~3u;
}

std::string controlByteError(std::uint8_t c) {
    static const char* const digits = "0123456789ABCDEF";
    return std::string("Control byte $") + digits[c >> 4] + digits[c & 15] + " found.";
}

std::string damagedLine(std::size_t line, int frame) {
    return "Line " + std::to_string(line) + " of frame " + std::to_string(frame) + " is damaged.";
}

void markMask(std::span<std::uint8_t> mask, std::size_t bit, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k, ++bit) {
        if (bit / 8 < mask.size()) {
            mask[bit / 8] |= static_cast<std::uint8_t>(0x80u >> (bit % 8));
        }
    }
}

// Ends the progress report whichever way the conversion ends.
struct ProgressGuard {
    ConversionProgress* progress;
    ~ProgressGuard() {
        if (progress != nullptr) {
            progress->finish();
        }
    }
};

std::string systemReason() {
    return std::strerror(errno);
}

}  // namespace

std::vector<std::uint8_t> BitmapHeader8(std::uint16_t width, std::uint16_t height,
                                        const Palette768& palette) {
    Bytes h = fileAndInfoHeader(width, height, stride8(width), kBitmapDataOffset, 8, 256);
    for (std::size_t k = 0; k < 256; ++k) {
        h.insert(h.end(), {palette[3 * k + 2], palette[3 * k + 1], palette[3 * k], 0});
    }
    return h;
}

std::vector<std::uint8_t> MaskHeader(std::uint16_t width, std::uint16_t height) {
    Bytes h = fileAndInfoHeader(width, height, stride1(width), kMaskDataOffset, 1, 2);
    h.insert(h.end(), {0, 0, 0, 0, 255, 255, 255, 0});
    return h;
}

namespace {

std::uint32_t writeHeader(const Bytes& header, std::ostream& file, std::string& error) {
    errno = 0;
    file.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    file.flush();
    if (!file) {
        error = errno != 0 ? systemReason() : "write error";
        return 0;
    }
    return static_cast<std::uint32_t>(header.size());
}

}  // namespace

std::uint32_t WriteBitmapHeader8(std::uint16_t width, std::uint16_t height, std::ostream& file,
                                 const Palette768& palette, std::string& error) {
    return writeHeader(BitmapHeader8(width, height, palette), file, error);
}

std::uint32_t WriteMaskHeader(std::uint16_t width, std::uint16_t height, std::ostream& file,
                              std::string& error) {
    return writeHeader(MaskHeader(width, height), file, error);
}

Status DecodeSpriteLine(std::size_t w, ByteView coded, std::span<std::uint8_t> line,
                        std::span<std::uint8_t> mask, unsigned bitOffset, int format) {
    std::size_t count = 0;
    std::size_t in = 0;
    while (count < w) {
        if (in >= coded.size()) {
            return Status::failure("the line ends early");
        }
        const std::uint8_t c = coded[in++];
        if (c == 0x00 || c == 0x80 || (c == 0x40 && format == 0)) {
            return Status::failure(controlByteError(c));
        }
        if (c > 0x80) {  // skip: the pixels stay as the line was filled
            count += c - 0x80u;
            continue;
        }
        const bool fill = format == 0 && c > 0x40;
        const std::size_t run = fill ? c - 0x40u : (c == 0x40 ? 64u : c);
        if (count + run > w || count + run > line.size()) {
            return Status::failure("a run goes past the end of the line");
        }
        if (fill) {
            if (in >= coded.size()) {
                return Status::failure("the line ends early");
            }
            std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(count), run, coded[in++]);
        } else {
            if (coded.size() - in < run) {
                return Status::failure("the line ends early");
            }
            std::copy_n(coded.begin() + static_cast<std::ptrdiff_t>(in), run,
                        line.begin() + static_cast<std::ptrdiff_t>(count));
            in += run;
        }
        markMask(mask, bitOffset + count, run);
        count += run;
    }
    return Done{};
}

Result<SpriteSheet> ConvertSpriteToMemory(ByteView sprite, const Palette768& palette, const SpriteOptions& o,
                                          ConversionProgress* progress) {
    using R = Result<SpriteSheet>;
    const bool format1 = o.format == 1;
    const auto count = loadU16(sprite, 0);
    auto widen = [](std::optional<std::uint8_t> v) -> std::optional<std::uint16_t> {
        if (!v) {
            return std::nullopt;
        }
        return *v;
    };
    const std::optional<std::uint16_t> cellW = format1 ? widen(loadU8(sprite, 2)) : loadU16(sprite, 2);
    const std::optional<std::uint16_t> cellH = format1 ? widen(loadU8(sprite, 3)) : loadU16(sprite, 4);
    if (!count || !cellW || !cellH) {
        return R::failure(kReadBeyondEnd);
    }
    const std::uint64_t headerBase = format1 ? 4 : 6;
    // A limit above the frame count converts the frames there are.
    const std::uint32_t n =
        o.frameLimit > 0 ? std::min<std::uint32_t>(static_cast<std::uint32_t>(o.frameLimit), *count) : *count;
    const std::uint32_t perRow = o.framesPerRow > 0 ? static_cast<std::uint32_t>(o.framesPerRow) : 1;
    const std::uint32_t cw = std::uint32_t{*cellW} + static_cast<std::uint32_t>(o.gapX);
    const std::uint32_t ch = std::uint32_t{*cellH} + static_cast<std::uint32_t>(o.gapY);
    const std::uint32_t rows = (n + perRow - 1) / perRow;

    // A bitmap header holds 16-bit sides here; a larger sheet would wrap.
    const std::uint64_t sheetWidth = std::uint64_t{cw} * perRow;
    const std::uint64_t sheetHeight = std::uint64_t{ch} * rows;
    if (sheetWidth > kMaxSheetSide) {
        return R::failure("The sheet would be wider than 65535 pixels.");
    }
    if (sheetHeight > kMaxSheetSide) {
        return R::failure("The sheet would be taller than 65535 rows.");
    }
    SpriteSheet sheet;
    sheet.width = static_cast<std::uint16_t>(sheetWidth);
    sheet.height = static_cast<std::uint16_t>(sheetHeight);
    const std::uint32_t stride = stride8(sheet.width);
    const std::uint32_t maskStride = stride1(sheet.width);
    if (std::uint64_t{stride} * sheet.height > kMaxSheetBytes) {
        return R::failure("The sheet would be larger than 16 MB.");
    }
    Bytes pixels(std::size_t{stride} * sheet.height, 0);  // top row first
    for (std::uint32_t row = 0; row < sheet.height; ++row) {
        std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(row) * stride, sheet.width, o.background);
    }
    Bytes maskBits(o.mask ? std::size_t{maskStride} * sheet.height : 0, 0);

    ProgressGuard guard{progress};
    if (progress != nullptr) {
        progress->start(static_cast<int>(n));
    }
    Bytes line;
    for (std::uint32_t f = 0; f < n; ++f) {
        if (progress != nullptr) {
            progress->frame(static_cast<int>(f + 1));
        }
        const std::uint64_t at = headerBase + 8ull * f;
        const auto fx = loadU8(sprite, at);
        const auto fy = loadU8(sprite, at + 1);
        const auto fw = loadU8(sprite, at + 2);
        const auto fh = loadU8(sprite, at + 3);
        const auto rawOffset = loadU32(sprite, at + 4);
        if (!fx || !fy || !fw || !fh || !rawOffset) {
            return R::failure(kReadBeyondEnd);
        }
        const std::uint64_t data = *rawOffset & 0x7FFFFFFFu;
        std::uint64_t x = std::uint64_t{cw} * (f % perRow);
        std::uint64_t y = std::uint64_t{ch} * (f / perRow);
        if (o.applyFrameOffsets) {
            x += *fx;
            y += *fy;
        }
        const std::size_t w = *fw;
        line.assign(w, o.lineFill);
        for (std::size_t l = 0; l < *fh; ++l) {
            const std::uint64_t sheetRow = y + l;
            const bool onSheet = sheetRow < sheet.height;
            if (o.compressed) {
                std::fill(line.begin(), line.end(), o.lineFill);
                const auto lineOffset = loadU16(sprite, data + 2 * l);
                if (!lineOffset) {
                    return R::failure(kReadBeyondEnd);
                }
                const std::uint64_t start = data + *lineOffset;
                ByteView coded;
                if (start < sprite.size()) {
                    coded = sprite.subspan(
                        static_cast<std::size_t>(start),
                        static_cast<std::size_t>(std::min<std::uint64_t>(2 * w, sprite.size() - start)));
                }
                std::span<std::uint8_t> maskRow;
                if (o.mask && onSheet && x / 8 < maskStride) {
                    maskRow = std::span<std::uint8_t>(maskBits).subspan(
                        static_cast<std::size_t>(sheetRow * maskStride + x / 8),
                        static_cast<std::size_t>(maskStride - x / 8));
                }
                auto decoded =
                    DecodeSpriteLine(w, coded, line, maskRow, static_cast<unsigned>(x % 8), o.format);
                if (!decoded) {
                    const std::string& why = decoded.error();
                    return R::failure(
                        why.rfind("Control byte", 0) == 0 ? why : damagedLine(l, static_cast<int>(f)));
                }
            } else {
                const std::uint64_t start = data + l * w;
                if (!fitsIn(sprite.size(), start, w)) {
                    return R::failure(kReadBeyondEnd);
                }
                std::copy_n(sprite.begin() + static_cast<std::ptrdiff_t>(start), w, line.begin());
            }
            // Pixels that fall outside the sheet are clipped.
            if (onSheet && x < sheet.width) {
                const auto visible = static_cast<std::size_t>(std::min<std::uint64_t>(w, sheet.width - x));
                std::copy_n(line.begin(), visible,
                            pixels.begin() + static_cast<std::ptrdiff_t>(sheetRow * stride + x));
            }
        }
    }
    sheet.frames = static_cast<int>(n);

    // Bitmaps store the bottom row first.
    sheet.bitmap = BitmapHeader8(sheet.width, sheet.height, palette);
    sheet.bitmap.reserve(sheet.bitmap.size() + pixels.size());
    for (std::uint32_t row = sheet.height; row-- > 0;) {
        const auto first = pixels.begin() + static_cast<std::ptrdiff_t>(row) * stride;
        sheet.bitmap.insert(sheet.bitmap.end(), first, first + stride);
    }
    if (o.mask) {
        sheet.mask = MaskHeader(sheet.width, sheet.height);
        for (std::uint32_t row = sheet.height; row-- > 0;) {
            const auto first = maskBits.begin() + static_cast<std::ptrdiff_t>(row) * maskStride;
            sheet.mask.insert(sheet.mask.end(), first, first + maskStride);
        }
    }
    return sheet;
}

Result<SpriteSheet> ConvertSprite(const std::filesystem::path& source, const std::filesystem::path& bitmap,
                                  const std::optional<std::filesystem::path>& mask, const Palette768& palette,
                                  const SpriteOptions& options, ConversionProgress* progress) {
    using R = Result<SpriteSheet>;
    auto openError = [](const std::filesystem::path& path) {
        return R::failure("Error opening file \"" + path.string() + "\" : " + systemReason());
    };
    errno = 0;
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        return openError(source);
    }
    errno = 0;
    std::ofstream out(bitmap, std::ios::binary | std::ios::trunc);
    if (!out) {
        return openError(bitmap);
    }
    std::ofstream maskOut;
    if (mask) {
        errno = 0;
        maskOut.open(*mask, std::ios::binary | std::ios::trunc);
        if (!maskOut) {
            return openError(*mask);
        }
    }
    const Bytes sprite((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SpriteOptions o = options;
    o.mask = mask.has_value();
    auto sheet = ConvertSpriteToMemory(sprite, palette, o, progress);
    if (!sheet) {
        return R::failure(kConvertErrorPrefix + sheet.error());
    }
    std::string error;
    const auto& s = sheet.value();
    if (WriteBitmapHeader8(s.width, s.height, out, palette, error) == 0) {
        return R::failure("Error writing BMP header : " + error);
    }
    if (mask && WriteMaskHeader(s.width, s.height, maskOut, error) == 0) {
        return R::failure("Error writing monochrome BMP header : " + error);
    }
    out.write(reinterpret_cast<const char*>(s.bitmap.data()) + kBitmapDataOffset,
              static_cast<std::streamsize>(s.bitmap.size() - kBitmapDataOffset));
    if (mask) {
        maskOut.write(reinterpret_cast<const char*>(s.mask.data()) + kMaskDataOffset,
                      static_cast<std::streamsize>(s.mask.size() - kMaskDataOffset));
    }
    if (!out || (mask && !maskOut)) {
        return R::failure(kConvertErrorPrefix + systemReason());
    }
    return sheet;
}

std::optional<std::size_t> IconSpriteFrames(const std::filesystem::path& gameDir) {
    const auto archive = findArchive(gameDir, "MAINDAT.WAR");
    const auto entry = archive ? ReadWarEntry(*archive, kIconSpriteEntry, "MAINDAT.WAR")
                               : Result<std::vector<std::uint8_t>>::failure("no MAINDAT.WAR");
    const auto frames = entry ? loadU16(entry.value(), 0) : std::nullopt;
    return frames ? std::optional<std::size_t>(*frames) : std::nullopt;
}

}  // namespace zorbel
