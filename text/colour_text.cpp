#include "text/colour_text.h"

#include "text/windows1252.h"

namespace zorbel {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kYellow = 0xFFFF00;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kBlack = 0x000000;

}  // namespace

std::vector<ColourPiece> ColourPieces(std::string_view bytes, ByteFF rule) {
    std::vector<ColourPiece> pieces;
    std::uint32_t colour = kWhite;
    std::uint32_t saved = kWhite;
    auto append = [&](std::string_view text) {
        if (pieces.empty() || pieces.back().rgb != colour) {
            pieces.push_back({std::string(), colour});
        }
        pieces.back().text += text;
    };
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b > 20 && b != 255) {
            append(b == 27 ? std::string_view("<ESC>") : std::string_view(&c, 1));
            continue;
        }
        if (b == 1) {
            colour = saved;
        }
        saved = colour;
        switch (b) {
            case 2:
            case 4:
                colour = kYellow;
                break;
            case 3:
                colour = kRed;
                break;
            case 5:
                colour = kGrey;
                break;
            case 6:
            case 12:
                colour = kBlack;
                break;
            case 255:
                if (rule == ByteFF::EndsText) {
                    return pieces;
                }
                colour = kYellow;
                break;
            default:
                break;
        }
    }
    return pieces;
}

std::string PlainGameText(std::string_view bytes, ByteFF rule) {
    std::string out;
    for (const ColourPiece& piece : ColourPieces(bytes, rule)) {
        for (char c : piece.text) {
            const char32_t u = windows1252ToUnicode(static_cast<std::uint8_t>(c));
            if (u < 0x80) {
                out += static_cast<char>(u);
            } else if (u < 0x800) {
                out += static_cast<char>(0xC0 | (u >> 6));
                out += static_cast<char>(0x80 | (u & 0x3F));
            } else {
                out += static_cast<char>(0xE0 | (u >> 12));
                out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (u & 0x3F));
            }
        }
    }
    return out;
}

}  // namespace zorbel
