#include "tools/gamekit/demo_archives.h"

#include <filesystem>
#include <fstream>

#include "tools/gamekit/archive_builder.h"
#include "tools/gamekit/demo_strings.h"
#include "tools/gamekit/sprite_builder.h"
#include "tools/gamekit/wave_builder.h"

namespace gamekit {

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> bytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}

// Entries that stand for data the editor does not read yet: short texts,
// every third one compressed.
std::vector<ArchiveEntry> fillerEntries(const std::string& archive, int count) {
    std::vector<ArchiveEntry> entries;
    for (int i = 0; i < count; ++i) {
        std::string text = archive + " entry " + std::to_string(i) + ": ";
        text.append(static_cast<std::size_t>(20 + i % 50), static_cast<char>('a' + i % 26));
        entries.push_back({bytesOf(text), i % 3 == 0, std::nullopt});
    }
    return entries;
}

std::string write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? "" : "cannot write " + path.string();
}

}  // namespace

std::string writeDemoArchives(const std::string& dataFolder) {
    const fs::path dir(dataFolder);
    std::error_code ec;
    fs::create_directories(dir, ec);

    auto maindat = fillerEntries("MAINDAT.WAR", 400);
    maindat[2] = {demoPalette(), false, std::nullopt};
    maindat[356] = {demoIconSprite(kDemoIcons), true, std::nullopt};
    auto strdat = fillerEntries("STRDAT.WAR", 4);
    std::vector<ArchiveEntry> sounds;  // SNDDAT.WAR: rising chirps
    for (int i = 0; i < kDemoSoundEntries; ++i) {
        sounds.push_back(
            {chirpWave(300 + 15 * i, 600 + 25 * i, 120 + (i % 5) * 40), i % 2 == 0, std::nullopt});
    }
    std::vector<ArchiveEntry> effects;  // SFXDAT.SUD: falling chirps
    for (int i = 0; i < kDemoEffectEntries; ++i) {
        effects.push_back({chirpWave(2000 - 3 * i, 400 + i, 100 + (i % 7) * 30), i % 3 == 0, std::nullopt});
    }
    strdat[1] = {buildStringTable(demoStrings()), true, std::nullopt};
    struct Archive {
        const char* name;
        std::vector<ArchiveEntry> entries;
        bool unsorted;
    };
    const Archive archives[] = {
        {"MAINDAT.WAR", maindat, false},
        {"SNDDAT.WAR", sounds, true},
        {"REZDAT.WAR", fillerEntries("REZDAT.WAR", 60), false},
        {"STRDAT.WAR", strdat, true},
        {"SFXDAT.SUD", effects, false},
        {"MUDDAT.CUD", fillerEntries("MUDDAT.CUD", 30), true},
    };
    for (const Archive& a : archives) {
        if (auto err = write(dir / a.name, buildArchive(a.entries, a.unsorted)); !err.empty()) {
            return err;
        }
    }
    return "";
}

}  // namespace gamekit
