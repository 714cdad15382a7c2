#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class MapsPage;
}

namespace zorbel {

class Tsobj;
struct PageContext;

// "Maps": the victory condition of each campaign map, written back at once.
class MapsPage : public QWidget {
    Q_OBJECT

  public:
    explicit MapsPage(QWidget* parent = nullptr);
    ~MapsPage() override;

    Ui::MapsPage& ui() { return *ui_; }
    void attach(PageContext& context, Tsobj& objectives);

    void ListBox2Click();
    void rescChange();
    void Button7Click();

  private:
    std::unique_ptr<Ui::MapsPage> ui_;
    PageContext* context_ = nullptr;
    Tsobj* objectives_ = nullptr;
};

}  // namespace zorbel
