#include "pages/maps/map_model.h"

#include <gtest/gtest.h>

#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

class MapModelTest : public ::testing::Test {
  protected:
    void SetUp() override { image.hold(gamekit::buildGameExe(2).bytes, 2, "x.exe"); }
    void setWords(int map, std::uint32_t victory, std::uint32_t rescue) {
        image.writeU32(image.layout().MapObjectiveTable + 4u * static_cast<std::uint32_t>(map), victory);
        image.writeU32(image.layout().MapRescueTable + 4u * static_cast<std::uint32_t>(map), rescue);
    }
    std::uint32_t victory(int map) { return *image.readU32(image.layout().MapObjectiveTable + 4u * map); }
    std::uint32_t rescue(int map) { return *image.readU32(image.layout().MapRescueTable + 4u * map); }
    void storeBack(int map) {
        const MapView v = *LoadMap(image, map);
        WriteMap(image, map, v.objective, v.killAll, v.rescue, static_cast<std::int32_t>(v.rescues),
                 v.rescueFlag);
    }
    ExeImage image;
};

TEST_F(MapModelTest, WordsLoadAndStoreAsThePageShowsThem) {
    setWords(3, 0x109, 0x1005);
    auto v = LoadMap(image, 3).value();
    EXPECT_EQ(v.objective, 9);
    EXPECT_TRUE(v.killAll);
    EXPECT_FALSE(v.rescue);
    EXPECT_EQ(v.rescues, 5u);
    EXPECT_TRUE(v.rescueFlag);
    storeBack(3);
    EXPECT_EQ(victory(3), 0x109u);
    EXPECT_EQ(rescue(3), 0x1005u);

    WriteMap(image, 3, 9, false, false, 5000, false);
    EXPECT_EQ(rescue(3), 0x1388u);
    v = LoadMap(image, 3).value();
    EXPECT_EQ(v.rescues, 904u);
    EXPECT_TRUE(v.rescueFlag);
    WriteMap(image, 3, 9, false, false, 5000, true);
    EXPECT_EQ(rescue(3), 0x2388u) << "the flag is added, not ORed";
    v = LoadMap(image, 3).value();
    EXPECT_EQ(v.rescues, 904u);
    EXPECT_FALSE(v.rescueFlag);

    setWords(4, 0xFC1E, 0);
    v = LoadMap(image, 4).value();
    EXPECT_EQ(v.objective, 30);
    EXPECT_FALSE(v.killAll || v.rescue);
    storeBack(4);
    EXPECT_EQ(victory(4), 0x1Eu);
    setWords(5, 200, 0);
    EXPECT_EQ(LoadMap(image, 5)->objective, 30);
    storeBack(5);
    EXPECT_EQ(victory(5), 30u);
    // A rescue word above 2^31 counts its flag from below zero.
    setWords(6, 0, 0xFFFFF000);
    EXPECT_TRUE(LoadMap(image, 6)->rescueFlag);
}

TEST_F(MapModelTest, TextsAndBounds) {
    EXPECT_NE(std::string(kObjectiveTexts[22]).find("alive  - Notes"), std::string::npos)
        << "two blanks kept";
    EXPECT_FALSE(LoadMap(image, 52));
    EXPECT_FALSE(LoadMap(image, -1));
    const std::vector<std::uint8_t> before(image.bytes().begin(), image.bytes().end());
    WriteMap(image, -1, 3, true, true, 7, true);
    WriteMap(image, 52, 3, true, true, 7, true);
    for (int m = 0; m < kMapRows; ++m) {
        LoadMap(image, m);
    }
    EXPECT_TRUE(std::equal(before.begin(), before.end(), image.bytes().begin()));
}

}  // namespace
}  // namespace zorbel
