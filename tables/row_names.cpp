#include "tables/row_names.h"

#include <array>
#include <utility>

#include "tables/default_command_bars.h"
#include "text/colour_text.h"
#include "text/name_lists.h"

namespace zorbel {

static_assert(fields::BarCount.rows == kUnitRows, "the unit list has a row for every command-bar entry");

std::string RowName(TableId table, std::int64_t row, const std::vector<std::string>* strings) {
    std::string name;
    switch (table) {
        case TableId::Units:
        case TableId::UnitSounds:
        case TableId::CommandBars:
            if (row >= 0) {
                name = PlainGameText(UnitListRow(static_cast<std::size_t>(row), strings));
            }
            break;
        case TableId::Buttons:
            if (auto b = DefaultBarButton(static_cast<std::int32_t>(row))) {
                return "bar " + std::to_string(b->barOffset) + ", button " + std::to_string(b->index + 1);
            }
            return "button at " + std::to_string(row);
        case TableId::Sounds:
            return "Sound #" + std::to_string(row + 1);
        case TableId::Actions:
            return SpellRowText(static_cast<int>(row));
        case TableId::Maps: {
            const auto rows = MapRowTexts();
            if (row >= 0 && row < static_cast<std::int64_t>(rows.size())) {
                name = rows[static_cast<std::size_t>(row)];
                // The first two rows carry a trailing blank on the page.
                while (!name.empty() && name.back() == ' ') {
                    name.pop_back();
                }
            }
            break;
        }
    }
    return name.empty() ? "row " + std::to_string(row) : name;
}

std::vector<std::string> SoundListRows() {
    std::vector<std::string> rows;
    for (std::int64_t r = 0; r < fields::SoundHuman.rows; ++r) {
        rows.push_back(RowName(TableId::Sounds, r, nullptr));
    }
    return rows;
}

std::string SpellRowText(int action) {
    static const auto names = std::to_array<std::pair<int, const char*>>({
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
    });
    const char* name = "?";
    for (const auto& [row, text] : names) {
        if (row == action) {
            name = text;
        }
    }
    return std::to_string(action) + " - " + name;
}

std::vector<std::string> MapRowTexts() {
    std::vector<std::string> rows;
    for (int k = 1; k <= 14; ++k) {
        // The first two human rows carry a trailing blank.
        rows.push_back("human " + std::to_string(k) + (k <= 2 ? " " : ""));
        rows.push_back("orc " + std::to_string(k));
    }
    for (int k = 1; k <= 12; ++k) {
        rows.push_back("human exp " + std::to_string(k));
        rows.push_back("orc exp " + std::to_string(k));
    }
    return rows;
}

}  // namespace zorbel
