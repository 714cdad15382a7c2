#pragma once

#include <cstdint>

#include "base/byte_reader.h"

namespace zorbel {

// CRC-32 (IEEE, reflected, as zlib computes it).
std::uint32_t Crc32(ByteView data);

}  // namespace zorbel
