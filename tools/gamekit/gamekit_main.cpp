// Command-line front end of the test kit: writes synthetic game files.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "tools/gamekit/demo_game.h"
#include "tools/gamekit/game_exe.h"
#include "tools/gamekit/patch_builder.h"
#include "tools/gamekit/random.h"

namespace {

int usage() {
    std::cerr
        << "usage: gamekit demo FOLDER [--build N]\n"
           "       gamekit exe FILE [--build N] [--seed S]\n"
           "       gamekit edited FILE [--build N] [--seed S]   (the exe with 1,000 scattered edits)\n"
           "       gamekit shifted FROM SIZE CLEAN CHANGED     (SIZE bytes of FROM, repeated as needed,\n"
           "                                                    and a copy with edits, an insertion and a "
           "cut)\n";
    return 2;
}

}  // namespace

bool save(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int shifted(const std::string& from, const std::string& size, const std::string& clean,
            const std::string& changed) {
    std::ifstream in(from, std::ios::binary);
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), {});
    const auto n = static_cast<std::size_t>(std::strtoull(size.c_str(), nullptr, 10));
    if (data.empty() || n == 0) {
        std::cerr << "gamekit: nothing to read from " << from << "\n";
        return 1;
    }
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t k = 0; k < n; ++k) {
        bytes[k] = data[k % data.size()];
    }
    return save(clean, bytes) && save(changed, gamekit::shiftedCopy(bytes, 20261207)) ? 0 : 1;
}

int main(int argc, char* argv[]) {
    if (argc == 6 && std::string(argv[1]) == "shifted") {
        return shifted(argv[2], argv[3], argv[4], argv[5]);
    }
    if (argc < 3) {
        return usage();
    }
    const std::string command = argv[1];
    const std::string target = argv[2];
    int build = 4;
    unsigned long seed = 1;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--build") {
            build = std::atoi(argv[i + 1]);
        } else if (option == "--seed") {
            seed = std::strtoul(argv[i + 1], nullptr, 10);
        } else {
            return usage();
        }
    }
    if (build < 0 || build > 4) {
        std::cerr << "gamekit: builds are 0 to 4\n";
        return 2;
    }
    if (command == "demo") {
        const std::string error = gamekit::writeDemoGame(target, build);
        if (!error.empty()) {
            std::cerr << "gamekit: " << error << "\n";
            return 1;
        }
        return 0;
    }
    if (command == "exe" || command == "edited") {
        auto exe = gamekit::buildGameExe(build, seed);
        if (command == "edited") {
            gamekit::Random rng(seed + 1000);
            for (int e = 0; e < 1000; ++e) {
                const auto at = rng.below(static_cast<std::uint32_t>(exe.bytes.size() - 4));
                for (std::uint32_t k = 0; k <= rng.below(4); ++k) {
                    exe.bytes[at + k] ^= static_cast<std::uint8_t>(1 + rng.below(255));
                }
            }
        }
        return save(target, exe.bytes) ? 0 : 1;
    }
    return usage();
}
