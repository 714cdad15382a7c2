// A kit-made wave entry played through Qt Multimedia on a real audio
// server. scripts/test starts a PulseAudio null sink and sets
// ZORBEL_AUDIO_E2E; without it the test is skipped.
#include <chrono>

#include "pages/sounds/wave_image.h"
#include "tests/support/gui_fixture.h"
#include "tools/gamekit/archive_builder.h"
#include "tools/gamekit/wave_builder.h"

namespace zorbel {
namespace {

using AudioEndToEnd = testsupport::AppFixture;

TEST_F(AudioEndToEnd, PlaysAnEntryOfATenMegabyteArchiveToItsEnd) {
    if (qEnvironmentVariableIsEmpty("ZORBEL_AUDIO_E2E")) {
        GTEST_SKIP() << "no audio server started for this run";
    }
    const QString game = gameFolder(QStringLiteral("game"));
    // SNDDAT.WAR of about 10 MB: big entries first, the chirp last.
    std::vector<gamekit::ArchiveEntry> entries(40, {std::vector<std::uint8_t>(256 * 1024, 0x80), false, {}});
    const auto chirp = gamekit::chirpWave(500, 1500, 300);
    entries.push_back({chirp, true, {}});
    writeFile(game + QStringLiteral("/DATA/SNDDAT.WAR"), gamekit::buildArchive(entries));

    QtAudioOutput real;
    output = &real;
    start(game);
    showPage(1);
    auto& ui = window->soundPage().ui();
    click(ui.w2);
    ui.txtEntry->setText(QString::number(entries.size() - 1));

    const auto clicked = std::chrono::steady_clock::now();
    QTest::mouseClick(ui.Button1, Qt::LeftButton);
    const auto returned = std::chrono::steady_clock::now();

    const PlaybackReport& report = real.lastPlayback();
    ASSERT_TRUE(report.played) << "the device did not take every sample";
    EXPECT_EQ(report.sampleBytes, static_cast<std::int64_t>(ParseWaveImage(chirp).value().samples.size()));
    EXPECT_GE(report.processedUs, report.durationUs * 8 / 10);
    EXPECT_GE(returned - clicked, std::chrono::microseconds(report.durationUs * 8 / 10))
        << "play returns when the sound has ended";
    ASSERT_TRUE(report.firstSample.has_value());
    const auto latency = std::chrono::duration_cast<std::chrono::microseconds>(*report.firstSample - clicked);
    RecordProperty("click_to_first_sample_us", static_cast<int>(latency.count()));
    std::printf("click to first sample: %.2f ms (sound %.0f ms)\n", latency.count() / 1000.0,
                report.durationUs / 1000.0);
    EXPECT_EQ(prompts.take(), QStringList{QStringLiteral("modal AboutBox")});
    EXPECT_TRUE(audio.played.empty());
}

}  // namespace
}  // namespace zorbel
