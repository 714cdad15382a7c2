#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pages/commands/command_model.h"
#include "ui/list_page.h"

namespace Ui {
class CommandsPage;
}

namespace zorbel {

class Tchicon;

// "Commands": a unit's bar or a default group, its buttons, and the eight
// fields of the selected button, written back at once.
class CommandsPage : public ListPage {
    Q_OBJECT

  public:
    explicit CommandsPage(QWidget* parent = nullptr);
    ~CommandsPage() override;

    Ui::CommandsPage& ui() { return *ui_; }
    void attach(PageContext& context, bool& labelSyncEnabled);
    void setIconChooser(Tchicon* chooser) { chooser_ = chooser; }
    // The unit list's rows and the label texts, from the name lists.
    void setNames(std::vector<std::string> unitRows, std::vector<std::string> labels);
    // A row of the Buttons table is a button's BarOffset: see showButton.
    void showRow(std::int64_t row, const FieldDef* field) override;
    // Shows the button at BarOffset x as the image now has it: in the bar
    // shown when that bar holds it, else in the first unit's bar (or group)
    // that does, with a field's box focused.
    void showButton(std::int32_t x, const FieldDef* field);
    // Loads the shown bar and button again.
    void reload() override;

    void RadioButton1Click();
    void RadioButton2Click();
    void CmdListClick();
    void ComboBox1Change();
    void calcit();
    void chglabel();
    void clabelChange();
    void listchg();
    void BitBtn2Click();

  private:
    struct Bar {
        std::int32_t base;
        std::uint16_t count;
    };
    bool byUnit() const;
    // The shown bar, from the mode and the command-list row; nothing when
    // no row is selected or the unit's pointer has no fixup record.
    std::optional<Bar> currentBar() const;
    std::optional<Bar> barAt(int row) const;
    // A unit or group row is changed when a button of its bar is.
    bool rowChanged(int listRow) const override;
    // Whether the button at BarOffset may be shown and edited: inside the
    // image, and in by-commands mode inside the button area.
    bool editable(std::int32_t barOffset) const;
    void showBar(const Bar& bar);
    void showButton(const ButtonRecord& record);
    // The selected button's BarOffset, -1 when none is shown.
    std::int64_t stepRow() const override;

    std::unique_ptr<Ui::CommandsPage> ui_;
    bool* labelSync_ = nullptr;
    Tchicon* chooser_ = nullptr;
    std::vector<std::string> unitRows_;
    std::vector<std::string> labels_;
    std::vector<CommandGroup> groups_;
};

}  // namespace zorbel
