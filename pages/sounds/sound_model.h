#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "exe/exe_image.h"

namespace zorbel {

// The archive a sound word names, by selector: the captions of the page's
// radio buttons and at the same time the file names handed to the reader.
inline constexpr std::array<const char*, 7> kSoundArchives = {
    "No Sound", "MAINDAT.WAR", "SNDDAT.WAR", "REZDAT.WAR", "STRDAT.WAR", "SFXDAT.SUD", "MUDDAT.CUD",
};

struct SoundWord {
    int selector = 0;  // 0 ... 6
    int entry = 0;     // 0 ... 999
    bool repeat = false;
    bool flag1 = false;
    bool flag2 = false;
};

SoundWord DecodeSoundWord(std::uint16_t word);
// (entry AND 0x1FFF) + selector x 1000, the flags only when a sound is
// named; a word that comes out 0 is stored as 0xFFFF.
std::uint16_t EncodeSoundWord(int selector, std::int32_t entry, bool repeat, bool flag1, bool flag2);

struct SoundRow {
    std::uint16_t human = 0;
    std::uint16_t orc = 0;
};

// Nothing while no executable is open or for a row outside 0 ... 344.
std::optional<SoundRow> ReadSoundRow(const ExeImage& image, int row);
void WriteSoundRow(ExeImage& image, int row, const SoundRow& words);

// The run-time's pseudo-random generator: state 0 at start, never reseeded.
class RuntimeRandom {
  public:
    std::uint32_t Random(std::uint32_t range);

  private:
    std::uint32_t state_ = 0;
};

// The entry of "SFXDAT.SUD" that "NEVER CLICK HERE :)" plays next.
std::int32_t NextRandomSoundEntry(RuntimeRandom& random);

}  // namespace zorbel
