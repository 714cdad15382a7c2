#pragma once

#include "ui/prompts.h"

namespace zorbel {

// The real prompts: Qt's message boxes and file dialogs.
class QtPrompts : public Prompts {
  public:
    void message(MessageStyle style, const QString& title, const QString& text) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    SaveChangesAnswer askSaveChanges(const QString& fileName) override;
    int showModal(QDialog& dialog) override;
};

}  // namespace zorbel
