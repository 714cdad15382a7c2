#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorbel {

// A run of a game text drawn in one colour (0xRRGGBB). Byte 27 has become
// the five characters "<ESC>"; the other bytes are Windows-1252 text.
struct ColourPiece {
    std::string text;
    std::uint32_t rgb;
};

// Walks a game text's colour control bytes: 1 back to the colour before the
// last switch, 2 and 4 yellow, 3 red, 5 grey, 6 and 12 black; other bytes up
// to 20 switch nothing. Byte 255 ends the text (the Units page's name list)
// or switches to yellow (the Commands page's lists).
enum class ByteFF { EndsText, Yellow };
std::vector<ColourPiece> ColourPieces(std::string_view bytes, ByteFF rule);

// A game text without its colour codes, as UTF-8: what a row of it shows.
// Byte 255 ends it or is dropped, by the rule.
std::string PlainGameText(std::string_view bytes, ByteFF rule = ByteFF::EndsText);

}  // namespace zorbel
