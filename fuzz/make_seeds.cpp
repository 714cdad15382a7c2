// Writes seed inputs for the fuzz targets into the folders given.
#include <algorithm>
#include <fstream>
#include <string>
#include <string_view>

#include "exe/version_layout.h"
#include "patch/patch_format.h"
#include "tools/gamekit/archive_builder.h"
#include "tools/gamekit/demo_strings.h"
#include "tools/gamekit/fixup_builder.h"
#include "tools/gamekit/game_exe.h"
#include "tools/gamekit/lz_encoder.h"
#include "tools/gamekit/sprite_builder.h"
#include "tools/gamekit/wave_builder.h"

namespace {

void write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 12) {
        return 2;
    }
    const std::string exeDir = argv[1], fixupDir = argv[2], patchDir = argv[3], archiveDir = argv[4],
                      lzDir = argv[5], stringDir = argv[6], spriteDir = argv[7], waveDir = argv[8],
                      patchFileDir = argv[9], findDir = argv[10], tableTextDir = argv[11];
    // A table patch, a CSV table and a JSON file; the first byte picks the reader.
    const std::pair<const char*, std::string_view> tableTexts[] = {
        {"patch.ztp",
         "\x00zorbel table patch 1\nbase build 2 size 1 crc32 0\n# Units\nunits 3 icon 0 -> 14\n"
         "units 5 fna none -> 4660\nmaps 7 rescue - -> 1\r\n"},
        {"units.csv", "\x01units build 2,row_name,icon,fna\r\n3,\"Peon, \"\"a\"\"\",12,none\r\n4,x,-,\n"},
        {"tables.json",
         "\x02{\"format\": \"zorbel tables 1\", \"build\": 2, \"tables\": {\"maps\": [{\"row\": 7, "
         "\"row_name\": \"\\u00e9\", \"rescue\": 1, \"objective\": 5}], \"buttons\": [{\"row\": 18, "
         "\"icon\": 3e0}]}}"},
    };
    for (const auto& [name, text] : tableTexts) {
        write(tableTextDir + "/" + name, {text.begin(), text.end()});
    }
    for (const char* query : {"12", "$1F", "Icon 80", "mana 0", "sound 12", "SOUND", "pe", "ogre-mage"}) {
        const std::string_view text(query);
        write(findDir + "/" + std::to_string(text.size()) + "-" + std::string(1, text[0]) + ".txt",
              {text.begin(), text.end()});
    }
    {
        std::vector<std::uint8_t> source(40), target(40);
        for (std::size_t i = 0; i < source.size(); ++i) {
            source[i] = static_cast<std::uint8_t>(i * 7);
            target[i] = i % 9 == 0 ? 0xEE : source[i];
        }
        target.push_back(1);
        auto bps = zorbel::CreateBpsPatch(source, target);
        bps.insert(bps.begin(), 0x40 | 40);  // bit 6: its mutations get their CRCs put right
        write(patchFileDir + "/edit.bps", bps);
        auto ips = zorbel::CreateIpsPatch(source, target).value();
        ips.insert(ips.begin(), 40);
        write(patchFileDir + "/edit.ips", ips);
    }
    write(waveDir + "/chirp.wav", gamekit::chirpWave(400, 800, 20));
    write(waveDir + "/stereo16.wav", gamekit::buildWave(22050, 16, 2, std::vector<std::uint8_t>(64, 3)));
    auto icons = gamekit::demoIconSprite(3);
    icons.insert(icons.begin(), 0x0E);  // format 0, compressed, mask, offsets
    write(spriteDir + "/icons.bin", icons);
    gamekit::RawFrame raw;
    raw.w = 3;
    raw.h = 2;
    raw.lines = {{1, 2, 3}, {4, 5, 6}};
    auto plain = gamekit::buildSpriteFile(1, 3, 2, {raw, raw}, false);
    plain.insert(plain.begin(), 0x11);  // format 1, uncompressed, four to a row
    write(spriteDir + "/plain.bin", plain);
    const std::string text = "Footman Grunt Peasant Peon Footman Grunt Peasant Peon";
    const std::vector<std::uint8_t> sample(text.begin(), text.end());
    write(archiveDir + "/mixed.war",
          gamekit::buildArchive(
              {{sample, false, std::nullopt}, {sample, true, std::nullopt}, {{}, true, std::nullopt}}, true));
    auto packed = gamekit::lzEncode(sample);
    packed.insert(packed.begin(), {static_cast<std::uint8_t>(sample.size()), 0});
    write(lzDir + "/text.lz", packed);
    // The unit rows' strings 0-104, each cut to its first letter: 422 bytes.
    std::vector<std::string> strings = gamekit::demoStrings();
    strings.resize(105);
    for (std::string& s : strings) {
        s.resize(std::min<std::size_t>(s.size(), 1));
    }
    write(stringDir + "/strings.bin", gamekit::buildStringTable(strings));
    for (int v = 0; v < 5; ++v) {
        write(patchDir + "/build" + std::to_string(v) + ".bin",
              {static_cast<std::uint8_t>(v), 0x10, 0x02, 0, 0xFF});
    }
    // The kit's executable of each build as it is, with a byte changed in its
    // fixup records and one in its tables, and with its probe text broken.
    for (int v = 0; v < 5; ++v) {
        const auto build = static_cast<std::uint8_t>(v);
        write(exeDir + "/build" + std::to_string(v) + ".bin", {build});
        const auto probe = static_cast<std::uint16_t>(zorbel::VersionProbe[static_cast<std::size_t>(v)] -
                                                      zorbel::VersionProbe[0] + 5);
        write(exeDir + "/patched" + std::to_string(v) + ".bin",
              {build, 0x01, 0x10, 0x02, 0xFF, 0x02, 0x40, 0x00, 0x07});
        write(exeDir + "/probe" + std::to_string(v) + ".bin",
              {build, 0x00, static_cast<std::uint8_t>(probe), static_cast<std::uint8_t>(probe >> 8), 0x01});
    }
    // A small fixup image: page table at 0, records at 16, one page from 64.
    gamekit::FixupRecord list;
    list.sourceType = 0x27;
    list.targetFlags = 0x10;
    list.sourceList = {4, 8};
    auto section = gamekit::buildFixupSection(
        {{gamekit::offset32Record(0x10, 1, 0x1234), list, gamekit::offset32Record(0x20, 2, 0x123456)}});
    std::vector<std::uint8_t> seed = {0, 0, 0, 0, 16, 0, 0, 0, 64, 0, 0, 0};
    std::vector<std::uint8_t> image(64 + 4096, 0);
    std::copy(section.pageTable.begin(), section.pageTable.end(), image.begin());
    std::copy(section.records.begin(),
              section.records.begin() + std::min<std::size_t>(48, section.records.size()),
              image.begin() + 16);
    seed.insert(seed.end(), image.begin(), image.begin() + 256);
    write(fixupDir + "/small.bin", seed);
    return 0;
}
