// Fuzzes the fixup walk on realistic executables: the input picks a build of
// the test kit's executable and patches bytes of its fixup page table and
// records (3-byte offset into that region, then the new byte). The patches
// are written through the image, which is held once per build, so an input
// costs no copy of the executable. A sample of the table pointers chosen by
// the input is then read, compared with the walk, written and read back;
// undoing every write gives back the patched executable, and undoing the
// patches the kit's own.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "exe/exe_image.h"
#include "tables/catalogue.h"
#include "tools/gamekit/game_exe.h"

namespace {

using Differences = std::vector<std::pair<std::size_t, std::uint8_t>>;

struct Kit {
    zorbel::ExeImage image;
    std::vector<std::uint8_t> bytes;  // as built, and as the image holds them between inputs
    std::vector<std::uint32_t> positions;
};

Kit& kitOf(int build) {
    static std::array<std::unique_ptr<Kit>, zorbel::kBuildCount> kits;
    auto& kit = kits[static_cast<std::size_t>(build)];
    if (!kit) {
        kit = std::make_unique<Kit>();
        kit->bytes = gamekit::buildGameExe(build).bytes;
        kit->image.hold(kit->bytes, build, "fuzz.exe");
        kit->positions = zorbel::TablePointerPositions(kit->image.layout());
    }
    return *kit;
}

// Where the image's bytes differ from the kit's, with what they hold there:
// its unsaved ranges, which it keeps exact over every write. Comparing these
// stands for comparing the whole megabyte: a byte that went wrong either
// shows here or leaves the ranges wrong.
Differences differences(const zorbel::ExeImage& image) {
    Differences out;
    for (const auto& [from, to] : image.unsavedRanges().ranges()) {
        for (std::size_t k = from; k < to; ++k) {
            out.emplace_back(k, image.bytes()[k]);
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const int build = data[0] % zorbel::kBuildCount;
    Kit& kit = kitOf(build);
    zorbel::ExeImage& image = kit.image;
    const auto& layout = image.layout();
    const std::uint32_t region = layout.PageBase - layout.FixupPageTable;
    std::map<std::size_t, std::uint8_t> patched;
    {
        const zorbel::EditScope step(image, "Patch");
        for (std::size_t i = 1; i + 4 <= size; i += 4) {
            const std::uint32_t offset =
                layout.FixupPageTable + (data[i] | (data[i + 1] << 8) | (data[i + 2] << 16)) % region;
            image.writeU8(offset, data[i + 3]);
            patched[offset] = data[i + 3];
        }
    }
    Differences expected;
    for (const auto& [offset, value] : patched) {
        if (value != kit.bytes[offset]) {
            expected.emplace_back(offset, value);
        }
    }
    const std::size_t patchSteps = image.history().undoCount();
    // Four positions a few rows apart from one the input picks, so that they
    // share a page or two: each page looked into costs a walk of its records.
    const auto& mine = kit.positions;
    const std::size_t first = (data[size - 1] * 256u + data[size / 2]) % mine.size();
    const std::size_t step = 1 + data[size / 3] % 4;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint32_t position = mine[(first + i * step) % mine.size()];
        const std::int32_t before = image.ReadExePointer(position);
        const bool found = image.PointerFound();
        const zorbel::PointerRead walked = zorbel::ReadExePointer(image.bytes(), layout, position);
        if (walked.found != found || walked.target != before) {
            __builtin_trap();  // the index and the walk disagree
        }
        image.WriteExePointer(position, 0x00012345);
        const std::int32_t after = image.ReadExePointer(position);
        if (found != image.PointerFound() || (!found && (before != -1 || after != -1)) ||
            (found && after != 0x12345 && after != 0x2345)) {
            __builtin_trap();
        }
    }
    while (image.history().undoCount() > patchSteps && image.undo()) {
    }
    if (differences(image) != expected) {
        __builtin_trap();  // records that overlap must still come back byte for byte
    }
    while (image.undo()) {
    }
    if (image.modified()) {
        __builtin_trap();  // and the patches go as they came
    }
    image.history().clear();
    return 0;
}
