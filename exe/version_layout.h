#pragma once

#include <array>
#include <cstdint>

namespace zorbel {

constexpr int kBuildCount = 5;
constexpr std::int32_t kNoGame = -1;

// Per build, the file offset of the 128 bytes of text that recognise it.
constexpr std::size_t kProbeLength = 128;
constexpr std::array<std::uint32_t, kBuildCount> VersionProbe = {0x6B9D4, 0x6BDA4, 0x6E384, 0x6E414, 0x6F1A4};

// Where each build keeps its fixup tables and the game's tables: file offsets.
struct VersionLayout {
    std::uint32_t FixupPageTable;
    std::uint32_t FixupRecordTable;
    std::uint32_t PageBase;
    std::uint32_t UnitTable;
    std::uint32_t CommandBarTable;
    std::uint32_t DataObjectBase;
    std::uint32_t ButtonTable;
    std::uint32_t SpellManaTable;
    std::uint32_t SpellRangeTable;
    std::uint32_t DeathTable;
    std::uint32_t SoundTable;
    std::uint32_t ReadySoundTable;
    std::uint32_t AttackSoundTable;
    std::uint32_t MapObjectiveTable;
    std::uint32_t MapRescueTable;
};

// Build 2's mana table sits at 0xD22F8: 0x7C bytes before its button table,
// as in every other build. The older figure 0xD2344 ran 74 bytes into the
// button records.
constexpr std::array<VersionLayout, kBuildCount> VersionLayouts = {{
    {0x37FE1, 0x381D5, 0x5A6A4, 0xCEAB8, 0xCE7E8, 0xC76A4, 0xCCFC0, 0xCCF44, 0xCB8F0, 0xC9619, 0xC991C,
     0xCA074, 0xC9F18, 0xC96A4, 0xC9774},
    {0x37FE1, 0x381D5, 0x5A8A4, 0xCECB8, 0xCE9E8, 0xC78A4, 0xCD1C0, 0xCD144, 0xCBBF0, 0xC9819, 0xC9B1C,
     0xCA274, 0xCA118, 0xC98A4, 0xC9974},
    {0x37FF1, 0x381F5, 0x5C2A4, 0xD3FB4, 0xD3CE4, 0xCC2A4, 0xD2374, 0xD22F8, 0xD09E0, 0xCE22D, 0xCE728,
     0xCF0A8, 0xCEF4C, 0xCE2D0, 0xCE3A0},
    {0x37FF1, 0x381F5, 0x5C2A4, 0xD3FC0, 0xD3CF0, 0xCC2A4, 0xD2380, 0xD2304, 0xD09EC, 0xCE22D, 0xCE728,
     0xCF0A8, 0xCEF4C, 0xCE2D0, 0xCE3A0},
    {0x3804D, 0x38255, 0x5CAA4, 0xD58BC, 0xD55EC, 0xCDAA4, 0xD3C7C, 0xD3C00, 0xD22E8, 0xCFB29, 0xD0024,
     0xD09A4, 0xD0848, 0xCFBCC, 0xCFC9C},
}};

}  // namespace zorbel
