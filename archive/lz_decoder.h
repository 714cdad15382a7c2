#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace zorbel {

inline constexpr const char* kDamagedEntryReason = "The entry's data is damaged.";

// The archives' LZ77 scheme: one flag byte per eight items, lowest bit
// first; a set bit is a literal, a clear one a two-byte copy of 3 to 18
// bytes from an absolute position in a 4096-byte ring that starts zeroed.
// Gives exactly `size` bytes, or the damaged-entry reason when the input
// ends first.
Result<std::vector<std::uint8_t>> LzDecode(ByteView input, std::size_t size);

}  // namespace zorbel
