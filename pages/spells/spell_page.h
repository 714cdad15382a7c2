#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class SpellPage;
}

namespace zorbel {

struct PageContext;

// "Spell Editor": the 61 actions, their eight values, written back at once.
class SpellPage : public QWidget {
    Q_OBJECT

  public:
    explicit SpellPage(QWidget* parent = nullptr);
    ~SpellPage() override;

    Ui::SpellPage& ui() { return *ui_; }
    void attach(PageContext& context);
    // After Open: row 0, loaded.
    void refresh();

    void SpellListClick();
    void manaChange();

  private:
    std::unique_ptr<Ui::SpellPage> ui_;
    PageContext* context_ = nullptr;
};

}  // namespace zorbel
