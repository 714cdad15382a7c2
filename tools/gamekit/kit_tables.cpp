#include "tools/gamekit/kit_tables.h"

#include <algorithm>

namespace gamekit::tables {

std::vector<Button> defaultButtons(const Layout& l) {
    std::vector<Button> buttons;
    std::vector<std::int32_t> seen;
    for (const Bar& bar : kDefaultBars) {
        if (bar.offset < 0 || std::find(seen.begin(), seen.end(), bar.offset) != seen.end()) {
            continue;
        }
        seen.push_back(bar.offset);
        for (std::uint32_t k = 0; k < bar.count; ++k) {
            const std::uint32_t at =
                l.ButtonTable + static_cast<std::uint32_t>(bar.offset) + kButtonRecordSize * k;
            if (at + kButtonRecordSize <= l.CommandBarTable) {
                buttons.push_back({bar.offset, k, at});
            }
        }
    }
    return buttons;
}

std::vector<Extent> tableExtents(const Layout& l) {
    const std::uint32_t r = l.SpellRangeTable;
    const std::uint32_t fnz = l.DeathTable - kFnzOffsetBeforeDeath;
    return {
        {"unit records", l.UnitTable, l.UnitTable + kUnitRecordSize * kUnitRecords},
        {"unit fnz", fnz, fnz + 4 * kUnitRecords},
        {"unit after-death", l.DeathTable, l.DeathTable + kDeathEntries},
        {"ready sounds", l.ReadySoundTable, l.ReadySoundTable + kSoundPointerOffset + 4 * kSoundRows},
        {"attack sounds", l.AttackSoundTable, l.AttackSoundTable + kSoundPointerOffset + 4 * kSoundRows},
        {"command bars", l.CommandBarTable, l.CommandBarTable + kCommandBarEntrySize * kCommandBarEntries},
        {"buttons", l.ButtonTable, l.CommandBarTable},
        {"human sounds", l.SoundTable, l.SoundTable + 2 * kSoundNumbers},
        {"orc sounds", l.SoundTable + kOrcSoundOffset, l.SoundTable + kOrcSoundOffset + 2 * kSoundNumbers},
        {"spell mana", l.SpellManaTable, l.SpellManaTable + 2 * kSpells},
        {"spell arrays", r - kSpellFnaBeforeRange, r + kSpells},
        {"map objectives", l.MapObjectiveTable, l.MapObjectiveTable + 4 * kMaps},
        {"map rescues", l.MapRescueTable, l.MapRescueTable + 4 * kMaps},
    };
}

std::vector<std::uint32_t> tablePointerPositions(const Layout& l) {
    std::vector<std::uint32_t> out;
    for (std::uint32_t i = 0; i < kUnitRecords; ++i) {
        out.push_back(l.UnitTable + kUnitRecordSize * i + 6);
        out.push_back(l.UnitTable + kUnitRecordSize * i + 10);
        out.push_back(l.DeathTable - kFnzOffsetBeforeDeath + 4 * i);
    }
    for (std::uint32_t i = 0; i < kSoundRows; ++i) {
        out.push_back(l.ReadySoundTable + kSoundPointerOffset + 4 * i);
        out.push_back(l.AttackSoundTable + kSoundPointerOffset + 4 * i);
    }
    for (std::uint32_t u = 0; u < kCommandBarEntries; ++u) {
        out.push_back(l.CommandBarTable + kCommandBarEntrySize * u + 2);
    }
    for (const Button& b : defaultButtons(l)) {
        out.push_back(b.record + 4);
        out.push_back(b.record + 8);
    }
    for (std::uint32_t i = 0; i < kSpells; ++i) {
        for (std::uint32_t before : {kSpellFnaBeforeRange, kSpellFnbBeforeRange, kSpellFncBeforeRange}) {
            out.push_back(l.SpellRangeTable - before + 4 * i);
        }
    }
    return out;
}

}  // namespace gamekit::tables
