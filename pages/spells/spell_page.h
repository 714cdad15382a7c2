#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <utility>

class QLineEdit;

namespace Ui {
class SpellPage;
}

namespace zorbel {

struct FieldDef;
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
    // Shows an action as the image now has it, with a field's box focused.
    void showRow(int action, const FieldDef* field);
    // Loads the selected action again.
    void reload();

    void SpellListClick();
    void manaChange();

  private:
    std::unique_ptr<Ui::SpellPage> ui_;
    PageContext* context_ = nullptr;
    std::array<std::pair<const FieldDef*, QLineEdit*>, 8> boxes_{};
};

}  // namespace zorbel
