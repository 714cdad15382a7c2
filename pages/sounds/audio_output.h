#pragma once

#include <chrono>
#include <optional>

#include "base/byte_reader.h"

namespace zorbel {

// Plays a whole RIFF WAVE image from memory and returns when it has ended.
// Data that is not a wave image, or no audio device, plays nothing and
// reports nothing. Tests replace it with a recording double.
class AudioOutput {
  public:
    virtual ~AudioOutput() = default;
    virtual void play(ByteView waveImage) = 0;
};

class SilentAudioOutput : public AudioOutput {
  public:
    void play(ByteView) override {}
};

// What the last playback did, for tests and measurements.
struct PlaybackReport {
    bool played = false;
    std::int64_t sampleBytes = 0;  // bytes of sample data in the image
    std::int64_t bytesFed = 0;     // bytes the device took
    std::int64_t processedUs = 0;  // audio the device reports as processed
    std::int64_t durationUs = 0;   // length of the sound
    std::optional<std::chrono::steady_clock::time_point> firstSample;  // when the device took its first bytes
};

// Qt Multimedia: a QAudioSink fed from the image's samples. While a sound
// plays, the windows keep painting but take no input, so two sounds never
// overlap.
class QtAudioOutput : public AudioOutput {
  public:
    void play(ByteView waveImage) override;
    const PlaybackReport& lastPlayback() const { return report_; }

  private:
    PlaybackReport report_;
    bool playing_ = false;
};

}  // namespace zorbel
