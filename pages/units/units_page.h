#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class UnitsPage;
}

namespace zorbel {

class UnitsPage : public QWidget {
    Q_OBJECT

  public:
    explicit UnitsPage(QWidget* parent = nullptr);
    ~UnitsPage() override;

    Ui::UnitsPage& ui() { return *ui_; }

  private:
    std::unique_ptr<Ui::UnitsPage> ui_;
};

}  // namespace zorbel
