#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class SoundPage;
}

namespace zorbel {

class SoundPage : public QWidget {
    Q_OBJECT

  public:
    explicit SoundPage(QWidget* parent = nullptr);
    ~SoundPage() override;

    Ui::SoundPage& ui() { return *ui_; }

  private:
    std::unique_ptr<Ui::SoundPage> ui_;
};

}  // namespace zorbel
