#include "pages/sounds/sound_model.h"

#include "tables/catalogue.h"

namespace zorbel {

SoundWord DecodeSoundWord(std::uint16_t word) {
    SoundWord w;
    const int code = word & 0x1FFF;
    w.selector = code >= 1000 && code < 7000 ? code / 1000 : 0;
    w.entry = code % 1000;
    w.repeat = (word & 0x2000) != 0;
    w.flag1 = (word & 0x4000) != 0;
    w.flag2 = (word & 0x8000) != 0;
    return w;
}

std::uint16_t EncodeSoundWord(int selector, std::int32_t entry, bool repeat, bool flag1, bool flag2) {
    std::uint32_t value =
        (static_cast<std::uint32_t>(entry) & 0x1FFF) + static_cast<std::uint32_t>(selector) * 1000;
    if (selector != 0) {
        value |= (repeat ? 0x2000u : 0) | (flag1 ? 0x4000u : 0) | (flag2 ? 0x8000u : 0);
    }
    if (value == 0) {
        value = 0xFFFF;
    }
    return static_cast<std::uint16_t>(value);
}

std::optional<SoundRow> ReadSoundRow(const ExeImage& image, int row) {
    const auto human = ReadField(image, fields::SoundHuman, row);
    const auto orc = ReadField(image, fields::SoundOrc, row);
    if (!human || !orc) {
        return std::nullopt;
    }
    return SoundRow{static_cast<std::uint16_t>(human->value), static_cast<std::uint16_t>(orc->value)};
}

void WriteSoundRow(ExeImage& image, int row, const SoundRow& words) {
    WriteField(image, fields::SoundOrc, row, words.orc);
    WriteField(image, fields::SoundHuman, row, words.human);
}

std::uint32_t RuntimeRandom::Random(std::uint32_t range) {
    state_ = state_ * 134775813u + 1u;
    return static_cast<std::uint32_t>((std::uint64_t{state_} * range) >> 32);
}

std::int32_t NextRandomSoundEntry(RuntimeRandom& random) {
    switch (random.Random(30) % 4) {
        case 0:
            return static_cast<std::int32_t>(random.Random(245));
        case 1:
            return 245;
        case 2:
            return 375;
        default:
            return 376;
    }
}

}  // namespace zorbel
