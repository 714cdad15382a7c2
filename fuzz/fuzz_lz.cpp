// LzDecode on any input: the first two bytes give the unpacked size (up to
// 64 KB), the rest is the compressed stream.
#include <cstddef>
#include <cstdint>

#include "archive/lz_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t unpacked = data[0] | (data[1] << 8);
    auto out = zorbel::LzDecode(zorbel::ByteView(data + 2, size - 2), unpacked);
    if (out.ok() && out.value().size() != unpacked) {
        __builtin_trap();
    }
    return 0;
}
