// What the edit history costs a keystroke: the Units page's write-back of
// one row (three 16-bit fields) as a step that merges with the last one, on
// an image of 1 MiB; beside it the same write-back with no step open (every
// write a step of its own) and one undo and redo of such a step.
#include <benchmark/benchmark.h>

#include "exe/exe_image.h"
#include "pages/units/unit_model.h"
#include "tools/gamekit/game_exe.h"

namespace {

zorbel::ExeImage oneMebibyteImage() {
    auto exe = gamekit::buildGameExe(4);
    exe.bytes.resize(1u << 20, 0);
    zorbel::ExeImage image;
    image.hold(std::move(exe.bytes), 4, "bench.exe");
    return image;
}

void BM_KeystrokeMerged(benchmark::State& state) {
    auto image = oneMebibyteImage();
    std::int32_t icon = 0;
    for (auto _ : state) {
        const zorbel::EditScope step(image, "Icon of 3. Peon", {"units", 3, "icon"}, true);
        zorbel::WriteUnitBasics(image, 3, ++icon % 200, 1, 4);
    }
    benchmark::DoNotOptimize(image.history().undoCount());
}
BENCHMARK(BM_KeystrokeMerged);

void BM_KeystrokeNewStep(benchmark::State& state) {
    auto image = oneMebibyteImage();
    std::int32_t icon = 0;
    for (auto _ : state) {
        const zorbel::EditScope step(image, "Icon of 3. Peon", {"units", 3, "icon"}, false);
        zorbel::WriteUnitBasics(image, 3, ++icon % 200, 1, 4);
    }
    benchmark::DoNotOptimize(image.history().undoCount());
}
BENCHMARK(BM_KeystrokeNewStep);

void BM_UndoThenRedo(benchmark::State& state) {
    auto image = oneMebibyteImage();
    {
        const zorbel::EditScope step(image, "Icon of 3. Peon", {"units", 3, "icon"}, false);
        zorbel::WriteUnitBasics(image, 3, 125, 1, 4);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(image.undo());
        benchmark::DoNotOptimize(image.redo());
    }
}
BENCHMARK(BM_UndoThenRedo);

}  // namespace
