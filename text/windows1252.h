#pragma once

#include <cstdint>

namespace zorbel {

// The game's texts are in the Windows-1252 code page.
char32_t windows1252ToUnicode(std::uint8_t byte);

}  // namespace zorbel
