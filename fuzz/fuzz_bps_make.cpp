// The BPS writer on pairs made from the input, then the applier on what it
// wrote: the target must come back. The first byte gives the source's
// length (0-255 bytes of the input); the rest, three bytes at a time, builds
// the target from pieces of the source, pieces of the target so far (which
// may overlap what they repeat) and new bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "patch/patch_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t sourceSize = std::min<std::size_t>(data[0], size - 1);
    std::vector<std::uint8_t> source(data + 1, data + 1 + sourceSize);
    std::vector<std::uint8_t> target;
    for (std::size_t at = 1 + sourceSize; at + 3 <= size && target.size() < 1 << 16; at += 3) {
        const std::uint8_t op = data[at];
        const std::size_t length = 1 + data[at + 2] % 64 * (op >> 2 & 7);
        if (op % 3 == 0 && !source.empty()) {  // a piece of the source
            for (std::size_t k = 0; k < length; ++k) {
                target.push_back(source[(data[at + 1] + k) % source.size()]);
            }
        } else if (op % 3 == 1 && !target.empty()) {  // a piece of the target, back from its end
            const std::size_t from = target.size() - 1 - data[at + 1] % target.size();
            for (std::size_t k = 0; k < length; ++k) {
                target.push_back(target[from + k]);
            }
        } else {
            target.push_back(data[at + 1]);
            target.push_back(data[at + 2]);
        }
    }
    const auto patch = zorbel::CreateBpsPatch(source, target);
    const auto back = zorbel::ApplyBpsPatch(patch, source);
    if (!back.ok() || back.value() != target) {
        __builtin_trap();
    }
    return 0;
}
