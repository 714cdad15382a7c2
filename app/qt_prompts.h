#pragma once

#include <memory>

#include "ui/prompts.h"

class QMessageBox;

namespace zorbel {

// The real prompts: Qt's message boxes and file dialogs.
class QtPrompts : public Prompts {
  public:
    void message(MessageStyle style, const QString& title, const QString& text) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    SaveChangesAnswer askSaveChanges(const QString& fileName) override;
    PatchConflictAnswer askPatchConflicts(const QString& text) override;
    bool askSaveWithErrors(const QString& text) override;
    int showModal(QDialog& dialog) override;
};

// The box askPatchConflicts shows, not yet shown: its buttons are named
// TakePatch, KeepCurrent and Cancel.
std::unique_ptr<QMessageBox> PatchConflictBox(const QString& text, QWidget* parent);
// The box askSaveWithErrors shows: SaveAnyway and Cancel, Cancel the default.
std::unique_ptr<QMessageBox> SaveWithErrorsBox(const QString& text, QWidget* parent);

}  // namespace zorbel
