// Plausible contents for the game's tables, so that every page of the editor
// shows real-looking numbers on the demo game.
#include <set>

#include "base/byte_reader.h"
#include "tools/gamekit/demo_strings.h"
#include "tools/gamekit/game_exe.h"
#include "tools/gamekit/kit_tables.h"

namespace gamekit {

using namespace gamekit::tables;
using zorbel::storeU16;
using zorbel::storeU32;

namespace {

void putU8(std::vector<std::uint8_t>& b, std::uint32_t at, std::uint32_t v) {
    b.at(at) = static_cast<std::uint8_t>(v);
}
void putU16(std::vector<std::uint8_t>& b, std::uint32_t at, std::uint32_t v) {
    storeU16(b, at, static_cast<std::uint16_t>(v));
}

std::uint16_t soundWord(std::uint32_t archive, std::uint32_t entry, std::uint32_t flags) {
    return static_cast<std::uint16_t>((archive * 1000 + entry) | flags);
}

}  // namespace

void fillPlainTables(std::vector<std::uint8_t>& b, const Layout& l, Random& rng) {
    for (std::uint32_t i = 0; i < kUnitRecords; ++i) {
        const std::uint32_t at = l.UnitTable + kUnitRecordSize * i;
        putU16(b, at, (i * 7) % 113);                 // icon
        putU16(b, at + 2, i < 58 ? (i % 2) + 1 : 0);  // aux
        putU16(b, at + 4, i <= 103 ? i + 2 : 0);      // name: the string of unit row i
    }
    for (std::uint32_t u = 0; u < kCommandBarEntries; ++u) {
        putU16(b, l.CommandBarTable + kCommandBarEntrySize * u, kDefaultBars[u].count);
    }
    for (const Button& button : defaultButtons(l)) {
        const std::uint32_t at = button.record;
        const std::uint32_t k = button.index;
        const std::uint32_t seq = static_cast<std::uint32_t>(button.barOffset) / 18 + k;
        putU16(b, at, k);                       // position
        putU16(b, at + 2, (seq * 5) % 113);     // icon
        putU8(b, at + 12, k);                   // act parameter
        putU8(b, at + 13, k % 3 == 2 ? 1 : 0);  // req parameter
        putU16(b, at + 14, kFirstLabelString + 1 + seq % static_cast<std::uint32_t>(demoLabelCount()));
        putU16(b, at + 16, k % 4 == 3 ? 1 : 0);  // flags
    }
    for (std::uint32_t i = 0; i < kDeathEntries; ++i) {
        putU8(b, l.DeathTable + i, i >= 28 && i < 40 ? 3 : (i % 2) + 1);
    }
    for (std::uint32_t i = 0; i < kSoundRows; ++i) {
        putU16(b, l.ReadySoundTable + 2 * i, 1 + (i * 11) % 345);
        putU16(b, l.AttackSoundTable + 2 * i, 1 + (i * 17 + 3) % 345);
    }
    // As the game keeps them: of the words of one side that name one entry,
    // the first has Repeat (0x2000) off and every later one has it on.
    std::set<std::uint32_t> humanSeen, orcSeen;
    auto word = [](std::set<std::uint32_t>& seen, std::uint32_t archive, std::uint32_t entry,
                   std::uint32_t flags) {
        const std::uint32_t code = archive * 1000 + entry;
        return soundWord(archive, entry, flags | (seen.insert(code).second ? 0 : 0x2000));
    };
    for (std::uint32_t n = 0; n < kSoundNumbers; ++n) {
        const std::uint32_t flags = n % 23 == 7 ? 0x4000 : 0;
        // Every word names a wave entry of SNDDAT.WAR (2) or SFXDAT.SUD (5).
        const std::uint32_t human = n % 2 == 0 ? 2 : 5;
        const std::uint32_t orc = n % 3 == 0 ? 2 : 5;
        auto entry = [](std::uint32_t archive, std::uint32_t k) { return archive == 2 ? k % 120 : k % 400; };
        putU16(b, l.SoundTable + 2 * n,
               n % 50 == 49 ? 0xFFFF : word(humanSeen, human, entry(human, n), flags));
        putU16(b, l.SoundTable + kOrcSoundOffset + 2 * n, word(orcSeen, orc, entry(orc, n + 17), flags));
    }
    const std::uint32_t r = l.SpellRangeTable;
    for (std::uint32_t i = 0; i < kSpells; ++i) {
        const bool spell = i >= 38 && i <= 56;
        putU16(b, l.SpellManaTable + 2 * i, spell ? 25 * (1 + (i - 38) % 8) : 0);
        putU8(b, r + i, spell ? 4 + (i * 3) % 9 : 1);
        putU8(b, r - kSpellUnk1BeforeRange + i, rng.below(4));
        putU8(b, r - kSpellUnk2BeforeRange + i, spell ? 1 : 0);
        putU16(b, r - kSpellUnk3BeforeRange + 2 * i, spell ? 100 + 10 * (i - 38) : 0);
    }
    for (std::uint32_t m = 0; m < kMaps; ++m) {
        std::uint32_t victory = (m * 3) % 31 | (m % 3 == 0 ? 0x100 : 0);
        std::uint32_t rescue = m % 7 == 2 ? 3 + m % 5 : 0;
        if (m == 3) {
            victory = 0x109;
        }
        if (m == 5) {
            victory = 0x214;
            rescue = 0x1005;
        }
        storeU32(b, l.MapObjectiveTable + 4 * m, victory);
        storeU32(b, l.MapRescueTable + 4 * m, rescue);
    }
}

void fillPlainTables(std::vector<std::uint8_t>& b, const zorbel::VersionLayout& l, Random& rng) {
    fillPlainTables(
        b,
        Layout{l.FixupPageTable, l.FixupRecordTable, l.PageBase, l.UnitTable, l.CommandBarTable,
               l.DataObjectBase, l.ButtonTable, l.SpellManaTable, l.SpellRangeTable, l.DeathTable,
               l.SoundTable, l.ReadySoundTable, l.AttackSoundTable, l.MapObjectiveTable, l.MapRescueTable},
        rng);
}

}  // namespace gamekit
