// Drives the fixup walker over small inputs: the first 12 bytes choose where
// the page table, the records and the pages lie inside the input, the rest is
// the image. Every position of the image is looked up and written.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/byte_reader.h"
#include "exe/fixups.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 12) {
        return 0;
    }
    const std::vector<std::uint8_t> image(data + 12, data + size);
    zorbel::VersionLayout layout{};
    const auto span = std::span<const std::uint8_t>(data, 12);
    layout.FixupPageTable = *zorbel::loadU32(span, 0) % (image.size() + 16);
    layout.FixupRecordTable = *zorbel::loadU32(span, 4) % (image.size() + 16);
    layout.PageBase = *zorbel::loadU32(span, 8) % (image.size() + 16);
    for (std::int64_t position = -1; position <= static_cast<std::int64_t>(image.size()) + 1; ++position) {
        const auto read = zorbel::ReadExePointer(image, layout, position);
        const auto edits = zorbel::PointerWriteEdits(image, layout, position, 0xDEADBEEF);
        if (read.found == edits.empty()) {
            __builtin_trap();  // a found pointer is always writable, a missing one never
        }
        for (const auto& edit : edits) {
            if (edit.offset + edit.bytes.size() > image.size()) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
