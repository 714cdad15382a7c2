// Comparing the open image with its reference, Find, and the checks, over
// every field.
#include <benchmark/benchmark.h>

#include "checks/table_checks.h"
#include "tables/compare.h"
#include "tools/gamekit/demo_strings.h"
#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

// Two images of build 4 with a field changed in every table and a byte
// outside them, so that every step of the comparison runs.
struct Pair {
    ExeImage reference, image;
    Pair() {
        const auto bytes = gamekit::buildGameExe(4).bytes;
        reference.hold(bytes, 4, "WAR2.EXE");
        image.hold(bytes, 4, "mod.exe");
        for (const TableDef& t : Tables()) {
            const FieldDef* f = TableFields(t.id).front();
            WriteField(image, *f, TableRows(t.id, image.layout())[3], 77);
        }
        image.writeU8(0x2000, static_cast<std::uint8_t>(image.bytes()[0x2000] ^ 1));
    }
};

void BM_CompareAllFields(benchmark::State& state) {
    Pair p;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CompareImages(p.reference, p.image));
    }
}
BENCHMARK(BM_CompareAllFields)->Unit(benchmark::kMillisecond);

void BM_FindAllTables(benchmark::State& state) {
    Pair p;
    const auto strings = gamekit::demoStrings();
    const char* queries[] = {"12", "sound 12", "Icon 80", "peon"};
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindInTables(p.image, queries[k++ % 4], &strings));
    }
}
BENCHMARK(BM_FindAllTables)->Unit(benchmark::kMillisecond);

// Every check, with the names and the icon count known, as after an edit.
void BM_CheckAllTables(benchmark::State& state) {
    Pair p;
    const auto strings = gamekit::demoStrings();
    std::size_t problems = 0;
    for (auto _ : state) {
        problems = CheckTables(p.image, {&strings, 210}).size();
        benchmark::DoNotOptimize(problems);
    }
    state.counters["bytes"] = static_cast<double>(p.image.size());
    state.counters["problems"] = static_cast<double>(problems);
}
BENCHMARK(BM_CheckAllTables)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorbel
