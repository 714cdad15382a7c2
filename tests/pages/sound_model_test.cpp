#include "pages/sounds/sound_model.h"

#include <gtest/gtest.h>

namespace zorbel {
namespace {

std::uint16_t rewrite(std::uint16_t word) {
    const SoundWord w = DecodeSoundWord(word);
    return EncodeSoundWord(w.selector, w.entry, w.repeat, w.flag1, w.flag2);
}

TEST(SoundWords, DecodeAsThePageShowsThem) {
    struct Case {
        std::uint16_t word;
        int selector, entry;
        bool repeat, flag1, flag2;
    };
    const Case cases[] = {
        {0x23E9, 1, 1, true, false, false},  {0x0000, 0, 0, false, false, false},
        {0x1B58, 0, 0, false, false, false}, {0x1F3F, 0, 999, false, false, false},
        {0xFFFF, 0, 191, true, true, true},  {0x547D, 5, 245, false, true, false},
    };
    for (const Case& c : cases) {
        const SoundWord w = DecodeSoundWord(c.word);
        EXPECT_EQ(w.selector, c.selector) << std::hex << c.word;
        EXPECT_EQ(w.entry, c.entry) << std::hex << c.word;
        EXPECT_EQ(w.repeat, c.repeat) << std::hex << c.word;
        EXPECT_EQ(w.flag1, c.flag1) << std::hex << c.word;
        EXPECT_EQ(w.flag2, c.flag2) << std::hex << c.word;
    }
}

TEST(SoundWords, EncodeAsTheWriteBackStoresThem) {
    EXPECT_EQ(rewrite(0xFFFF), 0x00BF) << "'No Sound' drops the flags";
    EXPECT_EQ(EncodeSoundWord(5, 245, false, true, false), 0x547D);
    EXPECT_EQ(EncodeSoundWord(0, 0, true, true, true), 0xFFFF);
    EXPECT_EQ(EncodeSoundWord(0, 5, true, false, false), 0x0005);
    const std::uint16_t spilled = EncodeSoundWord(1, 1500, false, false, false);
    EXPECT_EQ(spilled, 2500);
    EXPECT_EQ(DecodeSoundWord(spilled).selector, 2);
    EXPECT_EQ(DecodeSoundWord(spilled).entry, 500);
    EXPECT_EQ(EncodeSoundWord(6, 8191, false, false, false), static_cast<std::uint16_t>(8191 + 6000))
        << "no range check: the sum reaches the flag bits";
    EXPECT_EQ(EncodeSoundWord(1, -1, false, false, false), static_cast<std::uint16_t>(0x1FFF + 1000));
}

TEST(RandomSound, FollowsTheRuntimeGenerator) {
    RuntimeRandom random;
    std::vector<std::int32_t> entries;
    for (int i = 0; i < 8; ++i) {
        entries.push_back(NextRandomSoundEntry(random));
    }
    EXPECT_EQ(entries, (std::vector<std::int32_t>{7, 245, 375, 164, 245, 91, 20, 375}));
}

}  // namespace
}  // namespace zorbel
