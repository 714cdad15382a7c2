#pragma once

#include <cstdint>
#include <vector>

namespace gamekit {

// One fixup record with an internal target, in any of the forms a linear
// executable holds.
struct FixupRecord {
    std::uint8_t sourceType = 0x07;   // low nibble the kind; 0x20 source list
    std::uint8_t targetFlags = 0x00;  // 0x10 32-bit target, 0x40 16-bit object, 0x04 additive (0x20 32-bit)
    std::int16_t sourceOffset = 0;
    std::vector<std::int16_t> sourceList;
    std::uint16_t object = 1;
    std::uint32_t target = 0;
    std::uint32_t additive = 0;
};

// A 32-bit offset fixup in the short form (16-bit target) when the target
// fits, else the long form.
FixupRecord offset32Record(std::int16_t sourceOffset, std::uint16_t object, std::uint32_t target);

std::vector<std::uint8_t> encodeRecord(const FixupRecord& record);

// The fixup page table (one entry per page and a final one marking the end)
// and the records, from each page's list in order.
struct FixupSection {
    std::vector<std::uint8_t> pageTable;
    std::vector<std::uint8_t> records;
};
FixupSection buildFixupSection(const std::vector<std::vector<FixupRecord>>& perPage);

}  // namespace gamekit
