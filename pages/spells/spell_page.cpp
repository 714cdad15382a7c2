#include "pages/spells/spell_page.h"

#include "app/field_text.h"
#include "app/handler.h"
#include "app/page_context.h"
#include "pages/spells/spell_model.h"
#include "tables/row_names.h"
#include "ui_spell_page.h"

namespace zorbel {

SpellPage::SpellPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::SpellPage>()) {
    ui_->setupUi(this);
    for (int i = 0; i < kSpellRows; ++i) {
        ui_->SpellList->addItem(QString::fromStdString(SpellRowText(i)));
    }
    using namespace fields;
    boxes_ = {{{&ActionMana, ui_->mana},
               {&ActionRange, ui_->range},
               {&ActionUnk1, ui_->unk1},
               {&ActionUnk2, ui_->unk2},
               {&ActionUnk3, ui_->unk3},
               {&ActionFna, ui_->sfna},
               {&ActionFnb, ui_->sfnb},
               {&ActionFnc, ui_->sfnc}}};
}

SpellPage::~SpellPage() = default;

void SpellPage::attach(PageContext& context) {
    context_ = &context;
    connect(ui_->SpellList, &QListWidget::currentRowChanged, this,
            guarded(context.prompts, [this] { SpellListClick(); }));
    for (const auto& [field, box] : boxes_) {
        connect(box, &QLineEdit::textChanged, this, guarded(context.prompts, [this, field = field] {
                    context_->edit(*field, ui_->SpellList->currentRow(), true, [this] { manaChange(); });
                }));
    }
}

void SpellPage::showRow(int action, const FieldDef* field) {
    if (ui_->SpellList->currentRow() == action) {
        SpellListClick();
    } else {
        ui_->SpellList->setCurrentRow(action);
    }
    for (const auto& [f, box] : boxes_) {
        if (f == field && box->isVisible()) {
            box->setFocus(Qt::OtherFocusReason);
        }
    }
}

void SpellPage::reload() {
    if (ui_->SpellList->currentRow() >= 0) {
        SpellListClick();
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
    context_->image.history().seal();
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
