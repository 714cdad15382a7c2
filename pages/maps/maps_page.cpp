#include "pages/maps/maps_page.h"

#include <QLabel>
#include <QScrollBar>

#include "app/field_text.h"
#include "app/handler.h"
#include "app/page_context.h"
#include "pages/maps/map_model.h"
#include "pages/maps/objectives_dialog.h"
#include "ui_maps_page.h"

namespace zorbel {

MapsPage::MapsPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::MapsPage>()) {
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
    context_ = &context;
    objectives_ = &objectives;
    Prompts& p = context.prompts;
    connect(ui_->ListBox2, &QListWidget::currentRowChanged, this, guarded(p, [this] { ListBox2Click(); }));
    connect(ui_->resc, &QLineEdit::textChanged, this, guarded(p, [this] { rescChange(); }));
    for (QCheckBox* box : {ui_->killall, ui_->rescue, ui_->rescflag}) {
        connect(box, &QCheckBox::clicked, this, guarded(p, [this] { rescChange(); }));
    }
    connect(ui_->Button7, &QPushButton::clicked, this, guarded(p, [this] { Button7Click(); }));
}

void MapsPage::ListBox2Click() {
    context_->WriteBackEnabled = false;
    if (auto map = LoadMap(context_->image, ui_->ListBox2->currentRow())) {
        ui_->killall->setChecked(map->killAll);
        ui_->rescue->setChecked(map->rescue);
        objectives_->ScrollBar1->setValue(map->objective);
        objectives_->ScrollBar1Change();
        ui_->cond->setText(objectives_->Label1->text());
        ui_->rescflag->setChecked(map->rescueFlag);
        ui_->resc->setText(QString::number(map->rescues));
    }
    context_->WriteBackEnabled = true;
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
    rescChange();
}

}  // namespace zorbel
