// The patch reader on any input: the first byte chooses the source's size
// (0-255 bytes of a fixed pattern), the rest is the patch, BPS or IPS.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "patch/patch_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    std::vector<std::uint8_t> source(data[0]);
    for (std::size_t i = 0; i < source.size(); ++i) {
        source[i] = static_cast<std::uint8_t>(i * 7);
    }
    const zorbel::ByteView patch(data + 1, size - 1);
    (void)zorbel::ApplyBpsPatch(patch, source);
    (void)zorbel::ApplyIpsPatch(patch, source);
    return 0;
}
