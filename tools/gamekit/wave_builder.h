#pragma once

#include <cstdint>
#include <vector>

namespace gamekit {

// A RIFF WAVE image of PCM samples (8-bit unsigned or 16-bit signed, as given).
std::vector<std::uint8_t> buildWave(int sampleRate, int bitsPerSample, int channels,
                                    const std::vector<std::uint8_t>& sampleBytes);

// A short 8-bit mono chirp from one frequency to another, with a soft start
// and end, as the game's sounds are stored.
std::vector<std::uint8_t> chirpWave(double fromHz, double toHz, int milliseconds, int sampleRate = 11025);

}  // namespace gamekit
