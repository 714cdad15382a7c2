#pragma once

#include <QString>

#include <optional>

class QDialog;
class QWidget;

namespace zorbel {

enum class MessageStyle { Plain, Warning, Error };
enum class SaveChangesAnswer { Save, Discard, Cancel };
// Fields whose value is neither the one a table patch found nor the one it sets.
enum class PatchConflictAnswer { TakePatch, KeepCurrent, Cancel };

struct FileDialogRequest {
    FileDialogRequest(QString dialogTitle, QString fileFilter, QString directory)
        : title(std::move(dialogTitle)), filter(std::move(fileFilter)), initialDir(std::move(directory)) {}
    QString title;  // empty: the toolkit's default
    QString filter;
    QString initialDir;
    bool confirmOverwrite = false;  // save dialogs: ask before an existing file is replaced
    QString defaultSuffix;
    bool chooseFolder = false;  // open dialogs: a folder, not a file
};

// Everything that waits for the user: message boxes, file dialogs and modal
// windows. Tests replace it with a double that answers from a script.
class Prompts {
  public:
    virtual ~Prompts() = default;
    virtual void message(MessageStyle style, const QString& title, const QString& text) = 0;
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
    virtual SaveChangesAnswer askSaveChanges(const QString& fileName) = 0;
    // `text`: a heading, then a line per conflicting field.
    virtual PatchConflictAnswer askPatchConflicts(const QString& text) = 0;
    // Before a save of a file the checks find errors in; `text` says how
    // many and lists the first. True to save all the same.
    virtual bool askSaveWithErrors(const QString& text) = 0;
    virtual int showModal(QDialog& dialog) = 0;
};

// The application title, used on plain message boxes and the error report.
inline const QString kAppTitle = QStringLiteral("Zorbel");

}  // namespace zorbel
