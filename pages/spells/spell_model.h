#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "exe/exe_image.h"
#include "tables/catalogue.h"

namespace zorbel {

constexpr int kSpellRows = fields::ActionMana.rows;

// One action of the spell table as the page shows it.
struct SpellView {
    std::uint16_t mana = 0;
    std::uint8_t range = 0;
    std::uint8_t unk1 = 0;
    std::uint8_t unk2 = 0;
    std::uint16_t unk3 = 0;
    PointerRead fna, fnb, fnc;
};

// The values typed into the page, stored cut to their fields' widths.
struct SpellValues {
    std::int32_t mana = 0, range = 0, unk1 = 0, unk2 = 0, unk3 = 0;
    std::int32_t fna = 0, fnb = 0, fnc = 0;
};

// Nothing while no executable is open or for a row outside 0 ... 60.
std::optional<SpellView> LoadSpell(const ExeImage& image, int action);
// All eight fields, in the page's order; pointers only through their records.
void WriteSpell(ExeImage& image, int action, const SpellValues& values);

}  // namespace zorbel
