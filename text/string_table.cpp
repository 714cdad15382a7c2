#include "text/string_table.h"

#include <algorithm>

namespace zorbel {

namespace {

// The game's strings are short; a damaged table whose strings all run on to
// the end of the entry must not take memory by the gigabyte.
constexpr std::size_t kMaxStringLength = 4096;

}  // namespace

std::vector<std::string> ParseStringTable(ByteView entry) {
    std::vector<std::string> strings;
    const auto count = loadU16(entry, 0);
    if (!count) {
        return strings;
    }
    std::vector<std::uint16_t> offsets;
    for (std::uint32_t i = 0; i < *count; ++i) {
        auto offset = loadU16(entry, 2 + 2 * std::uint64_t{i});
        if (!offset) {
            break;
        }
        offsets.push_back(*offset);
    }
    // Works on a copy, string by string, as the game's own reader does: a
    // string without its terminator reads on into the next one.
    std::vector<std::uint8_t> buffer(entry.begin(), entry.end());
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::size_t start = offsets[i];
        if (start >= buffer.size()) {
            strings.emplace_back();
            continue;
        }
        if (i + 1 < offsets.size() && offsets[i + 1] > start) {
            const std::size_t spanEnd = offsets[i + 1];
            for (std::size_t k = start + 1; k + 1 < spanEnd && k < buffer.size(); ++k) {
                if (buffer[k] == 0) {
                    buffer[k] = 0xFF;
                }
            }
        }
        const auto first = buffer.begin() + static_cast<std::ptrdiff_t>(start);
        const auto limit =
            first + static_cast<std::ptrdiff_t>(std::min(kMaxStringLength, buffer.size() - start));
        strings.emplace_back(first, std::find(first, limit, std::uint8_t{0}));
    }
    return strings;
}

}  // namespace zorbel
