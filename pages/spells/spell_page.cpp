#include "pages/spells/spell_page.h"

#include "pages/spells/spell_model.h"
#include "tables/row_names.h"
#include "ui/field_text.h"
#include "ui_spell_page.h"

namespace zorbel {

SpellPage::SpellPage(QWidget* parent) : ListPage(parent), ui_(std::make_unique<Ui::SpellPage>()) {
    ui_->setupUi(this);
    for (int i = 0; i < kSpellRows; ++i) {
        ui_->SpellList->addItem(QString::fromStdString(SpellRowText(i)));
    }
}

SpellPage::~SpellPage() = default;

void SpellPage::attach(PageContext& context) {
    attachList(context, ui_->SpellList, &SpellPage::SpellListClick);
    using namespace fields;
    const std::pair<const FieldDef*, QLineEdit*> boxes[] = {
        {&ActionMana, ui_->mana}, {&ActionRange, ui_->range}, {&ActionUnk1, ui_->unk1},
        {&ActionUnk2, ui_->unk2}, {&ActionUnk3, ui_->unk3},   {&ActionFna, ui_->sfna},
        {&ActionFnb, ui_->sfnb},  {&ActionFnc, ui_->sfnc}};
    for (const auto& [field, box] : boxes) {
        connect(box, &QLineEdit::textChanged, this, step(*field, true, &SpellPage::manaChange));
        controls_.add(*field, box);
    }
}

void SpellPage::SpellListClick() {
    const auto guard = loading();
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
