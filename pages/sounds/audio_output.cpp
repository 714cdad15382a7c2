#include "pages/sounds/audio_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QEventLoop>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>

#include "pages/sounds/wave_image.h"

namespace zorbel {

namespace {

// Hands the samples to the sink and notes when it takes the first of them.
class SampleSource : public QIODevice {
  public:
    SampleSource(ByteView samples, PlaybackReport& report) : samples_(samples), report_(report) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override {
        return static_cast<qint64>(samples_.size() - at_) + QIODevice::bytesAvailable();
    }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const auto n =
            static_cast<std::size_t>(std::min<qint64>(maxSize, static_cast<qint64>(samples_.size() - at_)));
        if (n > 0 && !report_.firstSample) {
            report_.firstSample = std::chrono::steady_clock::now();
        }
        std::copy_n(samples_.begin() + static_cast<std::ptrdiff_t>(at_), n, data);
        at_ += n;
        report_.bytesFed = static_cast<std::int64_t>(at_);
        return static_cast<qint64>(n);
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    ByteView samples_;
    std::size_t at_ = 0;
    PlaybackReport& report_;
};

}  // namespace

void QtAudioOutput::play(ByteView waveImage) {
    if (playing_) {
        return;
    }
    report_ = {};
    auto wave = ParseWaveImage(waveImage);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (!wave || device.isNull()) {
        return;
    }
    QAudioFormat format;
    format.setSampleRate(wave.value().sampleRate);
    format.setChannelCount(wave.value().channels);
    format.setSampleFormat(wave.value().bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    report_.sampleBytes = static_cast<std::int64_t>(wave.value().samples.size());
    report_.durationUs = wave.value().durationMicroseconds();

    playing_ = true;
    SampleSource source(wave.value().samples, report_);
    QAudioSink sink(device, format);
    QEventLoop loop;
    // Idle means the device has taken every sample; the sound has ended
    // once the device has also played them out.
    QTimer drain;
    drain.setInterval(5);
    QObject::connect(&drain, &QTimer::timeout, &loop, [&] {
        if (sink.processedUSecs() >= report_.durationUs || sink.state() == QAudio::StoppedState) {
            loop.quit();
        }
    });
    QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&](QAudio::State state) {
        if (state == QAudio::StoppedState) {
            loop.quit();
        } else if (state == QAudio::IdleState) {
            drain.start();
        }
    });
    // However the device behaves, the editor waits no longer than the sound
    // lasts plus two seconds.
    QTimer::singleShot(static_cast<int>(report_.durationUs / 1000) + 2000, &loop, &QEventLoop::quit);
    sink.start(&source);
    if (sink.state() != QAudio::StoppedState) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    report_.processedUs = sink.processedUSecs();
    // Running out of data ends a sound with an underrun; only a device that
    // never took all the samples means it did not play to its end.
    report_.played = report_.bytesFed == report_.sampleBytes;
    sink.stop();
    playing_ = false;
}

}  // namespace zorbel
