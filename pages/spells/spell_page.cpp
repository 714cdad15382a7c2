#include "pages/spells/spell_page.h"

#include "app/field_text.h"
#include "app/handler.h"
#include "app/page_context.h"
#include "pages/spells/spell_model.h"
#include "ui_spell_page.h"

namespace zorbel {

SpellPage::SpellPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::SpellPage>()) {
    ui_->setupUi(this);
    for (int i = 0; i < kSpellRows; ++i) {
        ui_->SpellList->addItem(QString::fromStdString(SpellRowText(i)));
    }
}

SpellPage::~SpellPage() = default;

void SpellPage::attach(PageContext& context) {
    context_ = &context;
    connect(ui_->SpellList, &QListWidget::currentRowChanged, this,
            guarded(context.prompts, [this] { SpellListClick(); }));
    for (QLineEdit* box :
         {ui_->mana, ui_->range, ui_->unk1, ui_->unk2, ui_->unk3, ui_->sfna, ui_->sfnb, ui_->sfnc}) {
        connect(box, &QLineEdit::textChanged, this, guarded(context.prompts, [this] { manaChange(); }));
    }
}

void SpellPage::refresh() {
    if (ui_->SpellList->currentRow() == 0) {
        SpellListClick();
    } else {
        ui_->SpellList->setCurrentRow(0);
    }
}

void SpellPage::SpellListClick() {
    context_->WriteBackEnabled = false;
    if (auto v = LoadSpell(context_->image, ui_->SpellList->currentRow())) {
        ui_->mana->setText(QString::number(v->mana));
        ui_->range->setText(QString::number(v->range));
        ui_->unk1->setText(QString::number(v->unk1));
        ui_->unk2->setText(QString::number(v->unk2));
        ui_->unk3->setText(QString::number(v->unk3));
        const std::pair<QLineEdit*, PointerRead> pointers[] = {
            {ui_->sfna, v->fna}, {ui_->sfnb, v->fnb}, {ui_->sfnc, v->fnc}};
        for (const auto& [box, pointer] : pointers) {
            box->setText(QString::number(pointer.target));
            box->setVisible(pointer.found);  // no fixup record relocates it: nothing to edit
        }
    }
    context_->WriteBackEnabled = true;
}

void SpellPage::manaChange() {
    if (!context_->WriteBackEnabled || !context_->image.held()) {
        return;
    }
    SpellValues v;
    v.mana = lenientValue(ui_->mana);
    v.range = lenientValue(ui_->range);
    v.unk1 = lenientValue(ui_->unk1);
    v.unk2 = lenientValue(ui_->unk2);
    v.unk3 = lenientValue(ui_->unk3);
    v.fna = lenientValue(ui_->sfna);
    v.fnb = lenientValue(ui_->sfnb);
    v.fnc = lenientValue(ui_->sfnc);
    WriteSpell(context_->image, ui_->SpellList->currentRow(), v);
}

}  // namespace zorbel
