#include "graphics/icon_chooser.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "archive/archive_extractor.h"
#include "graphics/sprite_converter.h"
#include "ui/prompts.h"

namespace zorbel {

namespace {

constexpr int kSpriteEntry = kIconSpriteEntry;
constexpr int kPaletteEntry = 2;
const QString kMainArchive = QStringLiteral("MAINDAT.WAR");

}  // namespace

IconFrame::IconFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Shape1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void IconFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(Qt::cyan, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));  // the pen drawn inside the bounds
}

Tchicon::Tchicon(Prompts& prompts, QWidget* parent) : QDialog(parent, Qt::Tool), prompts_(prompts) {
    setObjectName(QStringLiteral("chicon"));
    setWindowTitle(QStringLiteral("Select GFX"));
    setFixedSize(203, 157);
    setBackgroundRole(QPalette::Button);  // the menu colour

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameShape(QFrame::Box);
    Panel2->setLineWidth(1);
    Panel2->setGeometry(0, 0, 53, 157);
    Panel1 = new QWidget(Panel2);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(4, 4, 45, 149);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Icons"));
    Image1->installEventFilter(this);
    Shape1 = new IconFrame(Panel1);
    Shape1->setGeometry(4, 0, 33, 41);

    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setGeometry(53, 0, 17, 156);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setPageStep(1);
    ScrollBar1->setAccessibleName(QStringLiteral("Scroll the icons"));
    ScrollBar1->setFocusPolicy(Qt::StrongFocus);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(76, 104, 125, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(76, 132, 125, 25);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(ScrollBar1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    setStrip(QPixmap(), 0);
}

void Tchicon::setStrip(const QPixmap& strip, int icons) {
    icons_ = icons;
    Image1->setPixmap(strip);
    Image1->resize(strip.size());
    ScrollBar1->setRange(0, std::max(0, icons - 1));
    ScrollBar1->setEnabled(icons > 0);
    BitBtn1->setEnabled(icons > 0);  // with no strip, OK has nothing to give
    ScrollBar1Change();
}

void Tchicon::setScrollPosition(int position) {
    ScrollBar1->setValue(position);
}

int Tchicon::scrollPosition() const {
    return ScrollBar1->value();
}

void Tchicon::Button1Click(WarArchive& archive, ConversionProgress* progress) {
    const auto paletteEntry = archive.ExtractWarEntry(kPaletteEntry, kMainArchive);
    if (!paletteEntry || paletteEntry->size() < 768) {
        return;  // no strip from missing data
    }
    Palette768 palette{};
    for (std::size_t k = 0; k < palette.size(); ++k) {
        palette[k] = static_cast<std::uint8_t>((*paletteEntry)[k] * 4);  // 6-bit values
    }
    const auto sprite = archive.ExtractWarEntry(kSpriteEntry, kMainArchive);
    if (!sprite) {
        return;
    }
    auto sheet = ConvertSpriteToMemory(*sprite, palette, SpriteOptions{}, progress);
    if (!sheet) {
        prompts_.message(MessageStyle::Error, QStringLiteral("Error"),
                         QString::fromLatin1(kConvertErrorPrefix) + QString::fromStdString(sheet.error()));
        return;
    }
    const auto& bmp = sheet.value().bitmap;
    QImage image = QImage::fromData(bmp.data(), static_cast<int>(bmp.size()), "BMP");
    if (sheet.value().frames == 0 || image.isNull()) {
        return;
    }
    setStrip(QPixmap::fromImage(image), sheet.value().frames);
}

void Tchicon::showEvent(QShowEvent* event) {
    if (const QScreen* s = screen()) {
        move(s->availableGeometry().center() - rect().center());
    }
    FormShow();
    QDialog::showEvent(event);
}

void Tchicon::FormShow() {
    const int p = scrollPosition();
    Shape1->setVisible(true);
    Shape1->setGeometry(-1, (SelectedIcon - p - 1) * kBand - 1, Panel1->width() + 1, 40);
}

void Tchicon::ScrollBar1Change() {
    const int p = scrollPosition();
    Image1->move(0, -kBand * p - 1);
    Shape1->setVisible(true);
    Shape1->move(Shape1->x(), (SelectedIcon - p - 1) * kBand);
}

void Tchicon::Image1MouseDown(int y) {
    const int row = y / kBand;
    SelectedIcon = row + 1;
    Shape1->move(Shape1->x(), (row - scrollPosition()) * kBand - 2);
}

bool Tchicon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress && icons_ > 0) {
        Image1MouseDown(static_cast<int>(static_cast<QMouseEvent*>(event)->position().y()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tchicon::BitBtn1Click() {
    ChosenIcon = SelectedIcon;
    accept();
}

std::optional<int> askIconForUnit(Tchicon& chooser, Prompts& prompts, int icon) {
    chooser.setScrollPosition(icon / 3 * 3);
    chooser.SelectedIcon = icon + 1;
    chooser.ChosenIcon = 0;
    prompts.showModal(chooser);
    if (chooser.ChosenIcon == 0) {
        return std::nullopt;
    }
    return chooser.ChosenIcon - 1;
}

}  // namespace zorbel
