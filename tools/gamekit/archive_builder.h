#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gamekit {

struct ArchiveEntry {
    std::vector<std::uint8_t> data;
    bool compressed = false;
    // For a stored entry: a size in the header other than the data's, as
    // some archives have; readers must take the length from the layout.
    std::optional<std::uint32_t> statedSize;
};

// A game archive: magic, entry count, the offset table, then the entries.
// With `unsortedTable` the entries lie in the file in another order than
// the table lists them.
std::vector<std::uint8_t> buildArchive(const std::vector<ArchiveEntry>& entries, bool unsortedTable = false);

// A string table entry: count, 16-bit offsets, zero-terminated strings.
std::vector<std::uint8_t> buildStringTable(const std::vector<std::string>& strings);

}  // namespace gamekit
