// Command-line front end of the test kit: writes synthetic game files.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/gamekit/demo_game.h"
#include "tools/gamekit/game_exe.h"
#include "tools/gamekit/random.h"

namespace {

int usage() {
    std::cerr << "usage: gamekit demo FOLDER [--build N]\n"
                 "       gamekit exe FILE [--build N] [--seed S]\n"
                 "       gamekit edited FILE [--build N] [--seed S]   (the exe with 1,000 scattered edits)\n";
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
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
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(exe.bytes.data()),
                  static_cast<std::streamsize>(exe.bytes.size()));
        return out ? 0 : 1;
    }
    return usage();
}
