#include "pages/spells/spell_model.h"

#include <gtest/gtest.h>

#include "exe/game_tables.h"
#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;

class SpellModelTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        game = gamekit::buildGameExe(GetParam());
        image.hold(game.bytes, GetParam(), "x.exe");
    }
    Bytes bytes() const { return Bytes(image.bytes().begin(), image.bytes().end()); }
    gamekit::GameExe game;
    ExeImage image;
};

TEST_P(SpellModelTest, WritesEveryFieldAtItsOffsetCutToWidth) {
    const auto& l = image.layout();
    const std::uint32_t r = l.SpellRangeTable;
    const int i = 43;
    SpellValues v;
    v.mana = -1;
    v.range = 300;
    v.unk1 = 0x101;
    v.unk2 = 7;
    v.unk3 = 0x12345;
    v.fna = 0x100;
    v.fnb = 0x200;
    v.fnc = 0x300;
    const Bytes before = bytes();
    WriteSpell(image, i, v);
    EXPECT_EQ(image.readU16(l.SpellManaTable + 2 * i), 65535u);
    EXPECT_EQ(image.readU8(r + i), 44u);
    EXPECT_EQ(image.readU8(r - 244 + i), 1u);
    EXPECT_EQ(image.readU8(r - 183 + i), 7u);
    EXPECT_EQ(image.readU16(r - 122 + 2 * i), 0x2345u);
    auto loaded = LoadSpell(image, i).value();
    EXPECT_EQ(loaded.mana, 65535);
    EXPECT_EQ(loaded.range, 44);
    EXPECT_EQ(loaded.fnc.target, 0x300);
    // Only the five plain fields and the three records' target fields changed.
    std::size_t changed = 0;
    for (std::size_t k = 0; k < before.size(); ++k) {
        changed += before[k] != image.bytes()[k];
    }
    EXPECT_LE(changed, 2u + 1 + 1 + 1 + 2 + 3 * 4);
    for (std::uint32_t at : {r - 976 + 4 * i, r - 732 + 4 * i, r - 488 + 4 * i}) {
        EXPECT_EQ(image.readU32(at), loadU32(before, at)) << "pointer bytes themselves untouched";
    }
}

TEST_P(SpellModelTest, MissingRecordLeavesTheImageAndLoadingChangesNothing) {
    const std::uint32_t fna4 = image.layout().SpellRangeTable - 976 + 4 * 4;  // the kit leaves it unrelocated
    ASSERT_FALSE(game.pointerAt(fna4)->hasRecord);
    const Bytes before = bytes();
    for (int i = 0; i < kSpellRows; ++i) {
        ASSERT_TRUE(LoadSpell(image, i));
    }
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(LoadSpell(image, 4)->fna.found);
    EXPECT_FALSE(LoadSpell(image, 61));
    auto v = LoadSpell(image, 4).value();
    SpellValues same{v.mana, v.range, v.unk1, v.unk2, v.unk3, 12345, v.fnb.target, v.fnc.target};
    WriteSpell(image, 4, same);
    EXPECT_EQ(bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(AllBuilds, SpellModelTest, ::testing::Range(0, kBuildCount));

TEST(SpellRows, NamesByActionNumber) {
    EXPECT_EQ(SpellRowText(0), "0 - ?");
    EXPECT_EQ(SpellRowText(2), "2 - Stop");
    EXPECT_EQ(SpellRowText(56), "56 - Death and Decay");
    EXPECT_EQ(SpellRowText(60), "60 - ?");
}

}  // namespace
}  // namespace zorbel
