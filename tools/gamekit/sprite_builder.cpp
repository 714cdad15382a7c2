#include "tools/gamekit/sprite_builder.h"

#include <string>

#include "base/byte_reader.h"

namespace gamekit {

using zorbel::storeU16;
using zorbel::storeU32;

std::vector<std::uint8_t> buildSpriteFile(int format, std::uint16_t width, std::uint16_t height,
                                          const std::vector<RawFrame>& frames, bool compressed) {
    const std::size_t headerSize = format == 1 ? 4 : 6;
    std::vector<std::uint8_t> out(headerSize + 8 * frames.size(), 0);
    storeU16(out, 0, static_cast<std::uint16_t>(frames.size()));
    if (format == 1) {
        out[2] = static_cast<std::uint8_t>(width);
        out[3] = static_cast<std::uint8_t>(height);
    } else {
        storeU16(out, 2, width);
        storeU16(out, 4, height);
    }
    for (std::size_t f = 0; f < frames.size(); ++f) {
        const RawFrame& frame = frames[f];
        const std::size_t at = headerSize + 8 * f;
        out[at] = frame.x;
        out[at + 1] = frame.y;
        out[at + 2] = frame.w;
        out[at + 3] = frame.h;
        const auto data = static_cast<std::uint32_t>(out.size());
        storeU32(out, at + 4, data | frame.offsetFlags);
        if (compressed) {
            // Line offsets, relative to the frame's data, then the lines.
            const std::size_t table = out.size();
            out.resize(table + 2 * frame.lines.size());
            for (std::size_t l = 0; l < frame.lines.size(); ++l) {
                storeU16(out, table + 2 * l, static_cast<std::uint16_t>(out.size() - data));
                out.insert(out.end(), frame.lines[l].begin(), frame.lines[l].end());
            }
        } else {
            for (const auto& line : frame.lines) {
                out.insert(out.end(), line.begin(), line.end());
            }
        }
    }
    return out;
}

std::vector<std::uint8_t> encodeSpriteLine(const std::vector<int>& px, int format) {
    std::vector<std::uint8_t> out;
    std::size_t i = 0;
    while (i < px.size()) {
        std::size_t run = 1;
        if (px[i] < 0) {
            while (i + run < px.size() && px[i + run] < 0 && run < 127) {
                ++run;
            }
            out.push_back(static_cast<std::uint8_t>(0x80 + run));
            i += run;
            continue;
        }
        while (i + run < px.size() && px[i + run] == px[i] && run < 63) {
            ++run;
        }
        if (format == 0 && run >= 3) {
            out.push_back(static_cast<std::uint8_t>(0x40 + run));
            out.push_back(static_cast<std::uint8_t>(px[i]));
            i += run;
            continue;
        }
        // A literal up to the next transparent pixel or a run worth a fill.
        const std::size_t limit = format == 0 ? 63 : 127;
        std::size_t n = 0;
        while (i + n < px.size() && px[i + n] >= 0 && n < limit) {
            if (format == 0 && i + n + 2 < px.size() && px[i + n] == px[i + n + 1] &&
                px[i + n] == px[i + n + 2] && n > 0) {
                break;
            }
            ++n;
        }
        out.push_back(static_cast<std::uint8_t>(n));
        for (std::size_t k = 0; k < n; ++k) {
            out.push_back(static_cast<std::uint8_t>(px[i + k]));
        }
        i += n;
    }
    return out;
}

RawFrame codedFrame(std::uint8_t w, std::uint8_t h, const std::vector<int>& pixels, int format) {
    RawFrame frame;
    frame.w = w;
    frame.h = h;
    for (std::size_t l = 0; l < h; ++l) {
        std::vector<int> line(pixels.begin() + static_cast<std::ptrdiff_t>(l * w),
                              pixels.begin() + static_cast<std::ptrdiff_t>((l + 1) * w));
        frame.lines.push_back(encodeSpriteLine(line, format));
    }
    return frame;
}

std::vector<std::uint8_t> demoPalette() {
    std::vector<std::uint8_t> p(768, 0);
    auto set = [&](int k, int r, int g, int b) {
        p[3 * k] = static_cast<std::uint8_t>(r);
        p[3 * k + 1] = static_cast<std::uint8_t>(g);
        p[3 * k + 2] = static_cast<std::uint8_t>(b);
    };
    for (int k = 0; k < 16; ++k) {  // greys
        set(k, k * 4, k * 4, k * 4);
    }
    set(15, 63, 63, 63);
    for (int k = 16; k < 256; ++k) {  // hues, in bands of brightness
        const int hue = (k - 16) % 24;
        const int level = 20 + ((k - 16) / 24) * 4;
        const int r = hue < 8 ? level : (hue < 16 ? level / 3 : level * (hue - 16) / 8);
        const int g = hue < 8 ? level * hue / 8 : (hue < 16 ? level : level / 3);
        const int b = hue < 8 ? level / 4 : (hue < 16 ? level * (hue - 8) / 8 : level);
        set(k, r & 63, g & 63, b & 63);
    }
    set(22, 8, 10, 16);  // the chooser's background and transparent colour
    return p;
}

namespace {

// 3 x 5 digits, one string of 15 cells each.
const char* const kDigits[10] = {
    "###"
    "# #"
    "# #"
    "# #"
    "###",
    " # "
    "## "
    " # "
    " # "
    "###",
    "###"
    "  #"
    "###"
    "#  "
    "###",
    "###"
    "  #"
    " ##"
    "  #"
    "###",
    "# #"
    "# #"
    "###"
    "  #"
    "  #",
    "###"
    "#  "
    "###"
    "  #"
    "###",
    "###"
    "#  "
    "###"
    "# #"
    "###",
    "###"
    "  #"
    " # "
    " # "
    " # ",
    "###"
    "# #"
    "###"
    "# #"
    "###",
    "###"
    "# #"
    "###"
    "  #"
    "###",
};

}  // namespace

std::vector<std::uint8_t> demoIconSprite(int count) {
    constexpr int w = 46, h = 38, scale = 3;
    std::vector<RawFrame> frames;
    for (int icon = 0; icon < count; ++icon) {
        const int face = 40 + (icon * 7) % 200;
        const int border = 16 + (icon * 11) % 24;
        std::vector<int> px(w * h, face);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) {
                    px[y * w + x] = border;
                }
            }
        }
        for (int corner : {0, w - 1, (h - 1) * w, h * w - 1}) {
            px[corner] = -1;  // rounded corners show the background
        }
        const std::string digits = std::to_string(icon);
        const int textWidth = static_cast<int>(digits.size()) * 4 * scale - scale;
        const int left = (w - textWidth) / 2;
        const int top = (h - 5 * scale) / 2;
        for (std::size_t d = 0; d < digits.size(); ++d) {
            const char* glyph = kDigits[digits[d] - '0'];
            for (int gy = 0; gy < 5; ++gy) {
                for (int gx = 0; gx < 3; ++gx) {
                    if (glyph[gy * 3 + gx] != '#') {
                        continue;
                    }
                    for (int sy = 0; sy < scale; ++sy) {
                        for (int sx = 0; sx < scale; ++sx) {
                            const int x = left + static_cast<int>(d) * 4 * scale + gx * scale + sx;
                            px[(top + gy * scale + sy) * w + x] = 15;  // white
                        }
                    }
                }
            }
        }
        frames.push_back(codedFrame(w, h, px, 0));
    }
    return buildSpriteFile(0, w, h, frames, true);
}

}  // namespace gamekit
