#include "tools/gamekit/archive_builder.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "base/byte_reader.h"
#include "tools/gamekit/lz_encoder.h"

namespace gamekit {

std::vector<std::uint8_t> buildArchive(const std::vector<ArchiveEntry>& entries, bool unsortedTable) {
    const auto count = static_cast<std::uint32_t>(entries.size());
    std::vector<std::uint8_t> out(8 + 4 * count, 0);
    zorbel::storeU32(out, 0, 0x00000019);
    zorbel::storeU16(out, 4, static_cast<std::uint16_t>(count));
    std::vector<std::uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    if (unsortedTable && count > 2) {
        // Odd entries first, then even ones: the table is out of order.
        std::stable_partition(order.begin(), order.end(), [](std::uint32_t i) { return i % 2 == 1; });
    }
    for (std::uint32_t i : order) {
        const ArchiveEntry& e = entries[i];
        zorbel::storeU32(out, 8 + 4 * i, static_cast<std::uint32_t>(out.size()));
        std::vector<std::uint8_t> body = e.compressed ? lzEncode(e.data) : e.data;
        const auto size = static_cast<std::uint32_t>(e.data.size());
        const std::uint32_t header =
            e.compressed ? (0x20000000u | size) : (e.statedSize.value_or(size) & 0x00FFFFFFu);
        const std::size_t at = out.size();
        out.resize(at + 4);
        zorbel::storeU32(out, at, header);
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

std::vector<std::uint8_t> buildStringTable(const std::vector<std::string>& strings) {
    const auto count = static_cast<std::uint32_t>(strings.size());
    std::vector<std::uint8_t> out(2 + 2 * count, 0);
    zorbel::storeU16(out, 0, static_cast<std::uint16_t>(count));
    for (std::uint32_t i = 0; i < count; ++i) {
        if (out.size() > 0xFFFF) {
            throw std::length_error("string table larger than 64 KB");
        }
        zorbel::storeU16(out, 2 + 2 * i, static_cast<std::uint16_t>(out.size()));
        out.insert(out.end(), strings[i].begin(), strings[i].end());
        out.push_back(0);
    }
    return out;
}

}  // namespace gamekit
