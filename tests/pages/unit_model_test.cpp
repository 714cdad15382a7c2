#include "pages/units/unit_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "pages/commands/command_model.h"
#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;

class UnitModelTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        game = gamekit::buildGameExe(GetParam());
        image.hold(game.bytes, GetParam(), "x.exe");
    }
    // The offsets a write changed.
    std::set<std::size_t> changes(const std::function<void()>& write) {
        const Bytes before(image.bytes().begin(), image.bytes().end());
        write();
        std::set<std::size_t> out;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (before[i] != image.bytes()[i]) {
                out.insert(i);
            }
        }
        return out;
    }
    gamekit::GameExe game;
    ExeImage image;
};

TEST_P(UnitModelTest, LoadShowsWhatEachRowHasAndNeverWrites) {
    const Bytes before(image.bytes().begin(), image.bytes().end());
    const auto r0 = LoadUnitView(image, 0).value();
    EXPECT_TRUE(r0.death && r0.sounds && r0.record && r0.barOffset);
    EXPECT_EQ(*r0.barOffset, 288);
    const auto r60 = LoadUnitView(image, 60).value();
    EXPECT_FALSE(r60.death || r60.sounds);
    EXPECT_TRUE(r60.record);
    const auto r115 = LoadUnitView(image, 115).value();
    EXPECT_FALSE(r115.record || r115.death);
    EXPECT_EQ(r115.commandCount, 1);
    EXPECT_FALSE(LoadUnitView(image, 48)->barOffset) << "no fixup record: no bar offset";
    const auto& l = image.layout();
    EXPECT_EQ(*LoadUnitView(image, 110)->barOffset,
              static_cast<std::int32_t>(l.DataObjectBase - l.ButtonTable - 1))
        << "0xFFFFFFFF is a real pointer";
    EXPECT_FALSE(LoadUnitView(image, 105)->record->fnz.found);
    EXPECT_EQ(LoadUnitView(image, 105)->record->fnz.target, -1);
    EXPECT_FALSE(LoadUnitView(image, 120));
    EXPECT_TRUE(std::equal(before.begin(), before.end(), image.bytes().begin()));
    // Writing through a pointer without a record changes nothing.
    auto none = changes([&] { WriteBarOffset(image, 48, 1000); });
    EXPECT_TRUE(none.empty());
    auto moved = changes([&] { WriteBarOffset(image, 0, 1000); });
    EXPECT_FALSE(moved.empty());
    EXPECT_EQ(*LoadUnitView(image, 0)->barOffset, 1000);
}

INSTANTIATE_TEST_SUITE_P(AllBuilds, UnitModelTest, ::testing::Range(0, kBuildCount));

}  // namespace
}  // namespace zorbel
