#include "pages/maps/map_model.h"

#include <algorithm>

namespace zorbel {

const std::array<const char*, kObjectives> kObjectiveTexts = {
    "0. Both: -Own 4 Farms and 1 Barracks",
    "1. Both: -Own 1 Shipyard and 4 Oil Platforms",
    "2. Hum.: -Destroy all Oil Refineries",
    "3. Hum.: -Quell the peasant uprising -Build a Castle -Destroy enemy forces",
    "4. This builtin objective is never used in the campaign.",
    "5. Hum.: -Free the Mages and Peasants -Destroy Alterac",
    "6. Hum.: -Destroy Orc Transports + Oil Derricks + Shipyards",
    "7. This builtin objective is never used in the campaign.",
    "8. Hum.: -Destroy the Great Portal",
    "9. Orcs: -Destroy the Human Castle -Secure the Runestone",
    "10. Orcs: -Build a Fortress and a Shipyard at a specific location - Notes: The area must be marked with "
    "a circle of power! The buildings can be erected on every location that can be reached by foot from this "
    "circle(water is ok). It is important that the area is not separated from others with anything "
    "destroyable (walls,rocks).",
    "11. Orcs: -Destroy all the Death Knights and their Temple -Grom Hellscream must survive",
    "12. Orcs: -Recruit Thunderlords (V) -Destroy Bonechewers (G) -Rescue Shattered Hand (W) -Keep your "
    "Heroes alive",
    "13. Orcs: -Destroy everything -Teron must survive",
    "14. Orcs: -Capture as many dragons as possible -Capture the dragon roost nestled high in the mountains",
    "15. Orcs: -Build five shipyards -Destroy all enemy ships",
    "16. Orcs: -Slay the Daemon who holds the Jeweled Sceptre",
    "17. Orcs: -Destroy the enemy Human settlements -Rescue the Mage from Alterac, and return him to the "
    "circle of power",
    "18. Orcs: -Destroy all Mage Towers -Destroy all of Dalaran (Violet)",
    "19. Orcs: -Capture the Dark Portal -Destroy all Humans",
    "20. Hum.: -Rescue a certain number of units and bring them to the circle - Notes: Alleria, Danath and "
    "Turalyon must exist and survive, but they don't have to be the ones to be rescued. The number of units "
    "to recue must be set.",
    "21. Hum.: -Destroy all enemy forces -Danath must survive",
    "22. Hum.: -Destroy all strongholds and fortresses -Turalyon must reach the Dark Portal alive  - Notes: "
    "The number of units to recue must be set.",
    "23. Hum.: -Erect a castle to protect the Portal -Destroy all enemy forces",
    "24. Hum.: -Build three Shipyards -Destroy all Orcish Shipyards",
    "25. Hum.: -Turalyon and Danath must return to the Circle of Power after destroying Bleeding Hollow "
    "(Orange) - Notes: The number of units to recue must be set.",
    "26. Hum.: -Destroy Deathwing and his lair -Khadgar, Alleria and Kurdran must survive.",
    "27. Hum.: -Destroy the Shadowmoon Fortress (Black) -Raze Ner'zhul's Mystic Sanctum",
    "28. Hum.: -Hold out until the besieging Orcs retreat -All your Heroes must survive the siege",
    "29. Hum.: -Destroy all enemy forces -All your Heroes must survive",
    "30. Hum.: -Destroy the Dark Portal -Only Khadgar can destroy the Portal -Khadgar must survive",
};

namespace {

bool validMap(const ExeImage& image, int map) {
    return image.held() && HasRow(fields::MapObjective, image.layout(), map);
}

// The victory and the rescue word of a map, whole.
std::uint64_t victoryWord(const ExeImage& image, int map) {
    return static_cast<std::uint64_t>(FieldPosition(fields::MapObjective, image.layout(), map));
}
std::uint64_t rescueWord(const ExeImage& image, int map) {
    return static_cast<std::uint64_t>(FieldPosition(fields::MapRescues, image.layout(), map));
}

}  // namespace

std::optional<MapView> LoadMap(const ExeImage& image, int map) {
    if (!validMap(image, map)) {
        return std::nullopt;
    }
    const std::uint32_t v = image.readU32(victoryWord(image, map)).value_or(0);
    const std::uint32_t w = image.readU32(rescueWord(image, map)).value_or(0);
    MapView view;
    view.objective = std::min<int>(static_cast<int>(v & 0xFF), kObjectives - 1);
    view.killAll = (v & 0x100) != 0;
    view.rescue = (v & 0x200) != 0;
    // The flag is read as the word divided by 4096, so a word above 2^31 counts from below zero.
    view.rescueFlag = (static_cast<std::int32_t>(w) / 4096) % 2 != 0;
    view.rescues = w & 0xFFF;
    return view;
}

void WriteMap(ExeImage& image, int map, int objective, bool killAll, bool rescue, std::int32_t rescues,
              bool rescueFlag) {
    if (!validMap(image, map)) {
        return;
    }
    std::uint32_t v = static_cast<std::uint32_t>(std::clamp(objective, 0, kObjectives - 1));
    v |= (killAll ? 0x100u : 0) | (rescue ? 0x200u : 0);
    const std::uint32_t w = static_cast<std::uint32_t>(rescues) + (rescueFlag ? 4096u : 0);
    image.writeU32(victoryWord(image, map), v);
    image.writeU32(rescueWord(image, map), w);
}

}  // namespace zorbel
