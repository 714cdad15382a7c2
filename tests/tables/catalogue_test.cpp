// The contract of the catalogue, over every field of every build: a value
// written by key lands exactly at the offset stated here (from the game's
// layout tables, not from the product), cut to the field; undo gives back
// the whole image byte for byte and redo the edited one.
#include "tables/catalogue.h"

#include <gtest/gtest.h>

#include "tests/support/kit_image.h"
#include "tests/support/le_reader.h"
#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;

using Slot = std::uint32_t gamekit::tables::Layout::*;
using L = gamekit::tables::Layout;
constexpr Slot kUnit = &L::UnitTable, kBar = &L::CommandBarTable, kButton = &L::ButtonTable,
               kMana = &L::SpellManaTable, kRange = &L::SpellRangeTable, kDeath = &L::DeathTable,
               kSound = &L::SoundTable, kReady = &L::ReadySoundTable, kAttack = &L::AttackSoundTable,
               kVictory = &L::MapObjectiveTable, kRescue = &L::MapRescueTable;

enum class Kind { Plain, Pointer, Bar, Bits };
struct Expected {
    const char* table;
    const char* field;
    Kind kind;
    Slot slot;
    int offset, stride, width, rows;
    std::uint32_t mask = 0;
};
// Buttons: a row is the button's BarOffset, so the stride is 1.
using enum Kind;
// clang-format off
const Expected kExpected[] = {
    {"units", "icon", Plain, kUnit, 0, 14, 2, 110}, {"units", "aux", Plain, kUnit, 2, 14, 2, 110},
    {"units", "name", Plain, kUnit, 4, 14, 2, 110}, {"units", "fna", Pointer, kUnit, 6, 14, 4, 110},
    {"units", "fnb", Pointer, kUnit, 10, 14, 4, 110}, {"units", "fnz", Pointer, kDeath, -597, 4, 4, 110},
    {"units", "after_death", Plain, kDeath, 0, 1, 1, 58},
    {"unit_sounds", "ready", Plain, kReady, 0, 2, 2, 58},
    {"unit_sounds", "ack", Pointer, kReady, 116, 4, 4, 58},
    {"unit_sounds", "attack", Plain, kAttack, 0, 2, 2, 58},
    {"unit_sounds", "selected", Pointer, kAttack, 116, 4, 4, 58},
    {"command_bars", "count", Plain, kBar, 0, 6, 2, 120}, {"command_bars", "bar", Bar, kBar, 2, 6, 4, 120},
    {"buttons", "position", Plain, kButton, 0, 1, 2, 0}, {"buttons", "icon", Plain, kButton, 2, 1, 2, 0},
    {"buttons", "req_fn", Pointer, kButton, 4, 1, 4, 0}, {"buttons", "act_fn", Pointer, kButton, 8, 1, 4, 0},
    {"buttons", "act_param", Plain, kButton, 12, 1, 1, 0},
    {"buttons", "req_param", Plain, kButton, 13, 1, 1, 0}, {"buttons", "label", Plain, kButton, 14, 1, 2, 0},
    {"buttons", "flags", Plain, kButton, 16, 1, 2, 0}, {"sounds", "human", Plain, kSound, 0, 2, 2, 345},
    {"sounds", "orc", Plain, kSound, 692, 2, 2, 345}, {"actions", "mana", Plain, kMana, 0, 2, 2, 61},
    {"actions", "range", Plain, kRange, 0, 1, 1, 61}, {"actions", "unk1", Plain, kRange, -244, 1, 1, 61},
    {"actions", "unk2", Plain, kRange, -183, 1, 1, 61}, {"actions", "unk3", Plain, kRange, -122, 2, 2, 61},
    {"actions", "fna", Pointer, kRange, -976, 4, 4, 61}, {"actions", "fnb", Pointer, kRange, -732, 4, 4, 61},
    {"actions", "fnc", Pointer, kRange, -488, 4, 4, 61},
    {"maps", "objective", Bits, kVictory, 0, 4, 4, 52, 0xFF},
    {"maps", "kill_all", Bits, kVictory, 0, 4, 4, 52, 0x100},
    {"maps", "rescue", Bits, kVictory, 0, 4, 4, 52, 0x200},
    {"maps", "rescues", Bits, kRescue, 0, 4, 4, 52, 0xFFF},
    {"maps", "rescue_flag", Bits, kRescue, 0, 4, 4, 52, 0x1000}};
// clang-format on
// The default buttons lying wholly in the button area: 6184 bytes in builds 0 and 1, 6512 in the others.
constexpr std::size_t kButtonRows[5] = {340, 340, 359, 359, 359};

std::uint32_t word(const Bytes& b, std::size_t at, int width) {
    std::uint32_t v = 0;
    for (int k = width - 1; k >= 0; --k) {
        v = (v << 8) | b.at(at + static_cast<std::size_t>(k));
    }
    return v;
}
void store(Bytes& b, std::size_t at, int width, std::uint32_t v) {
    for (int k = 0; k < width; ++k) {
        b.at(at + static_cast<std::size_t>(k)) = static_cast<std::uint8_t>(v >> (8 * k));
    }
}

class CatalogueContract : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        build = GetParam();
        game = gamekit::buildGameExe(build);
        module = testsupport::readLeModule(game.bytes);
        image.hold(game.bytes, build, "x.exe");
    }
    std::uint32_t slot(Slot s) const { return game.layout().*s; }

    // Writes a new value by key: the image must be the kit's with only the
    // field's bytes changed, to the value cut to the field; then undo, redo.
    void check(const Expected& e, const FieldDef& f, std::int64_t row) {
        const std::string what = std::string(e.table) + "." + e.field + " row " + std::to_string(row);
        const auto at = static_cast<std::size_t>(std::int64_t{slot(e.slot)} + e.offset + e.stride * row);
        const Bytes& before = game.bytes;  // each check starts from the kit's image
        ASSERT_TRUE(testsupport::holds(image, before));
        const std::uint32_t old = word(before, at, e.width);
        Bytes after = before;
        std::int64_t value = 0, readBack = 0;
        if (e.kind == Kind::Plain) {
            const std::uint32_t fresh = old ^ (e.width == 4 ? 0xFFFFFFFFu : (1u << (8 * e.width)) - 1);
            // A bit above the field's width is cut off.
            value = std::int64_t{fresh} + (e.width == 4 ? 0 : (std::int64_t{1} << (8 * e.width)));
            store(after, at, e.width, fresh);
            readBack = fresh;
        } else if (e.kind == Kind::Bits) {
            const int shift = __builtin_ctz(e.mask);
            const std::uint32_t group = e.mask >> shift;
            readBack = ((old & e.mask) >> shift) ^ group;
            value = readBack | (std::int64_t{group} + 1);  // and a bit above the group
            store(after, at, 4, old ^ e.mask);
        } else {
            const auto records = module.pointerRecords(static_cast<std::uint32_t>(at));
            if (records.empty()) {
                EXPECT_FALSE(ReadField(image, f, row)->found) << what;
                EXPECT_FALSE(WriteField(image, f, row, 12)) << what << ": no record, nothing to write";
                EXPECT_TRUE(testsupport::holds(image, before)) << what;
                return;
            }
            const std::uint32_t target = records[0]->target ^ 0xFFFFFFFFu;
            for (const auto* r : records) {
                store(after, r->targetField, r->targetWidth, target);
            }
            value = target;
            readBack =
                static_cast<std::int32_t>(word(after, records[0]->targetField, records[0]->targetWidth));
            if (e.kind == Kind::Bar) {
                // Shown and written as BarOffset: the target plus DataObjectBase less ButtonTable.
                const std::uint32_t shift = slot(&L::DataObjectBase) - slot(kButton);
                value = static_cast<std::int32_t>(target + shift);
                readBack = static_cast<std::int32_t>(static_cast<std::uint32_t>(readBack) + shift);
            }
        }
        ASSERT_TRUE(WriteField(image, f, row, value)) << what;
        EXPECT_TRUE(testsupport::holds(image, after)) << what;
        EXPECT_EQ(ReadField(image, f, row)->value, readBack) << what;
        ASSERT_TRUE(image.undo()) << what;
        EXPECT_TRUE(testsupport::holds(image, before)) << what << ": undo";
        ASSERT_TRUE(image.redo()) << what;
        EXPECT_TRUE(testsupport::holds(image, after)) << what << ": redo";
        image.undo();
    }

    int build = 0;
    gamekit::GameExe game;
    testsupport::LeModule module;
    ExeImage image;
};

TEST_P(CatalogueContract, EveryFieldWritesExactlyItsOwnBytes) {
    std::size_t covered = 0;
    for (const Expected& e : kExpected) {
        const FieldDef* f = FindField(e.table, e.field);
        ASSERT_NE(f, nullptr) << e.table << "." << e.field;
        ++covered;
        const auto rows = TableRows(f->table, image.layout());
        const std::size_t n = e.rows > 0 ? static_cast<std::size_t>(e.rows) : kButtonRows[build];
        if (e.rows > 0) {
            EXPECT_TRUE(HasRow(*f, image.layout(), e.rows - 1));
            EXPECT_FALSE(HasRow(*f, image.layout(), e.rows)) << e.table << "." << e.field;
            EXPECT_FALSE(WriteField(image, *f, e.rows, 1));
        } else {
            EXPECT_EQ(rows.size(), n);
            EXPECT_EQ(rows.front(), 0);
            EXPECT_EQ(rows.back(), build < 2 ? 6148 : 6494);
            EXPECT_FALSE(HasRow(*f, image.layout(), 1)) << "no button starts there";
            EXPECT_FALSE(HasRow(*f, image.layout(), 6494 + 18));
        }
        EXPECT_FALSE(HasRow(*f, image.layout(), -1));
        // The first, second, middle and last rows; for pointers also the first without a record.
        std::vector<std::int64_t> sample = {rows[0], rows[1], rows[n / 2], rows[n - 2], rows[n - 1]};
        if (e.kind == Kind::Pointer || e.kind == Kind::Bar) {
            for (std::size_t k = 0; k < n; ++k) {
                const auto at =
                    static_cast<std::size_t>(std::int64_t{slot(e.slot)} + e.offset + e.stride * rows[k]);
                if (module.pointerRecords(static_cast<std::uint32_t>(at)).empty()) {
                    sample.push_back(rows[k]);
                    break;
                }
            }
        }
        for (std::int64_t row : sample) {
            check(e, *f, row);
        }
    }
    EXPECT_EQ(covered, Fields().size()) << "a field of the catalogue is not stated here";
    EXPECT_EQ(image.history().undoCount(), 0u);
    EXPECT_FALSE(image.modified());
}

INSTANTIATE_TEST_SUITE_P(AllBuilds, CatalogueContract, ::testing::Range(0, 5));

TEST(Catalogue, KeysAreUniqueAndFound) {
    for (const FieldDef* f : Fields()) {
        EXPECT_EQ(FindField(TableOf(f->table).key, f->key), f);
        EXPECT_EQ(FieldOf(FieldKey(*f, 3)), f);
    }
    EXPECT_FALSE(FindField("units", "nope") || FindField("nope", "icon"));
    EXPECT_EQ(StepLabel(fields::UnitIcon, "3. Peon"), "Icon of 3. Peon");
}

TEST(Catalogue, NothingIsReadOrWrittenOutsideTheImage) {
    ExeImage image;
    EXPECT_FALSE(ReadField(image, fields::UnitIcon, 0) || WriteField(image, fields::UnitIcon, 0, 1))
        << "no image";
    image.hold(Bytes(0xCEAB8 + 14 * 3 + 1, 0), 0, "short.exe");  // ends inside row 3's icon
    EXPECT_TRUE(ReadField(image, fields::UnitIcon, 2));
    EXPECT_EQ(
        std::tuple(ReadField(image, fields::UnitIcon, 3).has_value(),
                   WriteField(image, fields::UnitIcon, 3, 1),
                   ReadFieldAt(image, fields::UnitIcon, -2).has_value(),
                   WriteFieldAt(image, fields::ButtonIcon, static_cast<std::int64_t>(image.size()) - 1, 1)),
        std::tuple(false, false, false, false));
    EXPECT_EQ(image.history().undoCount(), 0u);
}

}  // namespace
}  // namespace zorbel
