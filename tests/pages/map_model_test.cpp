#include "pages/maps/map_model.h"

#include <gtest/gtest.h>

#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

class MapModelTest : public ::testing::Test {
  protected:
    void SetUp() override { image.hold(gamekit::buildGameExe(2).bytes, 2, "x.exe"); }
    std::uint32_t victory(int map) { return *image.readU32(image.layout().MapObjectiveTable + 4u * map); }
    std::uint32_t rescue(int map) { return *image.readU32(image.layout().MapRescueTable + 4u * map); }
    ExeImage image;
};

TEST_F(MapModelTest, WordsLoadAsThePageShowsThem) {
    const struct {
        std::uint32_t victory, rescue;
        int objective;
        bool killAll, rescue_;
        std::uint32_t rescues;
        bool flag;
    } cases[] = {
        {0x109, 0x1805, 9, true, false, 0x805, true},
        {0xFC1E, 0, 30, false, false, 0, false},         // bits 10 and up mean nothing
        {0x2C8, 0x1388, 30, false, true, 904, true},     // objective 200 shows as 30
        {0x100, 0x2388, 0, true, false, 904, false},     // the flag is the word over 4096, odd
        {0, 0xFFFFF800, 0, false, false, 0x800, false},  // -2048 / 4096 is 0
    };
    for (const auto& c : cases) {
        image.writeU32(image.layout().MapObjectiveTable + 4 * 51, c.victory);
        image.writeU32(image.layout().MapRescueTable + 4 * 51, c.rescue);
        const MapView v = LoadMap(image, 51).value();
        EXPECT_EQ(std::tuple(v.objective, v.killAll, v.rescue, v.rescues, v.rescueFlag),
                  std::tuple(c.objective, c.killAll, c.rescue_, c.rescues, c.flag))
            << std::hex << c.victory << " " << c.rescue;
    }
}

TEST_F(MapModelTest, WordsAreRebuiltWhole) {
    const struct {
        int objective;
        bool killAll, rescue;
        std::int32_t rescues;
        bool flag;
        std::uint32_t victory, rescueWord;
    } cases[] = {
        {9, true, false, 5, true, 0x109, 0x1005},
        {30, false, true, 5000, false, 0x21E, 0x1388},
        {40, false, false, 5000, true, 0x1E, 0x2388},  // the flag is added, not ORed
        {-3, true, true, 7, false, 0x300, 7},
    };
    image.writeU32(image.layout().MapObjectiveTable, 0xFFFFFFFF);
    for (const auto& c : cases) {
        WriteMap(image, 0, c.objective, c.killAll, c.rescue, c.rescues, c.flag);
        EXPECT_EQ(victory(0), c.victory) << c.objective;
        EXPECT_EQ(rescue(0), c.rescueWord) << c.objective;
    }
    EXPECT_FALSE(LoadMap(image, 52));
    EXPECT_FALSE(LoadMap(image, -1));
    const auto revision = image.revision();
    WriteMap(image, -1, 3, true, true, 7, true);
    WriteMap(image, 52, 3, true, true, 7, true);
    EXPECT_EQ(image.revision(), revision);
}

}  // namespace
}  // namespace zorbel
