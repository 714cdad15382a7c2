#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace zorbel {

class Launcher;
class Prompts;

// "Create WAR2 EXE Patch": three file names, then genpatch is started with
// them. The fields keep their texts between showings within a run.
class Tgenpat : public QDialog {
    Q_OBJECT

  public:
    struct Context {
        Prompts& prompts;
        Launcher& launcher;
        std::function<QString()> gameDir;
        std::function<QString()> startDir;
        std::function<void(const QString&)> showStatus;  // the main window's status bar
    };

    Tgenpat(Context context, QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;

    // genpatch in StartDir, or beside the editor when it is not there.
    QString genpatchProgram() const;

    void Button1Click();
    void Button2Click();
    void Edit3Change();
    void Button4Click();
    void Button5Click();

  private:
    Context context_;
};

}  // namespace zorbel
