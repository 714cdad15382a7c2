#include "ui/game_text_list.h"

#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "ui/game_text.h"

namespace zorbel {

void drawGameText(QPainter& painter, const QRect& rect, const QByteArray& bytes, ByteFF rule) {
    const QFontMetrics metrics(painter.font());
    int x = rect.left() + 2;
    for (const ColourPiece& piece : ColourPieces(std::string_view(bytes.constData(), bytes.size()), rule)) {
        const QString text = gameText(piece.text);
        painter.setPen(QColor::fromRgb(static_cast<QRgb>(piece.rgb)));
        painter.drawText(QRect(x, rect.top(), rect.right() - x, rect.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        x += metrics.horizontalAdvance(text);
    }
}

void GameTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    painter->save();
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->fillRect(option.rect, selected ? option.palette.highlight().color() : kListTeal);
    drawGameText(*painter, option.rect, index.data(kGameBytesRole).toByteArray(), rule_);
    painter->restore();
}

QSize GameTextDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), 16};
}

GameTextCombo::GameTextCombo(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new GameTextDelegate(rule_, this));
    setMaxVisibleItems(9);
}

void GameTextCombo::setByteFF(ByteFF rule) {
    rule_ = rule;
    setItemDelegate(new GameTextDelegate(rule_, this));
}

void GameTextCombo::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.fillRect(field, hasFocus() ? palette().highlight().color() : kListTeal);
    if (currentIndex() >= 0) {
        drawGameText(painter, field, itemData(currentIndex(), kGameBytesRole).toByteArray(), rule_);
    }
}

}  // namespace zorbel
