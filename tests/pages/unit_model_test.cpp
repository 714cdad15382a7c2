#include "pages/units/unit_model.h"

#include <gtest/gtest.h>

#include "tests/support/kit_image.h"

namespace zorbel {
namespace {

using namespace fields;

TEST(UnitModel, EachValueGoesToItsOwnFieldAndLoadsBack) {
    ExeImage image = testsupport::kitImage(1);
    const int row = 7;
    WriteUnitBasics(image, row, 0x1101, 0x1102, 0x1103);
    WriteUnitPointers(image, row, 0x2201, 0x2202);
    WriteDeath(image, row, 0x33);
    WriteUnitSounds(image, row, 0x4401, 0x4402, 0x4403, 0x4404);
    WriteCommandCount(image, row, 0x55);
    WriteBarOffset(image, row, 0x666);
    const std::pair<const FieldDef*, std::int64_t> expected[] = {
        {&UnitIcon, 0x1101},   {&UnitAux, 0x1102},      {&UnitName, 0x1103},  {&UnitFna, 0x2201},
        {&UnitFnb, 0x2202},    {&UnitDeath, 0x33},      {&UnitReady, 0x4401}, {&UnitAck, 0x4402},
        {&UnitAttack, 0x4403}, {&UnitSelected, 0x4404}, {&BarCount, 0x55},    {&BarData, 0x666},
    };
    for (const auto& [field, value] : expected) {
        EXPECT_EQ(ReadField(image, *field, row)->value, value) << field->key;
    }
    const UnitView v = LoadUnitView(image, row).value();
    const auto& r = v.record.value();
    const auto& s = v.sounds.value();
    EXPECT_EQ(
        (std::vector<std::int64_t>{r.icon, r.aux, r.name, r.fna.target, r.fnb.target, *v.death, s.ready,
                                   s.ack.target, s.attack, s.selected.target, v.commandCount, *v.barOffset}),
        (std::vector<std::int64_t>{0x1101, 0x1102, 0x1103, 0x2201, 0x2202, 0x33, 0x4401, 0x4402, 0x4403,
                                   0x4404, 0x55, 0x666}));
    EXPECT_EQ(r.fnz.target, ReadField(image, UnitFnz, row)->value);
}

// Rows 60 (no after-death byte, no sounds), 115 (no unit record) and 48 (a
// bar without a pointer record) are checked where the Units page shows them.
TEST(UnitModel, AnUnrelocatedPointerAndRowsOutsideTheList) {
    const ExeImage image = testsupport::kitImage(1);
    const PointerRead fnz = LoadUnitView(image, 105)->record->fnz;
    EXPECT_EQ(std::tuple(fnz.found, fnz.target), std::tuple(false, -1));
    EXPECT_FALSE(LoadUnitView(image, 120) || LoadUnitView(image, -1));
}

}  // namespace
}  // namespace zorbel
