#include "pages/spells/spell_model.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zorbel
