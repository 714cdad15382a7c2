// Treats the input as a game executable: recognise the build, then read and
// write every table pointer of it, read every plain table field, write every
// catalogue field of some rows by key, and undo it all back to the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "exe/exe_image.h"
#include "tables/catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    const std::int32_t version = zorbel::DetectGameVersion(bytes);
    if (version == zorbel::kNoGame) {
        return 0;
    }
    const std::vector<std::uint8_t> input = bytes;
    zorbel::ExeImage image;
    image.hold(std::move(bytes), version, "fuzz.exe");
    const auto& layout = image.layout();
    for (const auto& table : zorbel::TableExtents(layout)) {
        for (std::uint32_t at = table.start; at < table.end(); at += 4) {
            (void)image.readU32(at);
        }
    }
    for (std::uint32_t position : zorbel::TablePointerPositions(layout)) {
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
    for (const zorbel::FieldDef* field : zorbel::Fields()) {
        const auto rows = zorbel::TableRows(field->table, layout);
        for (std::size_t k = 0; k < rows.size(); k += 37) {
            const auto value = zorbel::ReadField(image, *field, rows[k]);
            const bool wrote = zorbel::WriteField(image, *field, rows[k], value ? value->value + 1 : 1);
            if (wrote && !value) {
                __builtin_trap();  // written where nothing could be read
            }
        }
    }
    const std::vector<std::uint8_t> edited(image.bytes().begin(), image.bytes().end());
    const std::size_t steps = image.history().undoCount();
    while (image.undo()) {
    }
    if (image.modified() ||
        !std::equal(input.begin(), input.end(), image.bytes().begin(), image.bytes().end())) {
        __builtin_trap();  // undoing everything gives back the input
    }
    while (image.redo()) {
    }
    if (image.history().undoCount() != steps ||
        !std::equal(edited.begin(), edited.end(), image.bytes().begin(), image.bytes().end())) {
        __builtin_trap();
    }
    return 0;
}
