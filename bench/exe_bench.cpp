// Build detection, opening a whole executable, and pointer reads through the
// fixup records, measured against a plain read of the same positions.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "exe/exe_file.h"
#include "exe/exe_image.h"
#include "pages/commands/command_model.h"
#include "tools/gamekit/game_exe.h"

namespace {

const gamekit::GameExe& fixture(int build) {
    static std::vector<gamekit::GameExe> exes = [] {
        std::vector<gamekit::GameExe> all;
        for (int v = 0; v < zorbel::kBuildCount; ++v) {
            all.push_back(gamekit::buildGameExe(v));
        }
        return all;
    }();
    return exes.at(static_cast<std::size_t>(build));
}

void BM_DetectGameVersion(benchmark::State& state) {
    const auto& exe = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(zorbel::DetectGameVersion(exe.bytes));
    }
}
BENCHMARK(BM_DetectGameVersion)->DenseRange(0, 4);

// Reading the file whole from disk and recognising it: what Open costs
// before the pages refresh.
void BM_OpenAndDetect(benchmark::State& state) {
    const auto path = (std::filesystem::temp_directory_path() / "zorbel-bench.exe").string();
    const auto& exe = fixture(4);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(exe.bytes.data()),
               static_cast<std::streamsize>(exe.bytes.size()));
    for (auto _ : state) {
        auto file = zorbel::readWholeFile(path, zorbel::kMaxExecutableSize);
        zorbel::ExeImage image;
        const auto version = zorbel::DetectGameVersion(file.value());
        image.hold(std::move(file.value()), version, path);
        benchmark::DoNotOptimize(image.GameVersion());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * exe.bytes.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenAndDetect)->Unit(benchmark::kMillisecond);

void BM_ReadExePointer_AllTablePointers(benchmark::State& state) {
    const auto& exe = fixture(static_cast<int>(state.range(0)));
    const auto& layout = zorbel::VersionLayouts[static_cast<std::size_t>(exe.version)];
    for (auto _ : state) {
        for (const auto& p : exe.pointers) {
            benchmark::DoNotOptimize(zorbel::ReadExePointer(exe.bytes, layout, p.position));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * exe.pointers.size()));
}
BENCHMARK(BM_ReadExePointer_AllTablePointers)->DenseRange(0, 4, 4)->Unit(benchmark::kMicrosecond);

// The baseline: the same positions read as four plain bytes.
void BM_PlainRead_AllTablePointers(benchmark::State& state) {
    const auto& exe = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (const auto& p : exe.pointers) {
            benchmark::DoNotOptimize(zorbel::loadU32(exe.bytes, p.position));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * exe.pointers.size()));
}
BENCHMARK(BM_PlainRead_AllTablePointers)->DenseRange(0, 4, 4)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The Commands page's cross references: 120 bar lookups per call.
void BM_FindButtonUsers(benchmark::State& state) {
    zorbel::ExeImage image;
    image.hold(fixture(4).bytes, 4, "bench.exe");
    std::int32_t x = 288;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zorbel::FindButtonUsers(image, x));
        x = x == 288 ? 2608 + 18 * 3 : 288;
    }
}
BENCHMARK(BM_FindButtonUsers)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The same pointers read through the image's index, as the pages read them.
void BM_ImagePointer_AllTablePointers(benchmark::State& state) {
    const auto& exe = fixture(static_cast<int>(state.range(0)));
    zorbel::ExeImage image;
    image.hold(exe.bytes, exe.version, "bench.exe");
    for (auto _ : state) {
        for (const auto& p : exe.pointers) {
            benchmark::DoNotOptimize(image.readPointer(p.position));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * exe.pointers.size()));
}
BENCHMARK(BM_ImagePointer_AllTablePointers)->DenseRange(0, 4, 4)->Unit(benchmark::kMicrosecond);

}  // namespace
