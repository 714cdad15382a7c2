#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutBox;
}

namespace zorbel {

class TAboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    Ui::TAboutBox& ui() { return *ui_; }

  private:
    std::unique_ptr<Ui::TAboutBox> ui_;
};

}  // namespace zorbel
