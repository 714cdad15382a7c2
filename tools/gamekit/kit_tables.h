#pragma once

#include <cstdint>

// The sizes and places of the game's tables as the kit lays them out,
// written from the game's table descriptions and kept apart from the
// editor's catalogue, so that a wrong offset in one is not copied into the
// other.
namespace gamekit::tables {
constexpr std::uint32_t kUnitRecords = 110;
constexpr std::uint32_t kUnitRecordSize = 14;
constexpr std::uint32_t kCommandBarEntries = 120;
constexpr std::uint32_t kCommandBarEntrySize = 6;
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
}  // namespace gamekit::tables
