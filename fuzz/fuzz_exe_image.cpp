// Edits a patched game executable as the editor does. Byte 0 picks the build
// of the test kit's executable; then four bytes a patch: a region (bits 0-1:
// the builds' probes, the fixup tables, the game's tables, the whole file)
// with offset bits 16-21 (bits 2-7), offset bits 0-15 and the new byte. The
// patches are written through the image, which is held once per build, so an
// input costs no copy of the executable. The patched image is recognised;
// a sample of its table pointers chosen by the input is read, compared with
// the walk, written and read back; a word of every table and four catalogue
// fields chosen by the input are read, and the fields written. Undoing the
// edits gives back the patched image, redoing them the edited one, and
// undoing the patches the kit's own.
#include <algorithm>
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

struct Span {
    std::uint32_t from;
    std::uint32_t to;
};

struct Kit {
    zorbel::ExeImage image;
    std::vector<std::uint8_t> bytes;  // as built, and as the image holds them between inputs
    std::array<Span, 4> regions{};
    std::vector<zorbel::TableExtent> tables;
    std::vector<std::uint32_t> positions;
    std::vector<std::vector<std::int64_t>> rows;  // per field of Fields()
};

Kit& kitOf(int build) {
    static std::array<std::unique_ptr<Kit>, zorbel::kBuildCount> kits;
    auto& kit = kits[static_cast<std::size_t>(build)];
    if (kit) {
        return *kit;
    }
    kit = std::make_unique<Kit>();
    kit->bytes = gamekit::buildGameExe(build).bytes;
    kit->image.hold(kit->bytes, build, "fuzz.exe");
    const auto& layout = kit->image.layout();
    kit->tables = zorbel::TableExtents(layout);
    kit->positions = zorbel::TablePointerPositions(layout);
    for (const zorbel::FieldDef* field : zorbel::Fields()) {
        kit->rows.push_back(zorbel::TableRows(field->table, layout));
    }
    const auto probes = std::minmax_element(zorbel::VersionProbe.begin(), zorbel::VersionProbe.end());
    Span tables{kit->tables.front().start, kit->tables.front().end()};
    for (const auto& t : kit->tables) {
        tables = {std::min(tables.from, t.start), std::max(tables.to, t.end())};
    }
    kit->regions = {Span{*probes.first, *probes.second + static_cast<std::uint32_t>(zorbel::kProbeLength)},
                    Span{layout.FixupPageTable, layout.PageBase}, tables,
                    Span{0, static_cast<std::uint32_t>(kit->bytes.size())}};
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

// Ends every input where it began: the kit's bytes, an empty history.
struct Restore {
    zorbel::ExeImage& image;
    ~Restore() {
        while (image.undo()) {
        }
        if (image.modified()) {
            __builtin_trap();  // undoing the patches too gives back the kit's bytes
        }
        image.history().clear();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const int build = data[0] % zorbel::kBuildCount;
    Kit& kit = kitOf(build);
    zorbel::ExeImage& image = kit.image;
    const Restore restore{image};
    std::map<std::size_t, std::uint8_t> patched;
    {
        const zorbel::EditScope step(image, "Patch");
        for (std::size_t i = 1; i + 4 <= size; i += 4) {
            const Span region = kit.regions[data[i] & 3];
            const std::uint32_t offset =
                region.from +
                ((data[i] >> 2) << 16 | data[i + 1] | data[i + 2] << 8) % (region.to - region.from);
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
    // An image recognised as another build belongs to that build's kit.
    if (zorbel::DetectGameVersion(image.bytes()) != build) {
        return 0;
    }
    const std::size_t patchSteps = image.history().undoCount();
    const auto& layout = image.layout();
    auto pick = [&](std::size_t k, std::size_t count) { return (data[k % size] * 131u + k * 977u) % count; };

    for (std::size_t k = 0; k < kit.tables.size(); ++k) {
        (void)image.readU32(kit.tables[k].start + 4 * pick(k, kit.tables[k].length / 4));
    }
    // Four positions a few rows apart from one the input picks, so that they
    // share a page or two: each page looked into costs a walk of its records.
    const std::size_t first = (data[size - 1] * 256u + data[size / 2]) % kit.positions.size();
    const std::size_t step = 1 + data[size / 3] % 4;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::uint32_t position = kit.positions[(first + k * step) % kit.positions.size()];
        const std::int32_t target = image.ReadExePointer(position);
        const bool found = image.PointerFound();
        const zorbel::PointerRead walked = zorbel::ReadExePointer(image.bytes(), layout, position);
        if (walked.found != found || walked.target != target) {
            __builtin_trap();  // the index and the walk disagree
        }
        image.WriteExePointer(position, static_cast<std::uint32_t>(target) ^ 0x5A5A5A5Au);
        const std::int32_t again = image.ReadExePointer(position);
        // A pointer that was found reads back what was written (cut to the
        // record's width); one that was not stays absent.
        if (found != image.PointerFound() || (!found && again != -1)) {
            __builtin_trap();
        }
    }
    const auto fields = zorbel::Fields();
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t f = pick(k + 1, fields.size());
        const auto& rows = kit.rows[f];
        if (rows.empty()) {
            continue;
        }
        const std::int64_t row = rows[pick(k + 5, rows.size())];
        const auto value = zorbel::ReadField(image, *fields[f], row);
        const bool wrote = zorbel::WriteField(image, *fields[f], row, value ? value->value + 1 : 1);
        if (wrote && !value) {
            __builtin_trap();  // written where nothing could be read
        }
    }

    const Differences edited = differences(image);
    const std::size_t steps = image.history().undoCount();
    while (image.history().undoCount() > patchSteps && image.undo()) {
    }
    if (differences(image) != expected) {
        __builtin_trap();  // undoing every edit gives back the patched image
    }
    while (image.redo()) {
    }
    if (image.history().undoCount() != steps || differences(image) != edited) {
        __builtin_trap();
    }
    return 0;
}
