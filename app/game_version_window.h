#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class Tgver;
}

namespace zorbel {

class ExeImage;

// Shows the text that recognised the open executable's build.
class Tgver : public QDialog {
    Q_OBJECT

  public:
    Tgver(const ExeImage& image, QWidget* parent = nullptr);
    ~Tgver() override;

    Ui::Tgver& ui() { return *ui_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();

    std::unique_ptr<Ui::Tgver> ui_;
    const ExeImage& image_;
};

}  // namespace zorbel
