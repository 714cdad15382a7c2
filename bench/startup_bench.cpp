// Start-up with the demo game: creating the windows, then the main window's
// first show (name lists from the strings, icon strip from the sprite), on
// the offscreen platform. The modal About box is answered at once.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include "app/application.h"
#include "app/main_window.h"
#include "app/settings_store.h"
#include "pages/commands/commands_page.h"
#include "pages/units/units_page.h"
#include "tools/gamekit/demo_archives.h"
#include "tools/gamekit/game_exe.h"
#include "ui/prompts.h"
#include "ui_commands_page.h"
#include "ui_units_page.h"

namespace {

class Unattended : public zorbel::Prompts {
  public:
    void message(zorbel::MessageStyle, const QString&, const QString&) override {}
    std::optional<QString> open;
    std::optional<QString> openFileName(const zorbel::FileDialogRequest&) override { return open; }
    std::optional<QString> saveFileName(const zorbel::FileDialogRequest&) override { return std::nullopt; }
    zorbel::SaveChangesAnswer askSaveChanges(const QString&) override {
        return zorbel::SaveChangesAnswer::Discard;
    }
    zorbel::PatchConflictAnswer askPatchConflicts(const QString&) override {
        return zorbel::PatchConflictAnswer::Cancel;
    }
    bool askSaveWithErrors(const QString&) override { return false; }
    int showModal(QDialog&) override { return 0; }
};

// The editor on a demo game folder, its WAR2.EXE (build 4) open.
struct OpenDemo {
    QTemporaryDir game;
    zorbel::QSettingsStore settings{game.filePath(QStringLiteral("Zorbel.ini"))};
    Unattended prompts;
    std::unique_ptr<zorbel::ZorbelApplication> app;
    zorbel::TSDIAppForm* window = nullptr;
    OpenDemo() {
        gamekit::writeDemoArchives(game.filePath(QStringLiteral("DATA")).toStdString());
        const auto exe = gamekit::buildGameExe(4);
        const QString path = game.filePath(QStringLiteral("WAR2.EXE"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(exe.bytes.data()), static_cast<qint64>(exe.bytes.size()));
        file.close();
        settings.createKey();
        settings.setWar2Dir(game.path());
        prompts.open = path;
        app = std::make_unique<zorbel::ZorbelApplication>(prompts, settings);
        app->start();
        window = app->SDIAppForm();
        window->OpenItemClick();
    }
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

// Selecting a unit on the Commands page: its bar, the button rows, the
// first button's fields and its cross references.
void BM_SelectCommandBar(benchmark::State& state) {
    OpenDemo demo;
    QListWidget* list = demo.window->commandsPage().ui().CmdList;
    int row = 0;
    for (auto _ : state) {
        row = row == 0 ? 12 : 0;
        list->setCurrentRow(row);
    }
}
BENCHMARK(BM_SelectCommandBar)->Unit(benchmark::kMicrosecond);

// One undo and one redo from the Edit menu of a typed icon, each with the
// Units page showing the row again.
void BM_UndoRedoWithRefresh(benchmark::State& state) {
    OpenDemo demo;
    zorbel::TSDIAppForm& window = *demo.window;
    window.findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1"))->setCurrentIndex(0);
    window.unitsPage().ui().UnitList->setCurrentRow(3);
    window.unitsPage().ui().Edit1->setText(QStringLiteral("125"));
    for (auto _ : state) {
        window.UndoItemClick();
        window.RedoItemClick();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_UndoRedoWithRefresh)->Unit(benchmark::kMicrosecond);

// One keystroke into Icon with the game's WAR2.EXE as the reference: the
// write, the comparison, the Changes panel, the count and the page marks.
// The argument is how many other fields were changed before.
void BM_ChangesAfterKeystroke(benchmark::State& state) {
    OpenDemo demo;
    zorbel::TSDIAppForm& window = *demo.window;
    window.findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1"))->setCurrentIndex(0);
    auto* list = window.unitsPage().ui().UnitList;
    auto* icon = window.unitsPage().ui().Edit1;
    for (int k = 0; k < state.range(0); ++k) {
        list->setCurrentRow(k % list->count());
        (k / list->count() == 0 ? icon : window.unitsPage().ui().ready)->setText(QString::number(300 + k));
    }
    list->setCurrentRow(3);
    int value = 0;
    for (auto _ : state) {
        icon->setText(QString::number(125 + (value++ & 1)));
    }
    state.counters["changed"] = static_cast<double>(window.comparison().changedFields());
}
BENCHMARK(BM_ChangesAfterKeystroke)->Arg(0)->Arg(150)->Unit(benchmark::kMillisecond);

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
