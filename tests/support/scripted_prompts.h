#pragma once

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <ostream>
#include <utility>

#include "ui/prompts.h"

// Readable failure messages for Qt strings in GoogleTest.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << "{";
    for (qsizetype i = 0; i < list.size(); ++i) {
        *os << (i ? ",\n  " : "\n  ") << '"' << list[i].toStdString() << '"';
    }
    *os << "\n}";
}

namespace testsupport {

using namespace Qt::StringLiterals;

// Answers every prompt from a script and records what was asked, in order.
class ScriptedPrompts : public zorbel::Prompts {
  public:
    QStringList log;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<zorbel::SaveChangesAnswer> saveAnswers;
    std::deque<zorbel::PatchConflictAnswer> conflictAnswers;
    std::deque<bool> saveWithErrorsAnswers;  // true: Save Anyway
    // What the user does in the next modal windows, in order; the window is
    // shown meanwhile. Without one, a modal window is shown and closed at once.
    std::deque<std::function<void(QDialog&)>> modalActions;

    void message(zorbel::MessageStyle style, const QString& title, const QString& text) override {
        static const char* styles[] = {"plain", "warning", "error"};
        log << u"message %1|%2|%3"_s.arg(QLatin1String(styles[static_cast<int>(style)]), title, text);
    }
    std::optional<QString> openFileName(const zorbel::FileDialogRequest& r) override {
        log << u"open %1|%2|%3"_s.arg(r.title, r.filter, r.initialDir);
        return next(fileAnswers, {});
    }
    std::optional<QString> saveFileName(const zorbel::FileDialogRequest& r) override {
        log << u"save %1|%2|%3%4"_s.arg(r.title, r.filter, r.initialDir,
                                        r.confirmOverwrite ? u"|asks before replacing"_s : QString());
        return next(fileAnswers, {});
    }
    zorbel::SaveChangesAnswer askSaveChanges(const QString& fileName) override {
        log << u"ask Save changes to %1?"_s.arg(fileName);
        return next(saveAnswers, zorbel::SaveChangesAnswer::Cancel);
    }
    zorbel::PatchConflictAnswer askPatchConflicts(const QString& text) override {
        log << u"conflicts %1"_s.arg(text);
        return next(conflictAnswers, zorbel::PatchConflictAnswer::Cancel);
    }
    bool askSaveWithErrors(const QString& text) override {
        log << u"errors %1"_s.arg(text);
        return next(saveWithErrorsAnswers, false);
    }
    int showModal(QDialog& dialog) override {
        log << u"modal %1"_s.arg(dialog.objectName());
        dialog.setResult(QDialog::Rejected);
        dialog.show();  // shown, so that FormShow runs
        if (auto action = next(modalActions, {})) {
            action(dialog);
        }
        const int result = dialog.result();
        dialog.hide();
        return result;
    }
    // The log, emptied.
    QStringList take() { return std::exchange(log, {}); }

  private:
    // The next answer of a script, taken from it; `otherwise` when it has none.
    template <class T>
    static T next(std::deque<T>& script, T otherwise) {
        if (!script.empty()) {
            otherwise = std::move(script.front());
            script.pop_front();
        }
        return otherwise;
    }
};

}  // namespace testsupport
