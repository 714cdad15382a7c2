// Fuzzes the fixup walk on realistic executables: the input picks a build of
// the test kit's executable and patches bytes of its fixup page table and
// records (3-byte offset into that region, then the new byte). A sample of
// the table pointers chosen by the input is then read, written and read back,
// and undoing every write gives back the patched executable.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "exe/exe_image.h"
#include "tables/catalogue.h"
#include "tools/gamekit/game_exe.h"

namespace {

const std::vector<std::uint8_t>& pristine(int build) {
    static std::vector<std::vector<std::uint8_t>> exes = [] {
        std::vector<std::vector<std::uint8_t>> all;
        for (int v = 0; v < zorbel::kBuildCount; ++v) {
            all.push_back(gamekit::buildGameExe(v).bytes);
        }
        return all;
    }();
    return exes[static_cast<std::size_t>(build)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const int build = data[0] % zorbel::kBuildCount;
    const auto& layout = zorbel::VersionLayouts[static_cast<std::size_t>(build)];
    std::vector<std::uint8_t> bytes = pristine(build);
    const std::uint32_t region = layout.PageBase - layout.FixupPageTable;
    for (std::size_t i = 1; i + 4 <= size; i += 4) {
        const std::uint32_t offset = (data[i] | (data[i + 1] << 8) | (data[i + 2] << 16)) % region;
        bytes[layout.FixupPageTable + offset] = data[i + 3];
    }
    const std::vector<std::uint8_t> patched = bytes;
    zorbel::ExeImage image;
    image.hold(std::move(bytes), build, "fuzz.exe");
    static const auto positions = [] {
        std::vector<std::vector<std::uint32_t>> all;
        for (const auto& l : zorbel::VersionLayouts) {
            all.push_back(zorbel::TablePointerPositions(l));
        }
        return all;
    }();
    const auto& mine = positions[static_cast<std::size_t>(build)];
    for (std::size_t i = 0; i < 64; ++i) {
        const std::uint32_t position = mine[(data[i % size] * 131u + i * 977u) % mine.size()];
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
    while (image.undo()) {
    }
    if (!std::equal(patched.begin(), patched.end(), image.bytes().begin(), image.bytes().end())) {
        __builtin_trap();  // records that overlap must still come back byte for byte
    }
    return 0;
}
