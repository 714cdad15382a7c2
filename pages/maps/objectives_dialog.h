#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;

namespace zorbel {

// "Select Objectives: ": pages through the 31 objective descriptions. Its
// scroll bar holds the objective being edited between showings.
class Tsobj : public QDialog {
    Q_OBJECT

  public:
    explicit Tsobj(QWidget* parent = nullptr);

    QLabel* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    void ScrollBar1Change();
    // Whether the last showing ended with "Abort".
    bool aborted() const { return aborted_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void BitBtn2Click();

    int remembered_ = 0;
    bool aborted_ = false;
};

}  // namespace zorbel
