#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The sizes and places of the game's tables as the kit lays them out,
// written from the game's table descriptions and kept apart from the
// editor's catalogue and layouts, so that a wrong offset in one is not
// copied into the other.
namespace gamekit::tables {
constexpr std::uint32_t kUnitRecords = 110;
constexpr std::uint32_t kUnitRecordSize = 14;
constexpr std::uint32_t kCommandBarEntries = 120;
constexpr std::uint32_t kCommandBarEntrySize = 6;
constexpr std::uint32_t kButtonRecordSize = 18;
constexpr std::uint32_t kDeathEntries = 58;
constexpr std::uint32_t kFnzOffsetBeforeDeath = 597;
constexpr std::uint32_t kSoundRows = 58;  // ready/attack sound numbers, then pointers
constexpr std::uint32_t kSoundPointerOffset = 116;
constexpr std::uint32_t kSoundNumbers = 345;
constexpr std::uint32_t kOrcSoundOffset = 692;
constexpr std::uint32_t kSpells = 61;
constexpr std::uint32_t kSpellFnaBeforeRange = 976;
constexpr std::uint32_t kSpellFnbBeforeRange = 732;
constexpr std::uint32_t kSpellFncBeforeRange = 488;
constexpr std::uint32_t kSpellUnk1BeforeRange = 244;
constexpr std::uint32_t kSpellUnk2BeforeRange = 183;
constexpr std::uint32_t kSpellUnk3BeforeRange = 122;
constexpr std::uint32_t kMaps = 52;

constexpr std::uint32_t kPageSize = 4096;

// The five builds, each recognised by 128 bytes of text at its probe.
constexpr int kBuilds = 5;
constexpr std::uint32_t kProbeLength = 128;
constexpr std::array<std::uint32_t, kBuilds> kProbes = {0x6B9D4, 0x6BDA4, 0x6E384, 0x6E414, 0x6F1A4};

// File offsets of each build's fixup tables and game tables.
struct Layout {
    std::uint32_t FixupPageTable, FixupRecordTable, PageBase, UnitTable, CommandBarTable, DataObjectBase,
        ButtonTable, SpellManaTable, SpellRangeTable, DeathTable, SoundTable, ReadySoundTable,
        AttackSoundTable, MapObjectiveTable, MapRescueTable;
};
constexpr std::array<Layout, kBuilds> kLayouts = {{
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

// Each unit's command bar in a clean executable, the same in every build:
// its offset from ButtonTable and its button count; -1/0 is no bar.
struct Bar {
    std::int32_t offset;
    std::uint16_t count;
};
// clang-format off
constexpr std::array<Bar, kCommandBarEntries> kDefaultBars = {{
    {288,10}, {468,10}, {1048,8}, {1192,8}, {288,10}, {468,10}, {2280,9}, {2444,9}, {720,9}, {884,9},
    {1952,9}, {2116,9}, {2608,12}, {2824,12}, {0,8}, {144,8}, {648,2}, {684,2}, {720,9}, {884,9},
    {720,9}, {2116,9}, {288,10}, {2824,12}, {1952,9}, {468,10}, {3256,7}, {3384,7}, {4200,5}, {4292,5},
    {3840,10}, {4020,10}, {3840,10}, {4020,10}, {3840,10}, {468,10}, {288,10}, {468,10}, {3512,9}, {3676,9},
    {4384,4}, {4456,4}, {288,10}, {468,10}, {2608,12}, {4456,4}, {288,10}, {468,10}, {-1,0}, {3040,12},
    {2608,12}, {2116,9}, {2608,12}, {884,9}, {-1,0}, {468,10}, {468,10}, {-1,0}, {-1,0}, {-1,0},
    {5512,6}, {5620,6}, {6016,3}, {6072,3}, {5728,2}, {5764,2}, {-1,0}, {-1,0}, {5440,2}, {5476,2},
    {5400,1}, {5420,1}, {4528,5}, {4620,5}, {5288,3}, {5344,3}, {4856,6}, {4964,6}, {4712,4}, {4784,4},
    {5800,6}, {5908,6}, {5072,6}, {5180,6}, {-1,0}, {-1,0}, {-1,0}, {-1,0}, {5288,3}, {5344,3},
    {5288,3}, {5344,3}, {-1,0}, {-1,0}, {-1,0}, {-1,0}, {5728,2}, {5764,2}, {5728,2}, {5764,2},
    {-1,0}, {-1,0}, {-1,0}, {-1,0}, {-1,0}, {-1,0}, {-1,0}, {-1,0}, {-1,0}, {-1,0},
    {-1,0}, {1336,8}, {1624,9}, {1480,8}, {1788,9}, {6128,1}, {6148,1}, {6168,3}, {6368,8}, {6224,8},
}};
// clang-format on

// A button of a distinct default bar (bars in first-occurrence order), as
// far as its record lies wholly before the command-bar table: in builds 0
// and 1 the last bars lie beyond it.
struct Button {
    std::int32_t barOffset;
    std::uint32_t index;   // within its bar, from 0
    std::uint32_t record;  // file offset of its 18-byte record
};
std::vector<Button> defaultButtons(const Layout& layout);

// The bytes of each of the game's arrays in a build.
struct Extent {
    std::string name;
    std::uint32_t start;
    std::uint32_t end;
};
std::vector<Extent> tableExtents(const Layout& layout);

// The file position of every relocated pointer field of every table row.
std::vector<std::uint32_t> tablePointerPositions(const Layout& layout);

}  // namespace gamekit::tables
