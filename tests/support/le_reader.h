#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace testsupport {

// A reader of a linear executable's fixup records, written apart from the
// editor's walker from the format's description, so that each checks the
// other. It finds the tables through the MZ and LE headers.
struct LeFixup {
    std::uint32_t page;  // 0-based page of the module
    std::uint8_t sourceType, targetFlags;
    std::vector<std::int16_t> sources;
    std::uint32_t target;     // 0 for selector fixups
    std::size_t targetField;  // file offset of the target
    int targetWidth;          // 2 or 4 bytes, 0 without a target
};

struct LeModule {
    std::uint32_t fixupPageTable = 0, fixupRecordTable = 0, dataPages = 0;  // file offsets
    std::vector<std::uint32_t> pageEntries;                                 // one per page, and the end
    std::vector<LeFixup> fixups;
    std::map<std::pair<std::uint32_t, int>, std::size_t> plain;  // the first type-7 record of a source

    // The plain 32-bit offset records that relocate the pointer at
    // `position`: its page's, and the next page's when its four bytes cross
    // into it (in-page offsets 4093 to 4095).
    std::vector<const LeFixup*> pointerRecords(std::uint32_t position) const;
};

// Throws std::runtime_error on a read past the end of the file.
LeModule readLeModule(const std::vector<std::uint8_t>& file);

}  // namespace testsupport
