#include "pages/sounds/sound_model.h"

#include "exe/game_tables.h"

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

namespace {

bool validRow(const ExeImage& image, int row) {
    return image.held() && row >= 0 && row < kSoundTableRows;
}

}  // namespace

std::optional<SoundRow> ReadSoundRow(const ExeImage& image, int row) {
    if (!validRow(image, row)) {
        return std::nullopt;
    }
    const std::uint32_t at = image.layout().SoundTable + 2 * static_cast<std::uint32_t>(row);
    return SoundRow{image.readU16(at).value_or(0), image.readU16(at + tables::kOrcSoundOffset).value_or(0)};
}

void WriteSoundRow(ExeImage& image, int row, const SoundRow& words) {
    if (!validRow(image, row)) {
        return;
    }
    const std::uint32_t at = image.layout().SoundTable + 2 * static_cast<std::uint32_t>(row);
    image.writeU16(at + tables::kOrcSoundOffset, words.orc);
    image.writeU16(at, words.human);
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
