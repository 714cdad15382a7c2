#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exe/exe_image.h"
#include "tables/default_command_bars.h"

namespace zorbel {

// The game's tables as the editor knows them: every field the pages show,
// where it lies in each build, and how it is read and written. Everything
// that speaks of fields (the pages' models, undo, comparing, patches,
// checks) goes through this catalogue; no other list of offsets exists.

enum class TableId : std::uint8_t { Units, UnitSounds, CommandBars, Buttons, Sounds, Actions, Maps };

struct TableDef {
    TableId id;
    std::string_view key;   // stable, for files: "units"
    std::string_view name;  // for people: "Units"
};

enum class FieldKind : std::uint8_t {
    Unsigned,    // a plain number of 1, 2 or 4 bytes
    Pointer,     // a relocated pointer: its target offset, through its fixup record
    BarPointer,  // a relocated pointer to button records, as a BarOffset (from ButtonTable)
    Bits,        // a bit or a group of bits of a word of 1, 2 or 4 bytes
    SoundWord,   // a sound word of 16 bits: archive, entry and three flags
};

// One field of a table. Row r of it lies at the file offset
// layout.*slot + offset + stride x r.
struct FieldDef {
    TableId table;
    std::string_view key;    // stable, for files: "icon"
    std::string_view label;  // the page's label: "Icon"
    FieldKind kind;
    std::uint8_t width;  // bytes of the stored word
    std::uint32_t VersionLayout::*slot;
    std::int32_t offset;
    std::uint32_t stride;
    std::uint32_t rows;  // rows 0 ... rows - 1; Buttons: the default buttons, by BarOffset
    std::uint32_t mask;  // Bits: which bits of the word
    std::string_view hint;
};

// What a field holds. A pointer without a fixup record reads -1, not found.
struct FieldValue {
    std::int64_t value = 0;
    bool found = true;
};

namespace fields {

constexpr FieldDef number(TableId t, std::string_view key, std::string_view label, std::uint8_t width,
                          std::uint32_t VersionLayout::*slot, std::int32_t offset, std::uint32_t stride,
                          std::uint32_t rows, std::string_view hint = {}) {
    return {t, key, label, FieldKind::Unsigned, width, slot, offset, stride, rows, 0, hint};
}
constexpr FieldDef pointer(TableId t, std::string_view key, std::string_view label,
                           std::uint32_t VersionLayout::*slot, std::int32_t offset, std::uint32_t stride,
                           std::uint32_t rows, std::string_view hint = {}) {
    return {t, key, label, FieldKind::Pointer, 4, slot, offset, stride, rows, 0, hint};
}
constexpr FieldDef bits(TableId t, std::string_view key, std::string_view label,
                        std::uint32_t VersionLayout::*slot, std::uint32_t rows, std::uint32_t mask) {
    return {t, key, label, FieldKind::Bits, 4, slot, 0, 4, rows, mask, {}};
}

using L = VersionLayout;
constexpr std::uint32_t kUnits = 110;
constexpr std::uint32_t kUnitsWithSounds = 58;
constexpr auto kBarUnits = static_cast<std::uint32_t>(kUnitTypes);
constexpr std::uint32_t kSounds = 345;
constexpr std::uint32_t kActions = 61;
constexpr std::uint32_t kMaps = 52;

inline constexpr std::string_view kRepeatHint =
    "For the 1st unit that uses the entry # for the GFX this should be off, but all following that have "
    "identical GFX should have this on or else the game will crash on exit";
inline constexpr std::string_view kActHint = "determines what happens when the button is clicked";
inline constexpr std::string_view kReqHint = "Sets the recquirements for the button showing up";

// Units: the 14-byte unit records, the FNZ pointers before the after-death
// bytes, and those bytes.
inline constexpr FieldDef UnitIcon =
    number(TableId::Units, "icon", "Icon", 2, &L::UnitTable, 0, 14, kUnits,
           "This determines what ICON is shown on the side bar for this unit");
inline constexpr FieldDef UnitAux = number(TableId::Units, "aux", "?", 2, &L::UnitTable, 2, 14, kUnits);
inline constexpr FieldDef UnitName = number(TableId::Units, "name", "Name", 2, &L::UnitTable, 4, 14, kUnits,
                                            "Select the name of the unit here.");
inline constexpr FieldDef UnitFna = pointer(TableId::Units, "fna", "FNA", &L::UnitTable, 6, 14, kUnits);
inline constexpr FieldDef UnitFnb =
    pointer(TableId::Units, "fnb", "FNB", &L::UnitTable, 10, 14, kUnits,
            "Determines what statistics are shown on the side bar when the unit is selected.");
inline constexpr FieldDef UnitFnz = pointer(TableId::Units, "fnz", "FNZ", &L::DeathTable, -597, 4, kUnits,
                                            "Sets various variables based on the number of units of this");
inline constexpr FieldDef UnitDeath =
    number(TableId::Units, "after_death", "After Death", 1, &L::DeathTable, 0, 1, kUnitsWithSounds,
           "After the unit is dead, this determines what is shown.");

// Unit sounds: 58 sound numbers, then 58 pointers, in each of two tables.
inline constexpr FieldDef UnitReady =
    number(TableId::UnitSounds, "ready", "Ready", 2, &L::ReadySoundTable, 0, 2, kUnitsWithSounds,
           "The sound # (from the sound table) that is played when the unit is created.");
inline constexpr FieldDef UnitAck =
    pointer(TableId::UnitSounds, "ack", "Ack FN", &L::ReadySoundTable, 116, 4, kUnitsWithSounds,
            "The function that determines what sound is played when the unit is clicked on.");
inline constexpr FieldDef UnitAttack =
    number(TableId::UnitSounds, "attack", "Attack", 2, &L::AttackSoundTable, 0, 2, kUnitsWithSounds,
           "A reference to a sound in the sound table, that is played EACH TIME the unit strikes.");
inline constexpr FieldDef UnitSelected =
    pointer(TableId::UnitSounds, "selected", "Selected Fn", &L::AttackSoundTable, 116, 4, kUnitsWithSounds,
            "The function that tells what sound is played when the unit is selected(annoyed).");

// Command bars: per unit a button count and a pointer to the first button.
inline constexpr FieldDef BarCount =
    number(TableId::CommandBars, "count", "Commands", 2, &L::CommandBarTable, 0, 6, kBarUnits,
           "This is the # of icons that are on the units command bar. ");
inline constexpr FieldDef BarData = {TableId::CommandBars,
                                     "bar",
                                     "Command Data",
                                     FieldKind::BarPointer,
                                     4,
                                     &L::CommandBarTable,
                                     2,
                                     6,
                                     kBarUnits,
                                     0,
                                     "This is a reference (offset) to the command bar for this unit."};

// Buttons: 18-byte records; a row is the button's BarOffset.
inline constexpr FieldDef ButtonPosition =
    number(TableId::Buttons, "position", "Position", 2, &L::ButtonTable, 0, 1, 0);
inline constexpr FieldDef ButtonIcon = number(TableId::Buttons, "icon", "Icon", 2, &L::ButtonTable, 2, 1, 0);
inline constexpr FieldDef ButtonReqFn =
    pointer(TableId::Buttons, "req_fn", "Req Fn", &L::ButtonTable, 4, 1, 0, kReqHint);
inline constexpr FieldDef ButtonActFn =
    pointer(TableId::Buttons, "act_fn", "Act Fn", &L::ButtonTable, 8, 1, 0, kActHint);
inline constexpr FieldDef ButtonActParam =
    number(TableId::Buttons, "act_param", "Act Parameter", 1, &L::ButtonTable, 12, 1, 0, kActHint);
inline constexpr FieldDef ButtonReqParam =
    number(TableId::Buttons, "req_param", "Req Parameter", 1, &L::ButtonTable, 13, 1, 0, kReqHint);
inline constexpr FieldDef ButtonLabel =
    number(TableId::Buttons, "label", "Label", 2, &L::ButtonTable, 14, 1, 0);
inline constexpr FieldDef ButtonFlags =
    number(TableId::Buttons, "flags", "Flags", 2, &L::ButtonTable, 16, 1, 0);

// Sounds: a human and an orc word per sound number, the orc array 692 bytes on.
inline constexpr FieldDef SoundHuman = {
    TableId::Sounds, "human", "Human Sound", FieldKind::SoundWord, 2, &L::SoundTable, 0, 2,
    kSounds,         0,       kRepeatHint};
inline constexpr FieldDef SoundOrc = {
    TableId::Sounds, "orc", "Orc Sound", FieldKind::SoundWord, 2, &L::SoundTable, 692, 2,
    kSounds,         0,     kRepeatHint};

// Actions: the mana array, and the block of arrays before the range array R.
inline constexpr FieldDef ActionMana = number(TableId::Actions, "mana", "Mana", 2, &L::SpellManaTable, 0, 2,
                                              kActions, "The amount of mana recquired to cast this spell.");
inline constexpr FieldDef ActionRange =
    number(TableId::Actions, "range", "Range", 1, &L::SpellRangeTable, 0, 1, kActions,
           "This determines the maximum range of the spell.");
inline constexpr FieldDef ActionUnk1 =
    number(TableId::Actions, "unk1", "Unk 1", 1, &L::SpellRangeTable, -244, 1, kActions);
inline constexpr FieldDef ActionUnk2 =
    number(TableId::Actions, "unk2", "Unk 2", 1, &L::SpellRangeTable, -183, 1, kActions);
inline constexpr FieldDef ActionUnk3 =
    number(TableId::Actions, "unk3", "Unk 3", 2, &L::SpellRangeTable, -122, 2, kActions);
inline constexpr FieldDef ActionFna = pointer(TableId::Actions, "fna", "FNA", &L::SpellRangeTable, -976, 4,
                                              kActions, "? - possibly determines LEGAL targets?");
inline constexpr FieldDef ActionFnb =
    pointer(TableId::Actions, "fnb", "FNB", &L::SpellRangeTable, -732, 4, kActions);
inline constexpr FieldDef ActionFnc =
    pointer(TableId::Actions, "fnc", "FNC", &L::SpellRangeTable, -488, 4, kActions,
            "Action Function -- determines what this spell does.");

// Maps: a victory word and a rescue word per campaign map.
inline constexpr FieldDef MapObjective =
    bits(TableId::Maps, "objective", "Objective", &L::MapObjectiveTable, kMaps, 0xFF);
inline constexpr FieldDef MapKillAll =
    bits(TableId::Maps, "kill_all", "Kill ALL", &L::MapObjectiveTable, kMaps, 0x100);
inline constexpr FieldDef MapRescue =
    bits(TableId::Maps, "rescue", "Rescue", &L::MapObjectiveTable, kMaps, 0x200);
inline constexpr FieldDef MapRescues =
    bits(TableId::Maps, "rescues", "Rescues", &L::MapRescueTable, kMaps, 0xFFF);
inline constexpr FieldDef MapRescueFlag =
    bits(TableId::Maps, "rescue_flag", "Rescue Flag", &L::MapRescueTable, kMaps, 0x1000);

}  // namespace fields

// Every table, in the order of the pages, and every field, table by table.
std::span<const TableDef> Tables();
std::span<const FieldDef* const> Fields();
const TableDef& TableOf(TableId id);
std::vector<const FieldDef*> TableFields(TableId id);

const TableDef* FindTable(std::string_view key);
const FieldDef* FindField(std::string_view table, std::string_view field);

// The rows a table has in a build: 0 ... n-1, or for Buttons the BarOffsets
// of the default buttons that lie wholly in the build's button area.
std::vector<std::int64_t> TableRows(TableId id, const VersionLayout& layout);
bool HasRow(const FieldDef& field, const VersionLayout& layout, std::int64_t row);

// Where row `row` of a field lies; it may lie outside the image, which
// ReadFieldAt and WriteFieldAt check.
std::int64_t FieldPosition(const FieldDef& field, const VersionLayout& layout, std::int64_t row);

// A field at a file position; nothing while no image is held or when the
// stored word does not lie wholly inside the image.
std::optional<FieldValue> ReadFieldAt(const ExeImage& image, const FieldDef& field, std::int64_t position);
// Stores a value cut to the field: the low bits of a number, the bits of a
// bit group (the rest of its word kept), a pointer's target in its fixup
// record. False when nothing could be written (no image, outside the image,
// a pointer without a record).
bool WriteFieldAt(ExeImage& image, const FieldDef& field, std::int64_t position, std::int64_t value);

// The same by row, for the rows the field has.
std::optional<FieldValue> ReadField(const ExeImage& image, const FieldDef& field, std::int64_t row);
bool WriteField(ExeImage& image, const FieldDef& field, std::int64_t row, std::int64_t value);

// Whether a field is a relocated pointer, read through its fixup record.
bool IsPointer(const FieldDef& field);

// A field's key for the history, and back.
StepKey FieldKey(const FieldDef& field, std::int64_t row);
const FieldDef* FieldOf(const StepKey& key);
// "Icon of 3. Peon".
std::string StepLabel(const FieldDef& field, const std::string& rowName);

// One table's bytes in a build: where they start and how long they are.
struct TableExtent {
    std::string name;
    std::uint32_t start;
    std::uint32_t length;
    std::uint32_t end() const { return start + length; }
};
// The spans of every field's array, joined where they meet within a table;
// the button area runs from ButtonTable up to the command-bar table.
std::vector<TableExtent> TableExtents(const VersionLayout& layout);
// The file positions of every relocated pointer of every row.
std::vector<std::uint32_t> TablePointerPositions(const VersionLayout& layout);

}  // namespace zorbel
