#include "pages/units/unit_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "exe/game_tables.h"
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
    std::set<std::size_t> targetField(std::uint32_t position) {
        auto r = FindPointerRecords(image.bytes(), image.layout(), position).first;
        std::set<std::size_t> out;
        for (int k = 0; r && k < r->targetWidth; ++k) {
            out.insert(r->targetField + static_cast<std::size_t>(k));
        }
        return out;
    }
    gamekit::GameExe game;
    ExeImage image;
};

std::set<std::size_t> range(std::size_t from, std::size_t count) {
    std::set<std::size_t> out;
    for (std::size_t k = 0; k < count; ++k) {
        out.insert(from + k);
    }
    return out;
}

bool within(const std::set<std::size_t>& changed, const std::set<std::size_t>& allowed) {
    for (auto at : changed) {
        if (!allowed.count(at)) {
            return false;
        }
    }
    return true;
}

TEST_P(UnitModelTest, EachWriteTouchesOnlyItsOwnBytesAndRows) {
    const auto& l = image.layout();
    for (int row : {0, 57, 58, 109, 110, 119}) {
        const auto unit = l.UnitTable + 14u * static_cast<std::uint32_t>(row);
        auto basics = changes([&] { WriteUnitBasics(image, row, 0x1234, -1, 77); });
        EXPECT_TRUE(row < 110 ? within(basics, range(unit, 6)) && !basics.empty() : basics.empty()) << row;
        if (row < 110) {
            EXPECT_EQ(image.readU16(unit + 2), 65535u);
        }
        auto allowedPointers = targetField(unit + 6);
        const auto fnb = targetField(unit + 10);
        allowedPointers.insert(fnb.begin(), fnb.end());
        auto pointers = changes([&] { WriteUnitPointers(image, row, 0x100, 0x200); });
        EXPECT_TRUE(row < 110 ? within(pointers, allowedPointers) && !pointers.empty() : pointers.empty())
            << row;

        auto death = changes([&] { WriteDeath(image, row, 5); });
        EXPECT_TRUE(row < 58 ? within(death, range(l.DeathTable + static_cast<std::uint32_t>(row), 1))
                             : death.empty())
            << row;
        auto sounds = changes([&] { WriteUnitSounds(image, row, 7, 0x300, 9, 0x400); });
        auto allowedSounds = range(l.ReadySoundTable + 2u * static_cast<std::uint32_t>(row), 2);
        for (auto s : {range(l.AttackSoundTable + 2u * static_cast<std::uint32_t>(row), 2),
                       targetField(l.ReadySoundTable + 116 + 4u * static_cast<std::uint32_t>(row)),
                       targetField(l.AttackSoundTable + 116 + 4u * static_cast<std::uint32_t>(row))}) {
            allowedSounds.insert(s.begin(), s.end());
        }
        EXPECT_TRUE(row < 58 ? within(sounds, allowedSounds) && !sounds.empty() : sounds.empty()) << row;

        const auto entry = l.CommandBarTable + 6u * static_cast<std::uint32_t>(row);
        auto count = changes([&] { WriteCommandCount(image, row, 7); });
        EXPECT_TRUE(within(count, range(entry, 2))) << row;
        EXPECT_EQ(image.readU16(entry), 7u);
    }
}

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
    EXPECT_EQ(*LoadUnitView(image, 110)->barOffset, BarOffsetOf(image.layout(), -1))
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
