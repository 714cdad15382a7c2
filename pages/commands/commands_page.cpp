#include "pages/commands/commands_page.h"

#include "graphics/icon_chooser.h"
#include "ui/field_text.h"
#include "ui/game_text.h"
#include "ui/game_text_list.h"
#include "ui_commands_page.h"

namespace zorbel {

CommandsPage::CommandsPage(QWidget* parent) : ListPage(parent), ui_(std::make_unique<Ui::CommandsPage>()) {
    ui_->setupUi(this);
    ui_->CmdList->setItemDelegate(new FixedRowHeight(16, ui_->CmdList));
    ui_->CmdList->setUniformItemSizes(true);
}

CommandsPage::~CommandsPage() = default;

void CommandsPage::attach(PageContext& context, bool& labelSyncEnabled) {
    attachList(context, ui_->CmdList, &CommandsPage::CmdListClick);
    labelSync_ = &labelSyncEnabled;
    Prompts& p = context.prompts;
    using namespace fields;
    connect(ui_->RadioButton1, &QRadioButton::clicked, this, guarded(p, [this] { RadioButton1Click(); }));
    connect(ui_->RadioButton2, &QRadioButton::clicked, this, guarded(p, [this] { RadioButton2Click(); }));
    connect(ui_->ComboBox1, &QComboBox::currentIndexChanged, this, guarded(p, [this] {
                ComboBox1Change();
                showMarks();
            }));
    const std::pair<QLineEdit*, const FieldDef*> boxes[] = {
        {ui_->cicon, &ButtonIcon},    {ui_->cact, &ButtonActFn},        {ui_->cparmact, &ButtonActParam},
        {ui_->creq, &ButtonReqFn},    {ui_->cparmreq, &ButtonReqParam}, {ui_->cflags, &ButtonFlags},
        {ui_->cpos, &ButtonPosition},
    };
    for (const auto& [box, field] : boxes) {
        connect(box, &QLineEdit::textChanged, this, step(*field, true, &CommandsPage::chglabel));
        controls_.add(*field, box);
    }
    controls_.add(ButtonLabel, ui_->clabel);
    connect(ui_->clabel, &QLineEdit::textChanged, this, step(ButtonLabel, true, &CommandsPage::clabelChange));
    connect(ui_->lblist, &QComboBox::currentIndexChanged, this,
            step(ButtonLabel, false, &CommandsPage::listchg));
    connect(ui_->BitBtn2, &QPushButton::clicked, this, step(ButtonIcon, false, &CommandsPage::BitBtn2Click));
}

std::int64_t CommandsPage::stepRow() const {
    const auto bar = context_->image.held() ? currentBar() : std::nullopt;
    const int k = ui_->ComboBox1->currentIndex();
    return bar && k >= 0 ? std::int64_t{bar->base} + kButtonRecordSize * k : -1;
}

void CommandsPage::showRow(std::int64_t row, const FieldDef* field) {
    showButton(static_cast<std::int32_t>(row), field);
}

void CommandsPage::showButton(std::int32_t x, const FieldDef* field) {
    auto indexIn = [x](const std::optional<Bar>& bar) {
        const std::int64_t d = std::int64_t{x} - (bar ? bar->base : 0);
        return bar && d >= 0 && d % kButtonRecordSize == 0 && d / kButtonRecordSize < bar->count
                   ? static_cast<int>(d / kButtonRecordSize)
                   : -1;
    };
    int row = ui_->CmdList->currentRow();
    if (indexIn(currentBar()) < 0) {
        // Another bar holds it: the first unit whose bar does, or its group.
        if (byUnit()) {
            for (int unit : FindButtonUsers(context_->image, x)) {
                const CommandBar bar = ReadCommandBar(context_->image, unit);
                if (indexIn(Bar{bar.barOffset, bar.count}) >= 0) {
                    row = unit;
                    break;
                }
            }
        } else {
            for (std::size_t g = 0; g < groups_.size(); ++g) {
                if (indexIn(Bar{groups_[g].barOffset, groups_[g].count}) >= 0) {
                    row = static_cast<int>(g);
                }
            }
        }
    }
    selectRow(row);
    const int k = indexIn(currentBar());
    if (k >= 0 && k < ui_->ComboBox1->count()) {
        ui_->ComboBox1->setCurrentIndex(k);
    }
    if (field != nullptr) {
        controls_.focus(*field);
    }
}

void CommandsPage::reload() {
    const int k = ui_->ComboBox1->currentIndex();
    if (ui_->CmdList->currentRow() < 0) {
        return;
    }
    CmdListClick();
    if (k >= 0 && k < ui_->ComboBox1->count()) {
        ui_->ComboBox1->setCurrentIndex(k);
    }
}

void CommandsPage::setNames(std::vector<std::string> unitRows, std::vector<std::string> labels) {
    unitRows_ = std::move(unitRows);
    labels_ = std::move(labels);
    {
        const ScopedFlag quiet(*labelSync_, false, *labelSync_);  // filling the list is no pick of a label
        ui_->lblist->clear();
        for (const std::string& label : labels_) {
            addGameRow(ui_->lblist, label);
        }
        ui_->lblist->setCurrentIndex(-1);
    }
    if (byUnit()) {
        RadioButton2Click();
    }
}

bool CommandsPage::byUnit() const {
    return ui_->RadioButton2->isChecked();
}

void CommandsPage::RadioButton2Click() {
    ui_->CmdList->clear();
    for (const std::string& row : unitRows_) {
        addGameRow(ui_->CmdList, row);
    }
}

void CommandsPage::RadioButton1Click() {
    groups_ = BuildCommandGroups();
    ui_->CmdList->clear();
    for (const CommandGroup& g : groups_) {
        ui_->CmdList->addItem(QString::fromStdString(CommandGroupRowText(g)));
    }
}

std::optional<CommandsPage::Bar> CommandsPage::currentBar() const {
    return barAt(ui_->CmdList->currentRow());
}

std::optional<CommandsPage::Bar> CommandsPage::barAt(int row) const {
    if (!context_->image.held() || row < 0) {
        return std::nullopt;
    }
    if (byUnit()) {
        const CommandBar bar = ReadCommandBar(context_->image, row);
        if (!bar.found) {
            return std::nullopt;  // no fixup record: no bar
        }
        return Bar{bar.barOffset, bar.count};
    }
    if (static_cast<std::size_t>(row) >= groups_.size()) {
        return std::nullopt;
    }
    return Bar{groups_[static_cast<std::size_t>(row)].barOffset,
               groups_[static_cast<std::size_t>(row)].count};
}

bool CommandsPage::rowChanged(int listRow) const {
    const auto bar = marks_ != nullptr && !marks_->records.empty() ? barAt(listRow) : std::nullopt;
    for (int k = 0; bar && k < bar->count; ++k) {
        if (marks_->records.count({TableId::Buttons, std::int64_t{bar->base} + kButtonRecordSize * k}) != 0) {
            return true;
        }
    }
    return false;
}

bool CommandsPage::editable(std::int32_t barOffset) const {
    const auto& layout = context_->image.layout();
    if (!byUnit() && !InsideButtonArea(layout, barOffset)) {
        return false;  // it would overwrite the command-bar table
    }
    return ReadButtonRecord(context_->image, barOffset).has_value();
}

void CommandsPage::CmdListClick() {
    const auto guard = loading();
    if (auto bar = currentBar()) {
        showBar(*bar);
        context_->WriteBackEnabled = true;
        ComboBox1Change();
        calcit();
    }
}

void CommandsPage::showBar(const Bar& bar) {
    ui_->offs->setText(QString::number(bar.base));
    ui_->ComboBox1->clear();
    for (int k = 0; k < bar.count; ++k) {
        const std::int32_t at = bar.base + kButtonRecordSize * k;
        std::string row;  // a button that cannot be edited is an empty row
        if (editable(at)) {
            const auto record = ReadButtonRecord(context_->image, at);
            row = ButtonRowText(k + 1, record->label, labels_);
        }
        addGameRow(ui_->ComboBox1, row);
    }
    if (bar.count > 0) {
        ui_->ComboBox1->setCurrentIndex(0);
    }
}

void CommandsPage::ComboBox1Change() {
    if (!context_->WriteBackEnabled) {
        return;
    }
    const ScopedFlag busy(context_->WriteBackEnabled, false);
    if (!context_->image.held()) {
        ui_->offs->clear();
        calcit();
        return;
    }
    const auto bar = currentBar();
    const int k = ui_->ComboBox1->currentIndex();
    if (bar && k >= 0) {
        const std::int32_t at = bar->base + kButtonRecordSize * k;
        const bool canEdit = editable(at);
        ui_->GroupBox7->setEnabled(canEdit);
        if (canEdit) {
            showButton(*ReadButtonRecord(context_->image, at));
        } else {
            for (QLineEdit* box : {ui_->cicon, ui_->clabel, ui_->cflags, ui_->cpos, ui_->cparmact,
                                   ui_->cparmreq, ui_->creq, ui_->cact}) {
                box->clear();
            }
        }
        ui_->offs->setText(QString::number(at));
        calcit();
    }
}

void CommandsPage::showButton(const ButtonRecord& r) {
    ui_->cicon->setText(QString::number(r.icon));
    {
        // The label number is shown as stored, also when the list has no row for it.
        const ScopedFlag quiet(*labelSync_, false);
        ui_->clabel->setText(QString::number(r.label));
        ui_->lblist->setCurrentIndex(r.label >= 1 && r.label <= ui_->lblist->count() ? r.label - 1 : -1);
    }
    ui_->cflags->setText(QString::number(r.flags));
    ui_->cpos->setText(QString::number(r.position));
    ui_->cparmact->setText(QString::number(r.actParam));
    ui_->cparmreq->setText(QString::number(r.reqParam));
    ui_->creq->setText(QString::number(r.reqFn.target));
    ui_->cact->setText(QString::number(r.actFn.target));
}

void CommandsPage::calcit() {
    ui_->ListBox1->clear();
    const auto bar = currentBar();
    const int k = ui_->ComboBox1->currentIndex();
    if (!bar || k < 0) {
        return;
    }
    for (int unit : FindButtonUsers(context_->image, bar->base + kButtonRecordSize * k)) {
        if (static_cast<std::size_t>(unit) < unitRows_.size()) {
            addGameRow(ui_->ListBox1, unitRows_[static_cast<std::size_t>(unit)]);
        } else {
            ui_->ListBox1->addItem(QString::number(unit));
        }
    }
}

void CommandsPage::chglabel() {
    if (!context_->image.held() || !context_->WriteBackEnabled) {
        return;
    }
    const auto bar = currentBar();
    const int k = ui_->ComboBox1->currentIndex();
    if (!bar || k < 0) {
        return;
    }
    const std::int32_t at = bar->base + kButtonRecordSize * k;
    if (!editable(at)) {
        return;
    }
    ButtonValues v;
    v.icon = lenientValue(ui_->cicon);
    v.label = lenientValue(ui_->clabel);
    v.actFn = lenientValue(ui_->cact);
    v.actParam = lenientValue(ui_->cparmact);
    v.reqFn = lenientValue(ui_->creq);
    v.reqParam = lenientValue(ui_->cparmreq);
    v.flags = lenientValue(ui_->cflags);
    v.position = lenientValue(ui_->cpos);
    WriteButtonRecord(context_->image, at, v);
    ui_->offs->setText(QString::number(at));
}

void CommandsPage::clabelChange() {
    if (*labelSync_) {
        const ScopedFlag quiet(*labelSync_, false);
        const int row = lenientValue(ui_->clabel) - 1;
        ui_->lblist->setCurrentIndex(row >= 0 && row < ui_->lblist->count() ? row : -1);
    }
    listchg();
}

void CommandsPage::listchg() {
    if (!*labelSync_) {
        return;
    }
    const ScopedFlag quiet(*labelSync_, false);
    ui_->clabel->setText(QString::number(ui_->lblist->currentIndex() + 1));
    chglabel();
}

void CommandsPage::BitBtn2Click() {
    if (chooser_ == nullptr) {
        return;
    }
    chooser_->ChosenIcon = lenientValue(ui_->cicon) + 1;
    chooser_->setScrollPosition(strictValue(ui_->cicon) / 3 * 3);
    chooser_->SelectedIcon = chooser_->ChosenIcon;
    context_->prompts.showModal(*chooser_);
    ui_->cicon->setText(QString::number(chooser_->ChosenIcon - 1));
}

}  // namespace zorbel
