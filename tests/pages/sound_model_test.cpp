#include "pages/sounds/sound_model.h"

#include <gtest/gtest.h>

#include "tables/catalogue.h"
#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

TEST(SoundWords, DecodeAsThePageShowsThem) {
    const struct {
        std::uint16_t word;
        int selector, entry;
        bool repeat, flag1, flag2;
    } cases[] = {
        {0x23E9, 1, 1, true, false, false},    {0x0000, 0, 0, false, false, false},
        {0x03E7, 0, 999, false, false, false}, {0x03E8, 1, 0, false, false, false},
        {0x1B57, 6, 999, false, false, false}, {0x1B58, 0, 0, false, false, false},
        {0x1F3F, 0, 999, false, false, false}, {0xFFFF, 0, 191, true, true, true},
        {0x547D, 5, 245, false, true, false},  {0x8BB8, 3, 0, false, false, true},
    };
    for (const auto& c : cases) {
        const SoundWord w = DecodeSoundWord(c.word);
        EXPECT_EQ(std::tuple(w.selector, w.entry, w.repeat, w.flag1, w.flag2),
                  std::tuple(c.selector, c.entry, c.repeat, c.flag1, c.flag2))
            << std::hex << c.word;
    }
}

TEST(SoundWords, EncodeAsTheWriteBackStoresThem) {
    const struct {
        int selector;
        std::int32_t entry;
        bool repeat, flag1, flag2;
        std::uint16_t word;
    } cases[] = {
        {0, 191, true, true, true, 0x00BF},  // "No Sound" drops the flags
        {5, 245, false, true, false, 0x547D},
        {3, 0, false, false, true, 0x8BB8},
        {2, 7, true, false, false, 0x27D7},
        {0, 0, true, true, true, 0xFFFF},  // a word of 0 is stored as 0xFFFF
        {0, 5, true, false, false, 0x0005},
        {1, 1500, false, false, false, 2500},         // the entry spills into the selector
        {6, 8191, false, false, false, 8191 + 6000},  // no range check: the sum reaches the flag bits
        {1, -1, false, false, false, 0x1FFF + 1000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeSoundWord(c.selector, c.entry, c.repeat, c.flag1, c.flag2), c.word)
            << c.selector << " " << c.entry;
    }
}

}  // namespace
}  // namespace zorbel
