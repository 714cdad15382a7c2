#include "pages/units/units_page.h"

#include <QSignalBlocker>

#include "graphics/icon_chooser.h"
#include "pages/units/unit_model.h"
#include "ui/field_text.h"
#include "ui/game_text.h"
#include "ui/game_text_list.h"
#include "ui_units_page.h"

namespace zorbel {

UnitsPage::UnitsPage(QWidget* parent) : ListPage(parent), ui_(std::make_unique<Ui::UnitsPage>()) {
    ui_->setupUi(this);
    ui_->UnitList->setItemDelegate(new FixedRowHeight(16, ui_->UnitList));
    ui_->UnitList->setUniformItemSizes(true);
    ui_->nmlist->setByteFF(ByteFF::EndsText);  // the Units page stops a name at byte 255
    ui_->death->setCurrentIndex(-1);
    using namespace fields;
    const std::pair<const FieldDef*, QWidget*> shown[] = {
        {&UnitIcon, ui_->Edit1},    {&UnitAux, ui_->Edit4},    {&UnitName, ui_->Edit3},
        {&UnitFna, ui_->fna},       {&UnitFnb, ui_->fnb},      {&UnitFnz, ui_->fnz},
        {&UnitDeath, ui_->death},   {&UnitReady, ui_->ready},  {&UnitAck, ui_->ack},
        {&UnitAttack, ui_->attack}, {&UnitSelected, ui_->sel}, {&BarCount, ui_->cmds},
        {&BarData, ui_->cmddata},
    };
    for (const auto& [field, control] : shown) {
        controls_.add(*field, control);
    }
}

UnitsPage::~UnitsPage() = default;

void UnitsPage::attach(PageContext& context, std::function<void(const QString&)> showSound) {
    attachList(context, ui_->UnitList, &UnitsPage::UnitListClick);
    showSound_ = std::move(showSound);
    Prompts& p = context.prompts;
    using namespace fields;
    connect(ui_->Edit1, &QLineEdit::textChanged, this, step(UnitIcon, true, &UnitsPage::saveiun));
    connect(ui_->Edit3, &QLineEdit::textChanged, this, step(UnitName, true, &UnitsPage::saveiun));
    connect(ui_->nmlist, &QComboBox::activated, this, [this, &p](int picked) {
        runHandler(p,
                   [this, picked] { context_->edit(UnitName, row(), false, [&] { nmlistChange(picked); }); });
    });
    connect(ui_->fna, &QLineEdit::textChanged, this, step(UnitFna, true, &UnitsPage::fnaChange));
    connect(ui_->fnb, &QLineEdit::textChanged, this, step(UnitFnb, true, &UnitsPage::fnaChange));
    connect(ui_->death, &QComboBox::activated, this, step(UnitDeath, false, &UnitsPage::deathChange));
    const std::pair<QLineEdit*, const FieldDef*> sounds[] = {{ui_->ready, &UnitReady},
                                                             {ui_->ack, &UnitAck},
                                                             {ui_->attack, &UnitAttack},
                                                             {ui_->sel, &UnitSelected}};
    for (const auto& [box, field] : sounds) {
        connect(box, &QLineEdit::textChanged, this, step(*field, true, &UnitsPage::sndChange));
    }
    connect(ui_->cmds, &QLineEdit::textChanged, this, step(BarCount, true, &UnitsPage::cmdsChange));
    connect(ui_->cmddata, &QLineEdit::textChanged, this, step(BarData, true, &UnitsPage::cmddataChange));
    connect(ui_->BitBtn1, &QPushButton::clicked, this, step(UnitIcon, false, &UnitsPage::BitBtn1Click));
    connect(ui_->Button4, &QPushButton::clicked, this, guarded(p, [this] { Button4Click(); }));
    connect(ui_->Button5, &QPushButton::clicked, this, guarded(p, [this] { Button5Click(); }));
}

void UnitsPage::setUnitRows(const std::vector<std::string>& rows) {
    ui_->UnitList->clear();
    for (const std::string& name : rows) {
        addGameRow(ui_->UnitList, name);
    }
}

void UnitsPage::setNameList(const std::vector<std::string>& strings) {
    ui_->nmlist->clear();
    for (const std::string& s : strings) {
        addGameRow(ui_->nmlist, s);
    }
}

bool UnitsPage::writing() const {
    return context_->WriteBackEnabled && context_->image.held();
}

int UnitsPage::row() const {
    return ui_->UnitList->currentRow();
}

void UnitsPage::selectName(int name) {
    const QSignalBlocker quiet(ui_->nmlist);
    ui_->nmlist->setCurrentIndex(name >= 1 && name <= ui_->nmlist->count() ? name - 1 : -1);
}

void UnitsPage::UnitListClick() {
    const auto guard = loading();
    const auto view = LoadUnitView(context_->image, row());
    if (view) {
        // Fields a row does not have are disabled rather than left looking editable.
        ui_->death->setVisible(view->death.has_value());
        ui_->GroupBox4->setEnabled(view->sounds.has_value());
        if (view->death) {
            ui_->death->setCurrentIndex(*view->death <= 3 ? *view->death : -1);
        }
        if (view->sounds) {
            ui_->ready->setText(QString::number(view->sounds->ready));
            ui_->ack->setText(QString::number(view->sounds->ack.target));
            ui_->attack->setText(QString::number(view->sounds->attack));
            ui_->sel->setText(QString::number(view->sounds->selected.target));
        }
        ui_->cmddata->setVisible(view->barOffset.has_value());
        ui_->Labelcmddata->setVisible(view->barOffset.has_value());
        if (view->barOffset) {
            ui_->cmddata->setText(QString::number(*view->barOffset));
        }
        ui_->cmds->setText(QString::number(view->commandCount));
        ui_->GroupBox1->setEnabled(view->record.has_value());
        if (view->record) {
            ui_->Edit1->setText(QString::number(view->record->icon));
            ui_->Edit4->setText(QString::number(view->record->aux));
            ui_->Edit3->setText(QString::number(view->record->name));
            selectName(view->record->name);
            ui_->fna->setText(QString::number(view->record->fna.target));
            ui_->fnb->setText(QString::number(view->record->fnb.target));
            ui_->fnz->setText(QString::number(view->record->fnz.target));
        }
    }
}

void UnitsPage::saveiun() {
    if (!writing()) {
        return;
    }
    const std::int32_t n = strictValue(ui_->Edit3);
    selectName(n);
    const std::int32_t name = ui_->nmlist->currentIndex() + 1;
    WriteUnitBasics(context_->image, row(), lenientValue(ui_->Edit1), lenientValue(ui_->Edit4), name);
}

void UnitsPage::nmlistChange(int picked) {
    {
        const QSignalBlocker quiet(ui_->Edit3);
        ui_->Edit3->setText(QString::number(picked + 1));
    }
    saveiun();
}

void UnitsPage::fnaChange() {
    if (writing()) {
        WriteUnitPointers(context_->image, row(), lenientValue(ui_->fna), lenientValue(ui_->fnb));
    }
}

void UnitsPage::deathChange() {
    if (writing()) {
        WriteDeath(context_->image, row(), ui_->death->currentIndex());
    }
}

void UnitsPage::sndChange() {
    if (writing()) {
        WriteUnitSounds(context_->image, row(), lenientValue(ui_->ready), lenientValue(ui_->ack),
                        lenientValue(ui_->attack), lenientValue(ui_->sel));
    }
}

void UnitsPage::cmdsChange() {
    if (writing()) {
        WriteCommandCount(context_->image, row(), lenientValue(ui_->cmds));
    }
}

void UnitsPage::cmddataChange() {
    if (writing()) {
        WriteBarOffset(context_->image, row(), lenientValue(ui_->cmddata));
    }
}

void UnitsPage::BitBtn1Click() {
    const std::int32_t icon = strictValue(ui_->Edit1);
    if (chooser_ == nullptr) {
        return;
    }
    if (auto chosen = askIconForUnit(*chooser_, context_->prompts, icon)) {
        ui_->Edit1->setText(QString::number(*chosen));
    }
}

void UnitsPage::Button4Click() {
    showSound_(ui_->ready->text());
}

void UnitsPage::Button5Click() {
    showSound_(ui_->attack->text());
}

}  // namespace zorbel
