#pragma once

#include <cstdint>
#include <vector>

#include "base/byte_reader.h"

namespace gamekit {

// The kit's own encoder for the archives' LZ scheme: greedy longest matches
// (3 to 18 bytes) within the last 4096 bytes written.
std::vector<std::uint8_t> lzEncode(zorbel::ByteView data);

// A stream written item by item, for decoder tests: 0 to 255 is a literal
// byte, a negative item a copy made by lzCopy. Flag bytes come before each
// eight items, lowest bit first, set for a literal.
int lzCopy(unsigned ringPosition, unsigned length);  // length 3 to 18
std::vector<std::uint8_t> lzStream(const std::vector<int>& items);

}  // namespace gamekit
