#include "pages/spells/spell_model.h"

#include "exe/game_tables.h"

namespace zorbel {

using namespace tables;

namespace {

bool validRow(const ExeImage& image, int action) {
    return image.held() && action >= 0 && action < kSpellRows;
}

}  // namespace

std::optional<SpellView> LoadSpell(const ExeImage& image, int action) {
    if (!validRow(image, action)) {
        return std::nullopt;
    }
    const auto& l = image.layout();
    const auto i = static_cast<std::uint32_t>(action);
    const std::uint32_t r = l.SpellRangeTable;
    SpellView v;
    v.mana = image.readU16(l.SpellManaTable + 2 * i).value_or(0);
    v.range = image.readU8(r + i).value_or(0);
    v.unk1 = image.readU8(r - kSpellUnk1BeforeRange + i).value_or(0);
    v.unk2 = image.readU8(r - kSpellUnk2BeforeRange + i).value_or(0);
    v.unk3 = image.readU16(r - kSpellUnk3BeforeRange + 2 * i).value_or(0);
    v.fna = image.readPointer(r - kSpellFnaBeforeRange + 4 * i);
    v.fnb = image.readPointer(r - kSpellFnbBeforeRange + 4 * i);
    v.fnc = image.readPointer(r - kSpellFncBeforeRange + 4 * i);
    return v;
}

void WriteSpell(ExeImage& image, int action, const SpellValues& v) {
    if (!validRow(image, action)) {
        return;
    }
    const auto& l = image.layout();
    const auto i = static_cast<std::uint32_t>(action);
    const std::uint32_t r = l.SpellRangeTable;
    image.writeU16(l.SpellManaTable + 2 * i, static_cast<std::uint16_t>(v.mana));
    image.writeU8(r + i, static_cast<std::uint8_t>(v.range));
    image.writeU8(r - kSpellUnk1BeforeRange + i, static_cast<std::uint8_t>(v.unk1));
    image.writeU8(r - kSpellUnk2BeforeRange + i, static_cast<std::uint8_t>(v.unk2));
    image.writeU16(r - kSpellUnk3BeforeRange + 2 * i, static_cast<std::uint16_t>(v.unk3));
    image.WriteExePointer(r - kSpellFnaBeforeRange + 4 * i, static_cast<std::uint32_t>(v.fna));
    image.WriteExePointer(r - kSpellFnbBeforeRange + 4 * i, static_cast<std::uint32_t>(v.fnb));
    image.WriteExePointer(r - kSpellFncBeforeRange + 4 * i, static_cast<std::uint32_t>(v.fnc));
}

std::string SpellRowText(int action) {
    static const std::pair<int, const char*> names[] = {
        {2, "Stop"},
        {3, "Move"},
        {5, "Patrol"},
        {8, "Attack"},
        {13, "Stand Ground"},
        {17, "Attack Ground"},
        {19, "Demolish"},
        {23, "Harvest"},
        {24, "Return with Goods"},
        {27, "Repair"},
        {29, "Unload Passenger"},
        {38, "Holy Vision"},
        {39, "Healing"},
        {41, "Exorcism"},
        {42, "Flame Shield"},
        {43, "Fireball"},
        {44, "Slow"},
        {45, "Invisibility"},
        {46, "Polymorph"},
        {47, "Ice Storm"},
        {48, "Eye of Kilrogg"},
        {49, "Bloodlust"},
        {50, "Raise Dead"},
        {51, "Death Coil"},
        {52, "Whirlwind"},
        {53, "Haste"},
        {54, "Unholy Armor"},
        {55, "Runes"},
        {56, "Death and Decay"},
    };
    const char* name = "?";
    for (const auto& [row, text] : names) {
        if (row == action) {
            name = text;
        }
    }
    return std::to_string(action) + " - " + name;
}

}  // namespace zorbel
