#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exe/version_layout.h"
#include "tools/gamekit/kit_tables.h"
#include "tools/gamekit/random.h"

namespace gamekit {

// A relocated pointer the kit placed, and what its fixup record holds.
struct PlantedPointer {
    std::uint32_t position = 0;
    bool hasRecord = false;
    std::uint32_t target = 0;
};

// A synthetic game executable of one build: an MZ stub pointing at an LE
// header, a code and a data object whose pages start at PageBase, the fixup
// page table and records at the build's offsets, and the game's tables.
struct GameExe {
    int version = 0;
    std::vector<std::uint8_t> bytes;
    std::uint32_t leHeader = 0;
    std::uint32_t codePages = 0;
    std::uint32_t dataPages = 0;
    std::vector<PlantedPointer> pointers;  // every table pointer position, then the extra ones
    std::uint32_t crossPagePointer = 0;    // a pointer whose four bytes cross a page boundary
    std::uint32_t emptyPage = 0;           // a page whose record list is empty
    std::uint32_t mixedPage = 0;           // a data page whose list begins with other record kinds

    const PlantedPointer* pointerAt(std::uint32_t position) const;
    // The kit's own layout of the build, not the editor's.
    const tables::Layout& layout() const { return tables::kLayouts.at(static_cast<std::size_t>(version)); }
};

GameExe buildGameExe(int version, std::uint64_t seed = 1);

// The text the kit puts at a build's probe.
std::string versionText(int version);

// Fills the plain (non-pointer) fields of the game's tables.
void fillPlainTables(std::vector<std::uint8_t>& bytes, const tables::Layout& layout, Random& rng);
void fillPlainTables(std::vector<std::uint8_t>& bytes, const zorbel::VersionLayout& layout, Random& rng);

}  // namespace gamekit
