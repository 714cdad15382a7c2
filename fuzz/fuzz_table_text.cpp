// The table patch, CSV and JSON readers on any text (the first byte picks
// which), and what they read planned and applied onto an executable of the
// test kit, then undone.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tables/table_export.h"
#include "tools/gamekit/game_exe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto* image = [] {
        auto* held = new zorbel::ExeImage;
        held->hold(gamekit::buildGameExe(2).bytes, 2, "war2.exe");
        return held;
    }();
    if (size == 0) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const auto read = data[0] % 3 == 0   ? zorbel::ReadTablePatch(text, "f")
                      : data[0] % 3 == 1 ? zorbel::ReadTableCsv(text, "f", 2)
                                         : zorbel::ReadTablesJson(text, "f", 2);
    if (!read) {
        if (read.error().rfind("f:", 0) != 0) {
            __builtin_trap();  // every error names the file
        }
        return 0;
    }
    const zorbel::PatchPlan plan = zorbel::PlanTablePatch(*image, read.value());
    if (plan.apply.size() + plan.conflicts.size() + plan.refused.size() + plan.unchanged !=
        read.value().entries.size()) {
        __builtin_trap();
    }
    const std::size_t steps = image->history().undoCount();
    zorbel::ApplyTablePatch(*image, plan, true, "fuzz");
    if (image->history().undoCount() > steps) {
        image->undo();
    }
    if (image->modified()) {
        __builtin_trap();  // undone: every byte as it was
    }
    return 0;
}
