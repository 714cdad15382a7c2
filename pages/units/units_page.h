#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "app/field_controls.h"

namespace Ui {
class UnitsPage;
}

namespace zorbel {

class Tchicon;
struct PageContext;

// "Units": a unit's record, command bar, after-death byte and sounds,
// written back at once.
class UnitsPage : public QWidget {
    Q_OBJECT

  public:
    explicit UnitsPage(QWidget* parent = nullptr);
    ~UnitsPage() override;

    Ui::UnitsPage& ui() { return *ui_; }
    // showSound: brings the Sound Table page up at a sound number's text.
    void attach(PageContext& context, std::function<void(const QString&)> showSound);
    void setIconChooser(Tchicon* chooser) { chooser_ = chooser; }
    // After Open: row 0, loaded.
    void refresh();
    // Shows a unit row as the image now has it, with a field's control focused.
    void showRow(int unit, const FieldDef* field);
    // Loads the selected row again.
    void reload();

    void UnitListClick();
    void saveiun();
    void nmlistChange(int row);
    void fnaChange();
    void deathChange();
    void sndChange();
    void cmdsChange();
    void cmddataChange();
    void BitBtn1Click();
    void Button4Click();
    void Button5Click();

  private:
    bool writing() const;
    int row() const;
    void selectName(int name);

    std::unique_ptr<Ui::UnitsPage> ui_;
    PageContext* context_ = nullptr;
    Tchicon* chooser_ = nullptr;
    std::function<void(const QString&)> showSound_;
    FieldControls controls_;
};

}  // namespace zorbel
