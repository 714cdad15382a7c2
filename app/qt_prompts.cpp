#include "app/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace zorbel {

namespace {

QWidget* activeParent() {
    return QApplication::activeWindow();
}

std::optional<QString> runFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(activeParent(), request.title, request.initialDir, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The executable's Save replaces a file without asking, as it always has;
    // the patch dialog asks.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
#ifndef Q_OS_WIN
    // Qt's own dialog matches filters without regard to case, so "*.exe"
    // shows the game's "WAR2.EXE"; some native dialogs on Linux do not.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
#endif
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

void QtPrompts::message(MessageStyle style, const QString& title, const QString& text) {
    const QMessageBox::Icon icon = style == MessageStyle::Warning ? QMessageBox::Warning
                                   : style == MessageStyle::Error ? QMessageBox::Critical
                                                                  : QMessageBox::NoIcon;
    QMessageBox box(icon, title, text, QMessageBox::Ok, activeParent());
    box.exec();
}

std::optional<QString> QtPrompts::openFileName(const FileDialogRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompts::saveFileName(const FileDialogRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptSave);
}

SaveChangesAnswer QtPrompts::askSaveChanges(const QString& fileName) {
    QMessageBox box(QMessageBox::Question, kAppTitle, QStringLiteral("Save changes to %1?").arg(fileName),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, activeParent());
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChangesAnswer::Save;
        case QMessageBox::Discard:
            return SaveChangesAnswer::Discard;
        default:
            return SaveChangesAnswer::Cancel;
    }
}

int QtPrompts::showModal(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace zorbel
