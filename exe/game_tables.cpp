#include "exe/game_tables.h"

#include "pages/commands/default_command_bars.h"

namespace zorbel {

using namespace tables;

std::vector<TableExtent> TableExtents(const VersionLayout& l) {
    const std::uint32_t r = l.SpellRangeTable;
    return {
        {"units", l.UnitTable, kUnitRecords * kUnitRecordSize},
        {"command bars", l.CommandBarTable, kCommandBarEntries * kCommandBarEntrySize},
        {"buttons", l.ButtonTable, l.CommandBarTable - l.ButtonTable},
        {"spell mana", l.SpellManaTable, kSpells * 2},
        {"spell block", r - kSpellFnaBeforeRange, kSpellFnaBeforeRange + kSpells},
        {"after death", l.DeathTable, kDeathEntries},
        {"FNZ pointers", l.DeathTable - kFnzOffsetBeforeDeath, kUnitRecords * 4},
        {"sounds", l.SoundTable, kOrcSoundOffset + kSoundNumbers * 2},
        {"ready sounds", l.ReadySoundTable, kSoundRows * 6},
        {"attack sounds", l.AttackSoundTable, kSoundRows * 6},
        {"map objectives", l.MapObjectiveTable, kMaps * 4},
        {"map rescues", l.MapRescueTable, kMaps * 4},
    };
}

std::vector<std::uint32_t> TablePointerPositions(const VersionLayout& l) {
    std::vector<std::uint32_t> out;
    for (std::uint32_t i = 0; i < kUnitRecords; ++i) {
        out.push_back(l.UnitTable + kUnitRecordSize * i + 6);
        out.push_back(l.UnitTable + kUnitRecordSize * i + 10);
        out.push_back(l.DeathTable - kFnzOffsetBeforeDeath + 4 * i);
    }
    for (std::uint32_t u = 0; u < kCommandBarEntries; ++u) {
        out.push_back(l.CommandBarTable + kCommandBarEntrySize * u + 2);
    }
    for (std::uint32_t i = 0; i < kSoundRows; ++i) {
        out.push_back(l.ReadySoundTable + kSoundPointerOffset + 4 * i);
        out.push_back(l.AttackSoundTable + kSoundPointerOffset + 4 * i);
    }
    for (std::uint32_t i = 0; i < kSpells; ++i) {
        out.push_back(l.SpellRangeTable - kSpellFnaBeforeRange + 4 * i);
        out.push_back(l.SpellRangeTable - kSpellFnbBeforeRange + 4 * i);
        out.push_back(l.SpellRangeTable - kSpellFncBeforeRange + 4 * i);
    }
    // Req Fn and Act Fn of every default button in the button area.
    for (const DefaultButton& button : DefaultButtons(l)) {
        out.push_back(button.record + 4);
        out.push_back(button.record + 8);
    }
    return out;
}

}  // namespace zorbel
