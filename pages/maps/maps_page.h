#pragma once

#include <QWidget>
#include <memory>

#include "app/field_controls.h"

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
    // Shows a map as the image now has it, with a field's control focused.
    void showRow(int map, const FieldDef* field);
    // Loads the selected map again.
    void reload();

    void ListBox2Click();
    void rescChange();
    void Button7Click();

  private:
    std::unique_ptr<Ui::MapsPage> ui_;
    PageContext* context_ = nullptr;
    Tsobj* objectives_ = nullptr;
    FieldControls controls_;
};

}  // namespace zorbel
