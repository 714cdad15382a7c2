#include "app/about_box.h"

#include <QFontInfo>

#include "app/pictures.h"
#include "ui_about_box.h"

namespace zorbel {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TAboutBox>()) {
    ui_->setupUi(this);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    ui_->ProgramIcon->setPixmap(pictures::shield(48));
    ui_->Picture2->setPixmap(pictures::crossedSwords(48));
    ui_->Picture3->setPixmap(pictures::scroll(48));
    for (QLabel* picture : {ui_->ProgramIcon, ui_->Picture2, ui_->Picture3}) {
        picture->setAlignment(Qt::AlignCenter);
    }
    QFont title = ui_->ProductName->font();
    title.setBold(true);
    title.setPixelSize(QFontInfo(title).pixelSize() * 3 / 2);
    ui_->ProductName->setFont(title);
    connect(ui_->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint());
}

TAboutBox::~TAboutBox() = default;

}  // namespace zorbel
