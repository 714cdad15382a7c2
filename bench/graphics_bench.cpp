// Converting the demo game's 200-frame icon sprite (46 x 38 frames) into a
// bitmap in memory.
#include <benchmark/benchmark.h>

#include "graphics/sprite_converter.h"
#include "tools/gamekit/sprite_builder.h"

namespace {

void BM_ConvertIconSprite(benchmark::State& state) {
    const auto sprite = gamekit::demoIconSprite(200);
    const auto raw = gamekit::demoPalette();
    zorbel::Palette768 palette{};
    for (std::size_t k = 0; k < palette.size(); ++k) {
        palette[k] = static_cast<std::uint8_t>(raw[k] * 4);
    }
    for (auto _ : state) {
        auto sheet = zorbel::ConvertSpriteToMemory(sprite, palette, zorbel::SpriteOptions{});
        benchmark::DoNotOptimize(sheet.value().bitmap.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 200));
}
BENCHMARK(BM_ConvertIconSprite)->Unit(benchmark::kMicrosecond);

}  // namespace
