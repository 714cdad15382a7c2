#include "pages/maps/maps_page.h"

#include <QLabel>
#include <QScrollBar>

#include "pages/maps/map_model.h"
#include "pages/maps/objectives_dialog.h"
#include "tables/row_names.h"
#include "ui/field_text.h"
#include "ui/handler.h"
#include "ui/page_context.h"
#include "ui_maps_page.h"

namespace zorbel {

MapsPage::MapsPage(QWidget* parent) : ListPage(parent), ui_(std::make_unique<Ui::MapsPage>()) {
    ui_->setupUi(this);
    for (const std::string& row : MapRowTexts()) {
        ui_->ListBox2->addItem(QString::fromStdString(row));
    }
    QPalette blue = ui_->cond->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    ui_->cond->setPalette(blue);
}

MapsPage::~MapsPage() = default;

void MapsPage::attach(PageContext& context, Tsobj& objectives) {
    attachList(context, ui_->ListBox2, &MapsPage::ListBox2Click);
    objectives_ = &objectives;
    using namespace fields;
    connect(ui_->resc, &QLineEdit::textChanged, this, step(MapRescues, true, &MapsPage::rescChange));
    const std::pair<QCheckBox*, const FieldDef*> boxes[] = {
        {ui_->killall, &MapKillAll}, {ui_->rescue, &MapRescue}, {ui_->rescflag, &MapRescueFlag}};
    for (const auto& [box, field] : boxes) {
        connect(box, &QCheckBox::clicked, this, step(*field, false, &MapsPage::rescChange));
        controls_.add(*field, box);
    }
    controls_.add(MapRescues, ui_->resc);
    controls_.add(MapObjective, ui_->Button7);
    connect(ui_->Button7, &QPushButton::clicked, this, step(MapObjective, false, &MapsPage::Button7Click));
}

void MapsPage::ListBox2Click() {
    const auto guard = loading();
    if (auto map = LoadMap(context_->image, ui_->ListBox2->currentRow())) {
        ui_->killall->setChecked(map->killAll);
        ui_->rescue->setChecked(map->rescue);
        objectives_->ScrollBar1->setValue(map->objective);
        objectives_->ScrollBar1Change();
        ui_->cond->setText(objectives_->Label1->text());
        ui_->rescflag->setChecked(map->rescueFlag);
        ui_->resc->setText(QString::number(map->rescues));
    }
}

void MapsPage::rescChange() {
    // With no map selected nothing is written.
    if (!context_->image.held() || !context_->WriteBackEnabled || ui_->ListBox2->currentRow() < 0) {
        return;
    }
    WriteMap(context_->image, ui_->ListBox2->currentRow(), objectives_->ScrollBar1->value(),
             ui_->killall->isChecked(), ui_->rescue->isChecked(), lenientValue(ui_->resc),
             ui_->rescflag->isChecked());
}

void MapsPage::Button7Click() {
    context_->prompts.showModal(*objectives_);
    ui_->cond->setText(objectives_->Label1->text());
    // "Abort" put the choice back: there is nothing to write.
    if (!objectives_->aborted()) {
        rescChange();
    }
}

}  // namespace zorbel
