#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exe/version_layout.h"

namespace zorbel {

// Sizes of the game's fixed tables, shared by the pages that edit them.
namespace tables {
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
}  // namespace tables

// One table's bytes in the executable: where it starts and how long it is.
struct TableExtent {
    std::string name;
    std::uint32_t start;
    std::uint32_t length;
    std::uint32_t end() const { return start + length; }
};

// Every fixed-size table of a build, plus the button area that runs from
// ButtonTable up to the command-bar table.
std::vector<TableExtent> TableExtents(const VersionLayout& layout);

// The file positions of every relocated pointer the pages read or write.
std::vector<std::uint32_t> TablePointerPositions(const VersionLayout& layout);

}  // namespace zorbel
