#include "app/qt_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace zorbel {

namespace {

QWidget* activeParent() {
    return QApplication::activeWindow();
}

// The lines a box shows in its text; the rest of a longer one is in its
// details, which scroll, so that a long list never pushes the buttons off
// the screen.
constexpr qsizetype kShownLines = 20;

void setLongText(QMessageBox& box, const QString& text) {
    box.setTextFormat(Qt::PlainText);  // row names are the game's text, never markup
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() <= kShownLines) {
        box.setText(text);
        return;
    }
    box.setText(lines.first(kShownLines).join(QLatin1Char('\n')) +
                QStringLiteral("\n\u2026 and %1 more: Show Details... lists them all.")
                    .arg(lines.size() - kShownLines));
    box.setDetailedText(text);
}

std::optional<QString> runFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(activeParent(), request.title, request.initialDir, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(request.chooseFolder              ? QFileDialog::Directory
                       : mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                         : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ShowDirsOnly, request.chooseFolder);
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
    QMessageBox box(icon, title, {}, QMessageBox::Ok, activeParent());
    setLongText(box, text);
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

std::unique_ptr<QMessageBox> PatchConflictBox(const QString& text, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, kAppTitle, QString(),
                                             QMessageBox::NoButton, parent);
    box->setObjectName(QStringLiteral("PatchConflictBox"));
    setLongText(*box, text);
    const std::pair<const char*, QString> buttons[] = {
        {"TakePatch", QStringLiteral("Take the Patch's Values")},
        {"KeepCurrent", QStringLiteral("Keep Current Values")},
    };
    for (const auto& [name, label] : buttons) {
        box->addButton(label, QMessageBox::AcceptRole)->setObjectName(QLatin1String(name));
    }
    QPushButton* cancel = box->addButton(QMessageBox::Cancel);
    cancel->setObjectName(QStringLiteral("Cancel"));
    box->setDefaultButton(box->findChild<QPushButton*>(QStringLiteral("KeepCurrent")));
    box->setEscapeButton(cancel);
    return box;
}

PatchConflictAnswer QtPrompts::askPatchConflicts(const QString& text) {
    const auto box = PatchConflictBox(text, activeParent());
    box->exec();
    const QString chosen = box->clickedButton() != nullptr ? box->clickedButton()->objectName() : QString();
    return chosen == QLatin1String("TakePatch")     ? PatchConflictAnswer::TakePatch
           : chosen == QLatin1String("KeepCurrent") ? PatchConflictAnswer::KeepCurrent
                                                    : PatchConflictAnswer::Cancel;
}

std::unique_ptr<QMessageBox> SaveWithErrorsBox(const QString& text, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, kAppTitle, QString(),
                                             QMessageBox::NoButton, parent);
    box->setObjectName(QStringLiteral("SaveWithErrorsBox"));
    setLongText(*box, text);
    box->addButton(QStringLiteral("Save Anyway"), QMessageBox::AcceptRole)
        ->setObjectName(QStringLiteral("SaveAnyway"));
    QPushButton* cancel = box->addButton(QMessageBox::Cancel);
    cancel->setObjectName(QStringLiteral("Cancel"));
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    return box;
}

bool QtPrompts::askSaveWithErrors(const QString& text) {
    const auto box = SaveWithErrorsBox(text, activeParent());
    box->exec();
    return box->clickedButton() != nullptr &&
           box->clickedButton()->objectName() == QLatin1String("SaveAnyway");
}

int QtPrompts::showModal(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace zorbel
