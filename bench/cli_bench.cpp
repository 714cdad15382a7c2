// zorbel-cli as whole processes: make-patch and apply of a 1,000-field
// patch and the JSON export of every table, on images of about 1 MB, beside
// the start of a process that does nothing, measured in the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tables/catalogue.h"
#include "tables/table_export.h"
#include "tools/gamekit/game_exe.h"

extern char** environ;

namespace zorbel {
namespace {

namespace fs = std::filesystem;

int spawn(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    // What the program prints goes nowhere, as a script would discard it.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void save(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A clean build-4 image and one with 1,000 plain fields changed.
struct Files {
    fs::path dir = fs::temp_directory_path() / "zorbel-cli-bench";
    std::string clean = (dir / "war2.exe").string(), mod = (dir / "mod.exe").string(),
                patch = (dir / "mod.ztp").string(), out = (dir / "out.exe").string();
    std::size_t changed = 0;
    Files() {
        fs::create_directories(dir);
        const auto bytes = gamekit::buildGameExe(4).bytes;
        save(clean, bytes);
        ExeImage image;
        image.hold(bytes, 4, "mod.exe");
        for (const FieldDef* f : Fields()) {
            if (f->kind != FieldKind::Unsigned && f->kind != FieldKind::SoundWord) {
                continue;
            }
            for (std::int64_t row : TableRows(f->table, image.layout())) {
                const auto v = ReadField(image, *f, row);
                if (changed < 1000 && v && WriteField(image, *f, row, (v->value + 1) & 0xFF)) {
                    ++changed;
                }
            }
        }
        save(mod, {image.bytes().begin(), image.bytes().end()});
        spawn({ZORBEL_CLI_PATH, "make-patch", clean, mod, "-o", patch});
    }
    ~Files() { fs::remove_all(dir); }
};

void BM_ProcessThatDoesNothing(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(spawn({"/bin/true"}));
    }
}
BENCHMARK(BM_ProcessThatDoesNothing)->Unit(benchmark::kMillisecond);

// zorbel-cli run with `args` over and over.
void runCli(benchmark::State& state, const std::vector<std::string>& args) {
    std::vector<std::string> command = {ZORBEL_CLI_PATH};
    command.insert(command.end(), args.begin(), args.end());
    for (auto _ : state) {
        if (spawn(command) != 0) {
            state.SkipWithError((args[0] + " failed").c_str());
        }
    }
}

void BM_MakePatchProcess(benchmark::State& state) {
    Files f;
    runCli(state, {"make-patch", f.clean, f.mod, "-o", f.patch});
    state.counters["fields"] = static_cast<double>(f.changed);
}
BENCHMARK(BM_MakePatchProcess)->Unit(benchmark::kMillisecond);

void BM_ApplyProcess(benchmark::State& state) {
    Files f;
    runCli(state, {"apply", f.patch, f.clean, "-o", f.out});
    state.counters["fields"] = static_cast<double>(f.changed);
}
BENCHMARK(BM_ApplyProcess)->Unit(benchmark::kMillisecond);

void BM_ExportJsonProcess(benchmark::State& state) {
    Files f;
    const std::string json = (f.dir / "tables.json").string();
    runCli(state, {"export", f.mod, "--json", json});
    state.counters["bytes"] = static_cast<double>(fs::file_size(json));
}
BENCHMARK(BM_ExportJsonProcess)->Unit(benchmark::kMillisecond);

// The same text made in the process, without the start, the reading and the writing.
void BM_WriteTablesJson(benchmark::State& state) {
    ExeImage image;
    image.hold(gamekit::buildGameExe(4).bytes, 4, "war2.exe");
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteTablesJson(image, nullptr));
    }
}
BENCHMARK(BM_WriteTablesJson)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorbel
