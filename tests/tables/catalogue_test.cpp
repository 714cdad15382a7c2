// The contract of the catalogue, over every field of every build: a value
// written by key lands exactly at the offset stated here (from the game's
// layout tables, not from the product), cut to the field; undo gives back
// the whole image byte for byte and redo the edited one.
#include "tables/catalogue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "tests/support/le_reader.h"
#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;

enum Slot {
    kPageBase,
    kUnit,
    kBar,
    kDataObject,
    kButton,
    kMana,
    kRange,
    kDeath,
    kSound,
    kReady,
    kAttack,
    kVictory,
    kRescue
};
// Per build: PageBase, UnitTable, CommandBarTable, DataObjectBase, ButtonTable, SpellManaTable,
// SpellRangeTable, DeathTable, SoundTable, ReadySoundTable, AttackSoundTable, MapObjectiveTable,
// MapRescueTable. Build 2's mana table lies 0x7C bytes before its buttons, as in the others.
constexpr std::uint32_t kLayout[5][13] = {
    {0x5A6A4, 0xCEAB8, 0xCE7E8, 0xC76A4, 0xCCFC0, 0xCCF44, 0xCB8F0, 0xC9619, 0xC991C, 0xCA074, 0xC9F18,
     0xC96A4, 0xC9774},
    {0x5A8A4, 0xCECB8, 0xCE9E8, 0xC78A4, 0xCD1C0, 0xCD144, 0xCBBF0, 0xC9819, 0xC9B1C, 0xCA274, 0xCA118,
     0xC98A4, 0xC9974},
    {0x5C2A4, 0xD3FB4, 0xD3CE4, 0xCC2A4, 0xD2374, 0xD22F8, 0xD09E0, 0xCE22D, 0xCE728, 0xCF0A8, 0xCEF4C,
     0xCE2D0, 0xCE3A0},
    {0x5C2A4, 0xD3FC0, 0xD3CF0, 0xCC2A4, 0xD2380, 0xD2304, 0xD09EC, 0xCE22D, 0xCE728, 0xCF0A8, 0xCEF4C,
     0xCE2D0, 0xCE3A0},
    {0x5CAA4, 0xD58BC, 0xD55EC, 0xCDAA4, 0xD3C7C, 0xD3C00, 0xD22E8, 0xCFB29, 0xD0024, 0xD09A4, 0xD0848,
     0xCFBCC, 0xCFC9C},
};

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
const Expected kExpected[] = {
    {"units", "icon", Kind::Plain, kUnit, 0, 14, 2, 110},
    {"units", "aux", Kind::Plain, kUnit, 2, 14, 2, 110},
    {"units", "name", Kind::Plain, kUnit, 4, 14, 2, 110},
    {"units", "fna", Kind::Pointer, kUnit, 6, 14, 4, 110},
    {"units", "fnb", Kind::Pointer, kUnit, 10, 14, 4, 110},
    {"units", "fnz", Kind::Pointer, kDeath, -597, 4, 4, 110},
    {"units", "after_death", Kind::Plain, kDeath, 0, 1, 1, 58},
    {"unit_sounds", "ready", Kind::Plain, kReady, 0, 2, 2, 58},
    {"unit_sounds", "ack", Kind::Pointer, kReady, 116, 4, 4, 58},
    {"unit_sounds", "attack", Kind::Plain, kAttack, 0, 2, 2, 58},
    {"unit_sounds", "selected", Kind::Pointer, kAttack, 116, 4, 4, 58},
    {"command_bars", "count", Kind::Plain, kBar, 0, 6, 2, 120},
    {"command_bars", "bar", Kind::Bar, kBar, 2, 6, 4, 120},
    {"buttons", "position", Kind::Plain, kButton, 0, 1, 2, 0},
    {"buttons", "icon", Kind::Plain, kButton, 2, 1, 2, 0},
    {"buttons", "req_fn", Kind::Pointer, kButton, 4, 1, 4, 0},
    {"buttons", "act_fn", Kind::Pointer, kButton, 8, 1, 4, 0},
    {"buttons", "act_param", Kind::Plain, kButton, 12, 1, 1, 0},
    {"buttons", "req_param", Kind::Plain, kButton, 13, 1, 1, 0},
    {"buttons", "label", Kind::Plain, kButton, 14, 1, 2, 0},
    {"buttons", "flags", Kind::Plain, kButton, 16, 1, 2, 0},
    {"sounds", "human", Kind::Plain, kSound, 0, 2, 2, 345},
    {"sounds", "orc", Kind::Plain, kSound, 692, 2, 2, 345},
    {"actions", "mana", Kind::Plain, kMana, 0, 2, 2, 61},
    {"actions", "range", Kind::Plain, kRange, 0, 1, 1, 61},
    {"actions", "unk1", Kind::Plain, kRange, -244, 1, 1, 61},
    {"actions", "unk2", Kind::Plain, kRange, -183, 1, 1, 61},
    {"actions", "unk3", Kind::Plain, kRange, -122, 2, 2, 61},
    {"actions", "fna", Kind::Pointer, kRange, -976, 4, 4, 61},
    {"actions", "fnb", Kind::Pointer, kRange, -732, 4, 4, 61},
    {"actions", "fnc", Kind::Pointer, kRange, -488, 4, 4, 61},
    {"maps", "objective", Kind::Bits, kVictory, 0, 4, 4, 52, 0xFF},
    {"maps", "kill_all", Kind::Bits, kVictory, 0, 4, 4, 52, 0x100},
    {"maps", "rescue", Kind::Bits, kVictory, 0, 4, 4, 52, 0x200},
    {"maps", "rescues", Kind::Bits, kRescue, 0, 4, 4, 52, 0xFFF},
    {"maps", "rescue_flag", Kind::Bits, kRescue, 0, 4, 4, 52, 0x1000},
};
// The default buttons lying wholly in the button area: 6184 bytes in builds 0 and 1, 6512 in the others.
constexpr std::size_t kButtonRows[5] = {340, 340, 359, 359, 359};

std::uint32_t word(const Bytes& b, std::size_t at, int width) {
    std::uint32_t v = 0;
    for (int k = width - 1; k >= 0; --k) {
        v = (v << 8) | b.at(at + static_cast<std::size_t>(k));
    }
    return v;
}

// A byte range the write must change, and the value the range must hold.
struct Span {
    std::size_t at;
    int width;
    std::uint32_t value;
};

class CatalogueContract : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        build = GetParam();
        game = gamekit::buildGameExe(build);
        // The plain 32-bit offset records by page and source offset, the first of each.
        for (const auto& fx : testsupport::readLeModule(game.bytes).fixups) {
            if (fx.sourceType == 7 && fx.sources.size() == 1) {
                const int width = (fx.targetFlags & 0x10) ? 4 : 2;
                records.emplace(std::pair{fx.page, int{fx.sources[0]}},
                                Span{fx.recordOffset + fx.recordLength - static_cast<std::size_t>(width),
                                     width, fx.target});
            }
        }
        image.hold(game.bytes, build, "x.exe");
    }
    std::uint32_t slot(Slot s) const { return kLayout[build][s]; }

    // The target field of the plain 32-bit offset record that relocates a
    // pointer's first byte (and the next page's record when it crosses),
    // found by the independent reader.
    std::vector<Span> targetFields(std::size_t position) const {
        std::vector<Span> out;
        const std::size_t d = position - slot(kPageBase);
        for (int part = 0; part < 2; ++part) {
            const auto page = static_cast<std::uint32_t>(d / 4096 + part);
            const int source = static_cast<int>(d % 4096) - 4096 * part;
            if (auto it = records.find({page, source}); it != records.end()) {
                out.push_back(it->second);
            }
            if (out.empty() || d % 4096 <= 4092) {
                break;
            }
        }
        return out;
    }

    // Only the spans changed, to their values, and nothing else.
    void expectOnly(const Bytes& before, const std::vector<Span>& spans, const std::string& what) {
        const ByteView now = image.bytes();
        std::size_t from = 0;
        std::map<std::size_t, Span> sorted;
        for (const Span& s : spans) {
            sorted.emplace(s.at, s);
        }
        for (const auto& [at, s] : sorted) {
            EXPECT_EQ(0, std::memcmp(before.data() + from, now.data() + from, at - from))
                << what << " below " << at;
            EXPECT_EQ(word(Bytes(now.begin() + at, now.begin() + at + s.width), 0, s.width), s.value)
                << what << " at " << at;
            from = at + static_cast<std::size_t>(s.width);
        }
        EXPECT_EQ(0, std::memcmp(before.data() + from, now.data() + from, now.size() - from))
            << what << " above";
    }

    bool same(const Bytes& b) const {
        return std::equal(b.begin(), b.end(), image.bytes().begin(), image.bytes().end());
    }

    // Writes a new value by key, checks it, then undo, redo and undo again.
    void check(const Expected& e, const FieldDef& f, std::int64_t row) {
        const std::string what = std::string(e.table) + "." + e.field + " row " + std::to_string(row);
        const auto at = static_cast<std::size_t>(std::int64_t{slot(e.slot)} + e.offset + e.stride * row);
        const Bytes& before = game.bytes;  // each check starts from the kit's image
        ASSERT_TRUE(same(before));
        const std::uint32_t old = word(before, at, e.width);
        std::vector<Span> spans;
        std::int64_t value = 0;
        std::int64_t readBack = 0;
        switch (e.kind) {
            case Kind::Plain: {
                const std::uint32_t all = e.width == 4 ? 0xFFFFFFFFu : (1u << (8 * e.width)) - 1;
                const std::uint32_t fresh = old ^ all;
                // A bit above the field's width is cut off.
                value = std::int64_t{fresh} + (e.width == 4 ? 0 : (std::int64_t{1} << (8 * e.width)));
                spans.push_back({at, e.width, fresh});
                readBack = fresh;
                break;
            }
            case Kind::Bits: {
                const int shift = __builtin_ctz(e.mask);
                const std::uint32_t group = e.mask >> shift;
                const std::uint32_t fresh = ((old & e.mask) >> shift) ^ group;
                value = std::int64_t{fresh} | (std::int64_t{group} + 1);  // and a bit above the group
                for (int k = 0; k < 4; ++k) {
                    if ((e.mask >> (8 * k)) & 0xFF) {
                        spans.push_back(
                            {at + static_cast<std::size_t>(k), 1, ((old ^ e.mask) >> (8 * k)) & 0xFF});
                    }
                }
                readBack = fresh;
                break;
            }
            case Kind::Pointer:
            case Kind::Bar: {
                spans = targetFields(at);
                if (spans.empty()) {
                    EXPECT_FALSE(ReadField(image, f, row)->found) << what;
                    EXPECT_FALSE(WriteField(image, f, row, 12)) << what << ": no record, nothing to write";
                    EXPECT_TRUE(same(before)) << what;
                    return;
                }
                const std::uint32_t target = spans[0].value ^ 0xFFFFFFFFu;
                for (Span& s : spans) {
                    s.value = s.width == 4 ? target : target & 0xFFFF;
                }
                const std::uint32_t stored = spans[0].value;
                value = target;
                readBack = static_cast<std::int32_t>(stored);
                if (e.kind == Kind::Bar) {
                    // Shown and written as BarOffset: the target plus DataObjectBase less ButtonTable.
                    value = static_cast<std::int32_t>(target + slot(kDataObject) - slot(kButton));
                    readBack = static_cast<std::int32_t>(stored + slot(kDataObject) - slot(kButton));
                }
                break;
            }
        }
        ASSERT_TRUE(WriteField(image, f, row, value)) << what;
        expectOnly(before, spans, what);
        EXPECT_EQ(ReadField(image, f, row)->value, readBack) << what;
        ASSERT_TRUE(image.undo()) << what;
        EXPECT_TRUE(same(before)) << what << ": undo";
        ASSERT_TRUE(image.redo()) << what;
        expectOnly(before, spans, what + ": redo");
        image.undo();
    }

    int build = 0;
    gamekit::GameExe game;
    std::map<std::pair<std::uint32_t, int>, Span> records;
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
                if (targetFields(at).empty()) {
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
    EXPECT_EQ(FindField("units", "nope"), nullptr);
    EXPECT_EQ(FindField("nope", "icon"), nullptr);
    EXPECT_EQ(StepLabel(fields::UnitIcon, "3. Peon"), "Icon of 3. Peon");
}

TEST(Catalogue, NothingIsReadOrWrittenOutsideTheImage) {
    ExeImage image;
    EXPECT_FALSE(ReadField(image, fields::UnitIcon, 0)) << "no image";
    EXPECT_FALSE(WriteField(image, fields::UnitIcon, 0, 1));
    image.hold(Bytes(0xCEAB8 + 14 * 3 + 1, 0), 0, "short.exe");  // ends inside row 3's icon
    EXPECT_TRUE(ReadField(image, fields::UnitIcon, 2));
    EXPECT_FALSE(ReadField(image, fields::UnitIcon, 3));
    EXPECT_FALSE(WriteField(image, fields::UnitIcon, 3, 1));
    EXPECT_FALSE(ReadFieldAt(image, fields::UnitIcon, -2));
    EXPECT_FALSE(WriteFieldAt(image, fields::ButtonIcon, static_cast<std::int64_t>(image.size()) - 1, 1));
    EXPECT_EQ(image.history().undoCount(), 0u);
}

}  // namespace
}  // namespace zorbel
