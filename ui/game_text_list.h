#pragma once

#include <QComboBox>
#include <QStyledItemDelegate>

#include "text/colour_text.h"

namespace zorbel {

// Draws one game text, piece by piece in its colours, from the left of `rect`.
void drawGameText(QPainter& painter, const QRect& rect, const QByteArray& bytes, ByteFF rule);

// Rows of game texts on teal, coloured by their control bytes. The raw
// bytes are the row's kGameBytesRole data.
class GameTextDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    GameTextDelegate(ByteFF rule, QObject* parent) : QStyledItemDelegate(parent), rule_(rule) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    ByteFF rule_;
};

// Rows of a fixed height, as the unit lists have them.
class FixedRowHeight : public QStyledItemDelegate {
    Q_OBJECT

  public:
    FixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

  private:
    int height_;
};

// A drop-down list of game texts: the rows and the closed box are drawn
// the same way.
class GameTextCombo : public QComboBox {
    Q_OBJECT

  public:
    explicit GameTextCombo(QWidget* parent = nullptr);
    void setByteFF(ByteFF rule);
    ByteFF byteFF() const { return rule_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ByteFF rule_ = ByteFF::Yellow;
};

// The teal of the owner-drawn lists.
inline const QColor kListTeal(0, 128, 128);

}  // namespace zorbel
