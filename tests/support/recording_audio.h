#pragma once

#include <vector>

#include "pages/sounds/audio_output.h"

namespace testsupport {

// Keeps every wave image it is asked to play, in order.
class RecordingAudioOutput : public zorbel::AudioOutput {
  public:
    std::vector<std::vector<std::uint8_t>> played;
    void play(zorbel::ByteView image) override { played.emplace_back(image.begin(), image.end()); }
};

}  // namespace testsupport
