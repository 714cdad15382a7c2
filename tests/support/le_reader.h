#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A reader of linear executables written apart from the editor's own fixup
// walker, from the format's description, so that each checks the other.
struct LeObject {
    std::uint32_t virtualSize, base, flags, firstPage, pageCount;
};

struct LeFixup {
    std::uint32_t page;        // 0-based page of the module
    std::uint8_t sourceType;   // the raw byte
    std::uint8_t targetFlags;  // the raw byte
    std::vector<std::int16_t> sources;
    std::uint16_t object;
    std::uint32_t target;  // 0 for selector fixups
    std::size_t recordOffset;
    std::size_t recordLength;
};

struct LeModule {
    std::uint32_t headerOffset = 0;
    std::uint32_t pageCount = 0;
    std::uint32_t pageSize = 0;
    std::uint32_t lastPageSize = 0;
    std::uint32_t fixupPageTable = 0;  // file offsets
    std::uint32_t fixupRecordTable = 0;
    std::uint32_t importModules = 0;
    std::uint32_t dataPages = 0;
    std::vector<LeObject> objects;
    std::vector<std::uint32_t> pageNumbers;  // from the object page map
    std::vector<std::uint32_t> fixupPageEntries;
    std::vector<LeFixup> fixups;
};

// Parses the module; throws std::runtime_error naming what is malformed.
LeModule readLeModule(const std::vector<std::uint8_t>& file);

}  // namespace testsupport
