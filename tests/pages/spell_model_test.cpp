#include "pages/spells/spell_model.h"

#include <gtest/gtest.h>

#include "tests/support/kit_image.h"

namespace zorbel {
namespace {

using namespace fields;

TEST(SpellModel, EachValueGoesToItsOwnFieldAndLoadsBack) {
    ExeImage image = testsupport::kitImage(2);
    WriteSpell(image, 5, SpellValues{0x1101, 0x22, 0x33, 0x44, 0x5505, 0x6606, 0x7707, 0x8808});
    const std::pair<const FieldDef*, std::int64_t> expected[] = {
        {&ActionMana, 0x1101}, {&ActionRange, 0x22}, {&ActionUnk1, 0x33},  {&ActionUnk2, 0x44},
        {&ActionUnk3, 0x5505}, {&ActionFna, 0x6606}, {&ActionFnb, 0x7707}, {&ActionFnc, 0x8808},
    };
    for (const auto& [field, value] : expected) {
        EXPECT_EQ(ReadField(image, *field, 5)->value, value) << field->key;
    }
    const SpellView v = LoadSpell(image, 5).value();
    EXPECT_EQ((std::vector<std::int64_t>{v.mana, v.range, v.unk1, v.unk2, v.unk3, v.fna.target, v.fnb.target,
                                         v.fnc.target}),
              (std::vector<std::int64_t>{0x1101, 0x22, 0x33, 0x44, 0x5505, 0x6606, 0x7707, 0x8808}));

    // Action 4's FNA, which has no fixup record, is checked where the page hides it.
    EXPECT_FALSE(LoadSpell(image, 61));
    EXPECT_FALSE(LoadSpell(ExeImage(), 0));
}

}  // namespace
}  // namespace zorbel
