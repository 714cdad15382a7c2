// LzDecode on 16 MB of game-like data, against a plain memcpy of the same
// output size in the same run; and extracting one entry from a small and a
// 10 MB archive, which must cost the same.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "archive/lz_decoder.h"
#include "archive/war_archive.h"
#include "tools/gamekit/archive_builder.h"
#include "tools/gamekit/demo_strings.h"
#include "tools/gamekit/lz_encoder.h"
#include "tools/gamekit/random.h"

namespace {

constexpr std::size_t kSize = 16u << 20;

// Sprite-like runs, text and noise, in blocks, as the game's archives mix them.
const std::vector<std::uint8_t>& mixedData() {
    static std::vector<std::uint8_t> data = [] {
        gamekit::Random rng(42);
        std::string text;
        for (const auto& s : gamekit::demoStrings()) {
            text += s + ' ';
        }
        std::vector<std::uint8_t> out;
        out.reserve(kSize);
        while (out.size() < kSize) {
            switch (rng.below(3)) {
                case 0:  // sprite rows: runs of a few colours
                    for (int i = 0; i < 64; ++i) {
                        out.insert(out.end(), rng.below(12) + 1,
                                   static_cast<std::uint8_t>(rng.below(16) + 200));
                    }
                    break;
                case 1: {  // text
                    const std::size_t at = rng.below(static_cast<std::uint32_t>(text.size() - 400));
                    out.insert(out.end(), text.begin() + static_cast<std::ptrdiff_t>(at),
                               text.begin() + static_cast<std::ptrdiff_t>(at + 400));
                    break;
                }
                default:  // sound samples: little repetition
                    for (int i = 0; i < 300; ++i) {
                        out.push_back(static_cast<std::uint8_t>(128 + static_cast<int>(rng.below(40)) - 20));
                    }
            }
        }
        out.resize(kSize);
        return out;
    }();
    return data;
}

const std::vector<std::uint8_t>& packed() {
    static std::vector<std::uint8_t> p = gamekit::lzEncode(mixedData());
    return p;
}

void BM_LzDecode(benchmark::State& state) {
    const auto& in = packed();
    for (auto _ : state) {
        auto out = zorbel::LzDecode(in, kSize);
        benchmark::DoNotOptimize(out.value().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
    state.counters["ratio"] = static_cast<double>(in.size()) / kSize;
}
BENCHMARK(BM_LzDecode)->Unit(benchmark::kMillisecond);

// The baseline: allocating and copying the same number of output bytes.
void BM_MemcpyOutput(benchmark::State& state) {
    const auto& src = mixedData();
    for (auto _ : state) {
        std::vector<std::uint8_t> out(kSize);
        std::memcpy(out.data(), src.data(), kSize);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(BM_MemcpyOutput)->Unit(benchmark::kMillisecond);

// One small entry from an archive of about 1 MB or 10 MB.
void BM_ExtractOneEntry(benchmark::State& state) {
    const auto megabytes = static_cast<std::size_t>(state.range(0));
    const auto path =
        std::filesystem::temp_directory_path() / ("zorbel-bench-" + std::to_string(megabytes) + ".war");
    std::vector<gamekit::ArchiveEntry> entries;
    const std::vector<std::uint8_t> block(64 * 1024, 0x5A);
    for (std::size_t i = 0; i < megabytes * 16; ++i) {
        entries.push_back({block, false, std::nullopt});
    }
    entries.push_back({std::vector<std::uint8_t>(2000, 7), true, std::nullopt});
    const auto archive = gamekit::buildArchive(entries);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    const auto last = static_cast<std::int32_t>(entries.size() - 1);
    for (auto _ : state) {
        auto entry = zorbel::ReadWarEntry(path, last, "bench.war");
        benchmark::DoNotOptimize(entry.value().data());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ExtractOneEntry)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

}  // namespace
