#include "tools/gamekit/demo_game.h"

#include <filesystem>
#include <fstream>

#include "tools/gamekit/demo_archives.h"
#include "tools/gamekit/game_exe.h"

namespace gamekit {

namespace fs = std::filesystem;

namespace {

std::string writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? "" : "cannot write " + path.string();
}

}  // namespace

std::string writeDemoGame(const std::string& folder, int build) {
    std::error_code ec;
    const fs::path root(folder);
    fs::create_directories(root / "DATA", ec);
    fs::create_directories(root / "builds", ec);
    if (ec) {
        return "cannot create " + folder + ": " + ec.message();
    }
    const auto clean = buildGameExe(build);
    if (auto err = writeFile(root / "WAR2.EXE", clean.bytes); !err.empty()) {
        return err;
    }
    // A modified copy beside the clean one, so that a patch can be made at once.
    auto modified = clean.bytes;
    const auto& l = clean.layout();
    modified[l.SpellManaTable + 2 * 43] = 15;  // a cheaper Fireball
    modified[l.UnitTable + 14 * 2] = 60;       // the peasant's icon
    modified[l.MapRescueTable + 4 * 5] = 9;    // more rescues on a map
    if (auto err = writeFile(root / "ZORBELED.EXE", modified); !err.empty()) {
        return err;
    }
    if (auto err = writeDemoArchives((root / "DATA").string()); !err.empty()) {
        return err;
    }
    for (int v = 0; v < 5; ++v) {
        auto err =
            writeFile(root / "builds" / ("war2-build" + std::to_string(v) + ".exe"), buildGameExe(v).bytes);
        if (!err.empty()) {
            return err;
        }
    }
    return "";
}

}  // namespace gamekit
