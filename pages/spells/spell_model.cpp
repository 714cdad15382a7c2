#include "pages/spells/spell_model.h"

#include "tables/catalogue.h"

namespace zorbel {

using namespace fields;

namespace {

std::int64_t value(const ExeImage& image, const FieldDef& field, int action) {
    return ReadField(image, field, action).value_or(FieldValue{}).value;
}

PointerRead pointer(const ExeImage& image, const FieldDef& field, int action) {
    const FieldValue v = ReadField(image, field, action).value_or(FieldValue{-1, false});
    return {static_cast<std::int32_t>(v.value), v.found};
}

}  // namespace

std::optional<SpellView> LoadSpell(const ExeImage& image, int action) {
    if (!image.held() || !HasRow(ActionMana, image.layout(), action)) {
        return std::nullopt;
    }
    SpellView v;
    v.mana = static_cast<std::uint16_t>(value(image, ActionMana, action));
    v.range = static_cast<std::uint8_t>(value(image, ActionRange, action));
    v.unk1 = static_cast<std::uint8_t>(value(image, ActionUnk1, action));
    v.unk2 = static_cast<std::uint8_t>(value(image, ActionUnk2, action));
    v.unk3 = static_cast<std::uint16_t>(value(image, ActionUnk3, action));
    v.fna = pointer(image, ActionFna, action);
    v.fnb = pointer(image, ActionFnb, action);
    v.fnc = pointer(image, ActionFnc, action);
    return v;
}

void WriteSpell(ExeImage& image, int action, const SpellValues& v) {
    WriteField(image, ActionMana, action, v.mana);
    WriteField(image, ActionRange, action, v.range);
    WriteField(image, ActionUnk1, action, v.unk1);
    WriteField(image, ActionUnk2, action, v.unk2);
    WriteField(image, ActionUnk3, action, v.unk3);
    WriteField(image, ActionFna, action, v.fna);
    WriteField(image, ActionFnb, action, v.fnb);
    WriteField(image, ActionFnc, action, v.fnc);
}

}  // namespace zorbel
