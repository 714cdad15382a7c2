#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "exe/exe_image.h"
#include "tables/catalogue.h"

namespace zorbel {

constexpr int kMapRows = fields::MapObjective.rows;
constexpr int kObjectives = 31;

// The descriptions of the 31 built-in objectives, number n at position n.
extern const std::array<const char*, kObjectives> kObjectiveTexts;

// A campaign map's victory condition as the Maps page shows it.
struct MapView {
    int objective = 0;  // 0 ... 30; larger stored numbers show as 30
    bool killAll = false;
    bool rescue = false;
    bool rescueFlag = false;
    std::uint32_t rescues = 0;  // the low 12 bits of the rescue word
};

std::optional<MapView> LoadMap(const ExeImage& image, int map);
// Both words rebuilt whole: bits 10-31 of the victory word become 0; the
// rescue word is the typed number plus 4096 with the flag (an addition).
void WriteMap(ExeImage& image, int map, int objective, bool killAll, bool rescue, std::int32_t rescues,
              bool rescueFlag);

}  // namespace zorbel
