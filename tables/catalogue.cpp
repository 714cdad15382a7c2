#include "tables/catalogue.h"

#include <algorithm>
#include <bit>

#include "tables/default_command_bars.h"

namespace zorbel {

namespace {

using namespace fields;

constexpr std::array<TableDef, 7> kTables = {{
    {TableId::Units, "units", "Units"},
    {TableId::UnitSounds, "unit_sounds", "Unit sounds"},
    {TableId::CommandBars, "command_bars", "Command bars"},
    {TableId::Buttons, "buttons", "Buttons"},
    {TableId::Sounds, "sounds", "Sounds"},
    {TableId::Actions, "actions", "Actions"},
    {TableId::Maps, "maps", "Maps"},
}};

constexpr std::array<const FieldDef*, 36> kFields = {
    &UnitIcon,       &UnitAux,        &UnitName,    &UnitFna,     &UnitFnb,      &UnitFnz,
    &UnitDeath,      &UnitReady,      &UnitAck,     &UnitAttack,  &UnitSelected, &BarCount,
    &BarData,        &ButtonPosition, &ButtonIcon,  &ButtonReqFn, &ButtonActFn,  &ButtonActParam,
    &ButtonReqParam, &ButtonLabel,    &ButtonFlags, &SoundHuman,  &SoundOrc,     &ActionMana,
    &ActionRange,    &ActionUnk1,     &ActionUnk2,  &ActionUnk3,  &ActionFna,    &ActionFnb,
    &ActionFnc,      &MapObjective,   &MapKillAll,  &MapRescue,   &MapRescues,   &MapRescueFlag,
};

std::uint32_t readWord(const ExeImage& image, std::uint64_t at, int width) {
    switch (width) {
        case 1:
            return image.readU8(at).value_or(0);
        case 2:
            return image.readU16(at).value_or(0);
        default:
            return image.readU32(at).value_or(0);
    }
}

void writeWord(ExeImage& image, std::uint64_t at, int width, std::uint32_t value) {
    switch (width) {
        case 1:
            image.writeU8(at, static_cast<std::uint8_t>(value));
            break;
        case 2:
            image.writeU16(at, static_cast<std::uint16_t>(value));
            break;
        default:
            image.writeU32(at, value);
            break;
    }
}

bool inImage(const ExeImage& image, const FieldDef& f, std::int64_t position) {
    return image.held() && position >= 0 &&
           fitsIn(image.size(), static_cast<std::uint64_t>(position), f.width);
}

}  // namespace

std::span<const TableDef> Tables() {
    return kTables;
}

std::span<const FieldDef* const> Fields() {
    return kFields;
}

const TableDef& TableOf(TableId id) {
    return kTables[static_cast<std::size_t>(id)];
}

std::vector<const FieldDef*> TableFields(TableId id) {
    std::vector<const FieldDef*> out;
    for (const FieldDef* f : Fields()) {
        if (f->table == id) {
            out.push_back(f);
        }
    }
    return out;
}

const TableDef* FindTable(std::string_view key) {
    for (const TableDef& t : kTables) {
        if (t.key == key) {
            return &t;
        }
    }
    return nullptr;
}

const FieldDef* FindField(std::string_view table, std::string_view field) {
    const TableDef* t = FindTable(table);
    if (t == nullptr) {
        return nullptr;
    }
    for (const FieldDef* f : Fields()) {
        if (f->table == t->id && f->key == field) {
            return f;
        }
    }
    return nullptr;
}

std::vector<std::int64_t> TableRows(TableId id, const VersionLayout& layout) {
    std::vector<std::int64_t> rows;
    if (id == TableId::Buttons) {
        for (const DefaultButton& b : DefaultButtons(layout)) {
            rows.push_back(b.barOffset + kButtonRecordSize * static_cast<std::int32_t>(b.index));
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    std::uint32_t count = 0;
    for (const FieldDef* f : TableFields(id)) {
        count = std::max(count, f->rows);
    }
    for (std::uint32_t r = 0; r < count; ++r) {
        rows.push_back(r);
    }
    return rows;
}

bool HasRow(const FieldDef& f, const VersionLayout& layout, std::int64_t row) {
    if (f.table != TableId::Buttons) {
        return row >= 0 && row < f.rows;
    }
    if (row < 0 || row > std::int64_t{layout.CommandBarTable} - layout.ButtonTable - kButtonRecordSize) {
        return false;  // in builds 0 and 1 the last default bars lie beyond the button area
    }
    return DefaultBarButton(static_cast<std::int32_t>(row)).has_value();
}

std::int64_t FieldPosition(const FieldDef& f, const VersionLayout& layout, std::int64_t row) {
    return std::int64_t{layout.*f.slot} + f.offset + std::int64_t{f.stride} * row;
}

std::optional<FieldValue> ReadFieldAt(const ExeImage& image, const FieldDef& f, std::int64_t position) {
    if (!inImage(image, f, position)) {
        return std::nullopt;
    }
    if (IsPointer(f)) {
        const PointerRead p = image.readPointer(position);
        if (f.kind == FieldKind::BarPointer && p.found) {
            return FieldValue{BarOffsetOf(image.layout(), p.target), true};
        }
        return FieldValue{p.target, p.found};
    }
    const std::uint32_t word = readWord(image, static_cast<std::uint64_t>(position), f.width);
    if (f.kind == FieldKind::Bits) {
        return FieldValue{(word & f.mask) >> std::countr_zero(f.mask), true};
    }
    return FieldValue{word, true};
}

bool WriteFieldAt(ExeImage& image, const FieldDef& f, std::int64_t position, std::int64_t value) {
    if (!inImage(image, f, position)) {
        return false;
    }
    const auto low = static_cast<std::uint32_t>(value);
    if (IsPointer(f)) {
        if (!image.readPointer(position).found) {
            return false;
        }
        const auto target =
            f.kind == FieldKind::BarPointer
                ? static_cast<std::uint32_t>(TargetOf(image.layout(), static_cast<std::int32_t>(low)))
                : low;
        image.WriteExePointer(position, target);
        return true;
    }
    const auto at = static_cast<std::uint64_t>(position);
    std::uint32_t word = low;
    if (f.kind == FieldKind::Bits) {
        word = (readWord(image, at, f.width) & ~f.mask) | ((low << std::countr_zero(f.mask)) & f.mask);
    }
    writeWord(image, at, f.width, word);
    return true;
}

std::optional<FieldValue> ReadField(const ExeImage& image, const FieldDef& f, std::int64_t row) {
    if (!image.held() || !HasRow(f, image.layout(), row)) {
        return std::nullopt;
    }
    return ReadFieldAt(image, f, FieldPosition(f, image.layout(), row));
}

bool WriteField(ExeImage& image, const FieldDef& f, std::int64_t row, std::int64_t value) {
    if (!image.held() || !HasRow(f, image.layout(), row)) {
        return false;
    }
    return WriteFieldAt(image, f, FieldPosition(f, image.layout(), row), value);
}

bool IsPointer(const FieldDef& f) {
    return f.kind == FieldKind::Pointer || f.kind == FieldKind::BarPointer;
}

StepKey FieldKey(const FieldDef& f, std::int64_t row) {
    return {std::string(TableOf(f.table).key), row, std::string(f.key)};
}

const FieldDef* FieldOf(const StepKey& key) {
    return FindField(key.table, key.field);
}

std::string StepLabel(const FieldDef& f, const std::string& rowName) {
    return std::string(f.label) + " of " + rowName;
}

std::vector<TableExtent> TableExtents(const VersionLayout& layout) {
    std::vector<TableExtent> out;
    for (const TableDef& t : kTables) {
        if (t.id == TableId::Buttons) {
            out.push_back(
                {std::string(t.key), layout.ButtonTable, layout.CommandBarTable - layout.ButtonTable});
            continue;
        }
        std::vector<TableExtent> spans;
        for (const FieldDef* f : TableFields(t.id)) {
            const auto start = static_cast<std::uint32_t>(FieldPosition(*f, layout, 0));
            const auto end = static_cast<std::uint32_t>(FieldPosition(*f, layout, f->rows - 1) + f->width);
            spans.push_back({std::string(t.key) + "." + std::string(f->key), start, end - start});
        }
        std::sort(spans.begin(), spans.end(), [](const auto& a, const auto& b) { return a.start < b.start; });
        const std::size_t first = out.size();
        for (const TableExtent& s : spans) {
            if (out.size() > first && s.start <= out.back().end()) {
                out.back().length = std::max(out.back().end(), s.end()) - out.back().start;
            } else {
                out.push_back(s);
            }
        }
    }
    return out;
}

std::vector<std::uint32_t> TablePointerPositions(const VersionLayout& layout) {
    std::vector<std::uint32_t> out;
    for (const FieldDef* f : Fields()) {
        if (!IsPointer(*f)) {
            continue;
        }
        for (std::int64_t row : TableRows(f->table, layout)) {
            if (HasRow(*f, layout, row)) {
                out.push_back(static_cast<std::uint32_t>(FieldPosition(*f, layout, row)));
            }
        }
    }
    return out;
}

}  // namespace zorbel
