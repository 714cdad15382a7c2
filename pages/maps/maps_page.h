#pragma once

#include <memory>

#include "ui/list_page.h"

namespace Ui {
class MapsPage;
}

namespace zorbel {

class Tsobj;

// "Maps": the victory condition of each campaign map, written back at once.
class MapsPage : public ListPage {
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
    Tsobj* objectives_ = nullptr;
};

}  // namespace zorbel
