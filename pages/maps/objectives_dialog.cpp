#include "pages/maps/objectives_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include "pages/maps/map_model.h"

namespace zorbel {

Tsobj::Tsobj(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("sobj"));
    setWindowTitle(QStringLiteral("Select Objectives: "));
    setFixedSize(330, 190);

    Panel1 = new QLabel(QStringLiteral("Objectives: "), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 330, 22);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setAlignment(Qt::AlignCenter);
    Label1 = new QLabel(QStringLiteral("Label1"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 28, 314, 96);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setGeometry(8, 128, 314, 17);
    ScrollBar1->setRange(0, kObjectives - 1);
    ScrollBar1->setPageStep(1);
    ScrollBar1->setAccessibleName(QStringLiteral("Objective"));
    ScrollBar1->setFocusPolicy(Qt::StrongFocus);  // the one way to choose with the keyboard
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setVisible(false);
    for (const char* text : kObjectiveTexts) {
        ListBox1->addItem(QString::fromLatin1(text));
    }
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(88, 156, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Abort"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(168, 156, 75, 25);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    ScrollBar1Change();
}

void Tsobj::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void Tsobj::FormShow() {
    remembered_ = ScrollBar1->value();
    aborted_ = false;
}

void Tsobj::ScrollBar1Change() {
    Label1->setText(ListBox1->item(ScrollBar1->value())->text());
    // A screen reader names the bar and reads the objective it stands at.
    ScrollBar1->setAccessibleDescription(Label1->text());
}

void Tsobj::BitBtn2Click() {
    ScrollBar1->setValue(remembered_);
    aborted_ = true;
    reject();
}

}  // namespace zorbel
