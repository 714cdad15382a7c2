#pragma once

#include <cstdint>
#include <optional>

#include "exe/exe_image.h"
#include "tables/catalogue.h"

namespace zorbel {

// What the Units page shows for a unit row. Rows 0-57 have every field,
// 58-109 all but the after-death byte and the sounds, 110-119 only the
// command bar.
struct UnitView {
    struct Record {
        std::uint16_t icon = 0, aux = 0, name = 0;
        PointerRead fna, fnb, fnz;
    };
    struct Sounds {
        std::uint16_t ready = 0, attack = 0;
        PointerRead ack, selected;
    };
    std::optional<std::uint8_t> death;
    std::optional<Sounds> sounds;
    std::uint16_t commandCount = 0;
    std::optional<std::int32_t> barOffset;  // nothing when the bar pointer has no fixup record
    std::optional<Record> record;
};

constexpr int kUnitListRows = fields::BarCount.rows;
constexpr int kUnitsWithRecords = fields::UnitIcon.rows;  // rows with a unit record and an FNZ pointer
constexpr int kUnitsWithSounds = fields::UnitDeath.rows;  // rows with after-death and sound fields

std::optional<UnitView> LoadUnitView(const ExeImage& image, int row);

// Each writes only its own bytes, and only for the rows its field has.
void WriteUnitBasics(ExeImage& image, int row, std::int32_t icon, std::int32_t aux, std::int32_t name);
void WriteUnitPointers(ExeImage& image, int row, std::int32_t fna, std::int32_t fnb);
void WriteDeath(ExeImage& image, int row, std::int32_t value);
void WriteUnitSounds(ExeImage& image, int row, std::int32_t ready, std::int32_t ack, std::int32_t attack,
                     std::int32_t selected);
void WriteCommandCount(ExeImage& image, int row, std::int32_t count);
void WriteBarOffset(ExeImage& image, int row, std::int32_t barOffset);

}  // namespace zorbel
