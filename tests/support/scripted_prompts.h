#pragma once

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

#include "tests/support/qt_printers.h"
#include "ui/prompts.h"

namespace testsupport {

// Answers every prompt from a script and records what was asked, in order.
class ScriptedPrompts : public zorbel::Prompts {
  public:
    QStringList log;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<zorbel::SaveChangesAnswer> saveAnswers;
    // What the user does in the next modal windows, in order; the window is
    // shown meanwhile. Without one, a modal window is shown and closed at once.
    std::deque<std::function<void(QDialog&)>> modalActions;

    void message(zorbel::MessageStyle style, const QString& title, const QString& text) override {
        static const char* styles[] = {"plain", "warning", "error"};
        log << QStringLiteral("message %1|%2|%3")
                   .arg(QLatin1String(styles[static_cast<int>(style)]), title, text);
    }
    std::optional<QString> openFileName(const zorbel::FileDialogRequest& r) override {
        log << QStringLiteral("open %1|%2|%3").arg(r.title, r.filter, r.initialDir);
        return nextFile();
    }
    std::optional<QString> saveFileName(const zorbel::FileDialogRequest& r) override {
        log << QStringLiteral("save %1|%2|%3").arg(r.title, r.filter, r.initialDir);
        return nextFile();
    }
    zorbel::SaveChangesAnswer askSaveChanges(const QString& fileName) override {
        log << QStringLiteral("ask Save changes to %1?").arg(fileName);
        if (saveAnswers.empty()) {
            return zorbel::SaveChangesAnswer::Cancel;
        }
        auto a = saveAnswers.front();
        saveAnswers.pop_front();
        return a;
    }
    int showModal(QDialog& dialog) override {
        log << QStringLiteral("modal %1").arg(dialog.objectName());
        dialog.setResult(QDialog::Rejected);
        dialog.show();  // shown, so that FormShow runs
        if (!modalActions.empty()) {
            auto action = std::move(modalActions.front());
            modalActions.pop_front();
            action(dialog);
        }
        const int result = dialog.result();
        dialog.hide();
        return result;
    }
    // The log, emptied.
    QStringList take() {
        QStringList out = log;
        log.clear();
        return out;
    }

  private:
    std::optional<QString> nextFile() {
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        auto a = fileAnswers.front();
        fileAnswers.pop_front();
        return a;
    }
};

}  // namespace testsupport
