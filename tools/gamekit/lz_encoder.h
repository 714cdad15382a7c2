#pragma once

#include <cstdint>
#include <vector>

#include "base/byte_reader.h"

namespace gamekit {

// The kit's own encoder for the archives' LZ scheme: greedy longest matches
// (3 to 18 bytes) within the last 4096 bytes written.
std::vector<std::uint8_t> lzEncode(zorbel::ByteView data);

}  // namespace gamekit
