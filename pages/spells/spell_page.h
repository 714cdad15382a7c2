#pragma once

#include <memory>

#include "ui/list_page.h"

namespace Ui {
class SpellPage;
}

namespace zorbel {

// "Spell Editor": the 61 actions, their eight values, written back at once.
class SpellPage : public ListPage {
    Q_OBJECT

  public:
    explicit SpellPage(QWidget* parent = nullptr);
    ~SpellPage() override;

    Ui::SpellPage& ui() { return *ui_; }
    void attach(PageContext& context);

    void SpellListClick();
    void manaChange();

  private:
    std::unique_ptr<Ui::SpellPage> ui_;
};

}  // namespace zorbel
