#include "pages/units/unit_model.h"

#include "pages/commands/command_model.h"

namespace zorbel {

using namespace fields;

namespace {

std::uint16_t number(const ExeImage& image, const FieldDef& field, int row) {
    const auto v = ReadField(image, field, row);
    return static_cast<std::uint16_t>(v ? v->value : 0);
}

PointerRead pointer(const ExeImage& image, const FieldDef& field, int row) {
    const auto v = ReadField(image, field, row);
    return v ? PointerRead{static_cast<std::int32_t>(v->value), v->found} : PointerRead{};
}

}  // namespace

std::optional<UnitView> LoadUnitView(const ExeImage& image, int row) {
    if (!image.held() || row < 0 || row >= kUnitListRows) {
        return std::nullopt;
    }
    const auto& l = image.layout();
    UnitView v;
    if (HasRow(UnitDeath, l, row)) {
        v.death = static_cast<std::uint8_t>(number(image, UnitDeath, row));
        v.sounds = UnitView::Sounds{number(image, UnitReady, row), number(image, UnitAttack, row),
                                    pointer(image, UnitAck, row), pointer(image, UnitSelected, row)};
    }
    const CommandBar bar = ReadCommandBar(image, row);
    v.commandCount = bar.count;
    if (bar.found) {
        v.barOffset = bar.barOffset;
    }
    if (HasRow(UnitIcon, l, row)) {
        v.record = UnitView::Record{number(image, UnitIcon, row), number(image, UnitAux, row),
                                    number(image, UnitName, row), pointer(image, UnitFna, row),
                                    pointer(image, UnitFnb, row), pointer(image, UnitFnz, row)};
    }
    return v;
}

void WriteUnitBasics(ExeImage& image, int row, std::int32_t icon, std::int32_t aux, std::int32_t name) {
    WriteField(image, UnitIcon, row, icon);
    WriteField(image, UnitAux, row, aux);
    WriteField(image, UnitName, row, name);
}

void WriteUnitPointers(ExeImage& image, int row, std::int32_t fna, std::int32_t fnb) {
    WriteField(image, UnitFna, row, fna);
    WriteField(image, UnitFnb, row, fnb);
}

void WriteDeath(ExeImage& image, int row, std::int32_t value) {
    WriteField(image, UnitDeath, row, value);
}

void WriteUnitSounds(ExeImage& image, int row, std::int32_t ready, std::int32_t ack, std::int32_t attack,
                     std::int32_t selected) {
    WriteField(image, UnitReady, row, ready);
    WriteField(image, UnitAck, row, ack);
    WriteField(image, UnitAttack, row, attack);
    WriteField(image, UnitSelected, row, selected);
}

void WriteCommandCount(ExeImage& image, int row, std::int32_t count) {
    WriteField(image, BarCount, row, count);
}

void WriteBarOffset(ExeImage& image, int row, std::int32_t barOffset) {
    WriteField(image, BarData, row, barOffset);
}

}  // namespace zorbel
