#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class CommandsPage;
}

namespace zorbel {

class CommandsPage : public QWidget {
    Q_OBJECT

  public:
    explicit CommandsPage(QWidget* parent = nullptr);
    ~CommandsPage() override;

    Ui::CommandsPage& ui() { return *ui_; }

  private:
    std::unique_ptr<Ui::CommandsPage> ui_;
};

}  // namespace zorbel
