#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/list_page.h"

namespace Ui {
class UnitsPage;
}

namespace zorbel {

class Tchicon;

// "Units": a unit's record, command bar, after-death byte and sounds,
// written back at once.
class UnitsPage : public ListPage {
    Q_OBJECT

  public:
    explicit UnitsPage(QWidget* parent = nullptr);
    ~UnitsPage() override;

    Ui::UnitsPage& ui() { return *ui_; }
    // showSound: brings the Sound Table page up at a sound number's text.
    void attach(PageContext& context, std::function<void(const QString&)> showSound);
    void setIconChooser(Tchicon* chooser) { chooser_ = chooser; }
    // The unit list's rows, and the game's strings for the name list.
    void setUnitRows(const std::vector<std::string>& rows);
    void setNameList(const std::vector<std::string>& strings);

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
    Tchicon* chooser_ = nullptr;
    std::function<void(const QString&)> showSound_;
};

}  // namespace zorbel
