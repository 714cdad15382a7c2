// Start-up with the demo game: creating the windows, then the main window's
// first show (name lists from the strings, icon strip from the sprite), on
// the offscreen platform. The modal About box is answered at once.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTemporaryDir>

#include <chrono>

#include "app/application.h"
#include "app/main_window.h"
#include "app/prompts.h"
#include "app/settings_store.h"
#include "tools/gamekit/demo_archives.h"

namespace {

class Unattended : public zorbel::Prompts {
  public:
    void message(zorbel::MessageStyle, const QString&, const QString&) override {}
    std::optional<QString> openFileName(const zorbel::FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const zorbel::FileDialogRequest&) override { return std::nullopt; }
    zorbel::SaveChangesAnswer askSaveChanges(const QString&) override {
        return zorbel::SaveChangesAnswer::Discard;
    }
    int showModal(QDialog&) override { return 0; }
};

void BM_StartUpToFirstShow(benchmark::State& state) {
    QTemporaryDir game;
    gamekit::writeDemoArchives(game.filePath(QStringLiteral("DATA")).toStdString());
    zorbel::QSettingsStore settings(game.filePath(QStringLiteral("Zorbel.ini")));
    settings.createKey();
    settings.setWar2Dir(game.path());
    Unattended prompts;
    for (auto _ : state) {
        zorbel::ZorbelApplication app(prompts, settings);
        app.start();
        benchmark::DoNotOptimize(app.SDIAppForm());
        state.PauseTiming();
        app.SDIAppForm()->hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstShow)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    zorbel::ZorbelApplication::applyFont();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
