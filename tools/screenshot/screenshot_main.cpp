// Renders every window of the editor to PNG files, with the demo game open,
// so that anyone can look at what a user sees: screenshot OUTDIR GAMEDIR
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <deque>
#include <iostream>

#include "app/about_box.h"
#include "app/application.h"
#include "app/game_version_window.h"
#include "app/main_window.h"
#include "app/qt_prompts.h"
#include "app/settings_store.h"
#include "graphics/compress_form.h"
#include "graphics/icon_chooser.h"
#include "pages/maps/objectives_dialog.h"
#include "patch/patch_dialog.h"
#include "ui/prompts.h"

namespace {

// Answers the file dialogs from a list and never waits for anyone.
class UnattendedPrompts : public zorbel::Prompts {
  public:
    std::deque<QString> files;
    void message(zorbel::MessageStyle, const QString& title, const QString& text) override {
        std::cerr << "screenshot: message " << title.toStdString() << ": " << text.toStdString() << "\n";
    }
    std::optional<QString> openFileName(const zorbel::FileDialogRequest&) override { return next(); }
    std::optional<QString> saveFileName(const zorbel::FileDialogRequest&) override { return next(); }
    zorbel::SaveChangesAnswer askSaveChanges(const QString&) override {
        return zorbel::SaveChangesAnswer::Discard;
    }
    QString conflicts;  // what the last import with conflicts asked
    zorbel::PatchConflictAnswer askPatchConflicts(const QString& text) override {
        conflicts = text;
        return zorbel::PatchConflictAnswer::Cancel;
    }
    QString errors;  // what the last save with errors asked
    bool askSaveWithErrors(const QString& text) override {
        errors = text;
        return false;
    }
    int showModal(QDialog&) override { return QDialog::Accepted; }

  private:
    std::optional<QString> next() {
        if (files.empty()) {
            return std::nullopt;
        }
        QString f = files.front();
        files.pop_front();
        return f;
    }
};

bool save(QWidget* widget, const QString& path) {
    widget->show();
    QApplication::processEvents();
    const bool ok = widget->grab().save(path);
    std::cout << (ok ? "wrote " : "could not write ") << path.toStdString() << "\n";
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: screenshot OUTDIR GAMEDIR\n";
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString game = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    zorbel::ZorbelApplication::applyFont();

    QTemporaryDir config;
    zorbel::QSettingsStore settings(config.filePath(QStringLiteral("Zorbel.ini")));
    settings.createKey();
    settings.setWar2Dir(game);
    UnattendedPrompts prompts;
    zorbel::ZorbelApplication zorbel(prompts, settings);
    zorbel.start();
    auto* window = zorbel.SDIAppForm();
    prompts.files.push_back(game + QStringLiteral("/WAR2.EXE"));
    window->OpenItemClick();

    bool ok = true;
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1"));
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QString name = pages->tabText(i).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
        ok &= save(window, QStringLiteral("%1/main-%2.png").arg(out, name));
    }
    // The Edit menu after a typed icon, with the main window behind it.
    pages->setCurrentIndex(0);
    window->findChild<QListWidget*>(QStringLiteral("UnitList"))->setCurrentRow(3);
    window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("125"));
    ok &= save(window, out + QStringLiteral("/main-edited.png"));
    auto* edit = window->findChild<QMenu*>(QStringLiteral("EditMenu"));
    edit->popup(window->mapToGlobal(QPoint(40, 20)));
    ok &= save(edit, out + QStringLiteral("/edit-menu.png"));
    edit->hide();
    auto* file = window->findChild<QMenu*>(QStringLiteral("FileMenu"));
    file->popup(window->mapToGlobal(QPoint(4, 20)));
    ok &= save(file, out + QStringLiteral("/file-menu.png"));
    file->hide();
    // The typed icon exported, then another typed over it: importing the first asks.
    QTemporaryDir patches;
    const QString patch = patches.filePath(QStringLiteral("peon.ztp"));
    prompts.files.push_back(patch);
    window->ExportChangesItemClick();
    window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("126"));
    window->importChanges(patch);
    const auto conflicts = zorbel::PatchConflictBox(prompts.conflicts, window);
    ok &= save(conflicts.get(), out + QStringLiteral("/patch-conflicts.png"));
    conflicts->hide();
    // Find, tabbed with the Changes panel, and the unit list filtered.
    window->findChild<QLineEdit*>(QStringLiteral("UnitListFilter"))->setText(QStringLiteral("pe"));
    window->findChild<QAction*>(QStringLiteral("FindItem"))->trigger();
    auto* query = window->findChild<QLineEdit*>(QStringLiteral("FindText"));
    query->setText(QStringLiteral("sound 4"));
    emit query->returnPressed();
    ok &= save(window, out + QStringLiteral("/find.png"));
    window->findChild<QLineEdit*>(QStringLiteral("UnitListFilter"))->clear();
    window->findChild<QDockWidget*>(QStringLiteral("ChangesDock"))->raise();
    window->UndoItemClick();
    // A Ready sound past the Sound Table: the Problems panel, and what Save asks.
    pages->setCurrentIndex(0);
    window->findChild<QLineEdit*>(QStringLiteral("ready"))->setText(QStringLiteral("400"));
    window->findChild<QDockWidget*>(QStringLiteral("ProblemsDock"))->raise();
    window->findChild<QListWidget*>(QStringLiteral("ProblemList"))->setCurrentRow(0);
    ok &= save(window, out + QStringLiteral("/problems.png"));
    window->SaveItemClick();
    const auto errors = zorbel::SaveWithErrorsBox(prompts.errors, window);
    ok &= save(errors.get(), out + QStringLiteral("/save-with-errors.png"));
    errors->hide();
    window->UndoItemClick();
    window->findChild<QDockWidget*>(QStringLiteral("ChangesDock"))->raise();
    ok &= save(zorbel.AboutBox, out + QStringLiteral("/about.png"));
    zorbel.chicon->setScrollPosition(6);
    zorbel.chicon->SelectedIcon = 8;
    ok &= save(zorbel.chicon, out + QStringLiteral("/icon-chooser.png"));
    ok &= save(zorbel.sobj, out + QStringLiteral("/objectives.png"));
    ok &= save(zorbel.genpat, out + QStringLiteral("/patch-dialog.png"));
    zorbel.CompressForm->start(200);
    zorbel.CompressForm->frame(120);
    ok &= save(zorbel.CompressForm, out + QStringLiteral("/converting.png"));
    zorbel.CompressForm->finish();
    ok &= save(zorbel.gver, out + QStringLiteral("/game-version.png"));
    // Resident memory with the demo game open, every page visited.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:")) {
                std::cout << "resident memory, demo game open, every page shown: "
                          << line.mid(6).trimmed().toStdString() << "\n";
            }
        }
    }
    return ok ? 0 : 1;
}
