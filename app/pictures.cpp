#include "app/pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace zorbel::pictures {

namespace {

const QColor kInk(40, 40, 40);
const QColor kGold(214, 170, 60);
const QColor kSteel(170, 180, 190);
const QColor kBlue(45, 85, 160);
const QColor kRed(170, 40, 40);
const QColor kParchment(236, 222, 180);

template <class Draw>
QPixmap paint(int size, Draw draw) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);  // every picture is drawn on a 32 x 32 grid
    p.setPen(QPen(kInk, 1.5));
    draw(p);
    return pixmap;
}

template <class Draw>
QIcon icon(Draw draw) {
    QIcon result;
    for (int size : {16, 24, 32, 48}) {
        result.addPixmap(paint(size, draw));
    }
    return result;
}

void drawShield(QPainter& p) {
    QPainterPath path;
    path.moveTo(6, 5);
    path.lineTo(26, 5);
    path.lineTo(26, 15);
    path.quadTo(26, 25, 16, 29);
    path.quadTo(6, 25, 6, 15);
    path.closeSubpath();
    p.setBrush(kBlue);
    p.drawPath(path);
    p.setBrush(kGold);
    p.drawRect(QRectF(14.5, 8, 3, 17));
    p.drawRect(QRectF(9, 13, 14, 3));
}

void drawSwords(QPainter& p) {
    for (int side : {-1, 1}) {
        p.save();
        p.translate(16, 16);
        p.rotate(45 * side);
        p.setBrush(kSteel);
        p.drawRect(QRectF(-1.5, -14, 3, 20));
        p.setBrush(kGold);
        p.drawRect(QRectF(-5, 6, 10, 2.5));
        p.setBrush(kRed);
        p.drawRect(QRectF(-1.5, 8.5, 3, 5));
        p.restore();
    }
}

void drawScroll(QPainter& p) {
    p.setBrush(kParchment);
    p.drawRect(QRectF(7, 6, 18, 20));
    p.drawEllipse(QRectF(4, 3, 6, 6));
    p.drawEllipse(QRectF(22, 23, 6, 6));
    for (int y = 11; y <= 21; y += 4) {
        p.drawLine(QPointF(11, y), QPointF(21, y));
    }
}

// A curved arrow turning back to the left; mirrored, it points forward.
void drawTurnArrow(QPainter& p, bool forward) {
    if (forward) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    QPainterPath bend;
    bend.moveTo(8, 12);
    bend.lineTo(19, 12);
    bend.quadTo(27, 12, 27, 19.5);
    bend.quadTo(27, 27, 19, 27);
    bend.lineTo(12, 27);
    p.setPen(QPen(kBlue, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bend);
    p.setPen(QPen(kBlue, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF{{2, 12}, {11, 4}, {11, 20}});
}

}  // namespace

QIcon undoIcon() {
    return icon([](QPainter& p) { drawTurnArrow(p, false); });
}

QIcon redoIcon() {
    return icon([](QPainter& p) { drawTurnArrow(p, true); });
}

QIcon openIcon() {
    return icon([](QPainter& p) {
        p.setBrush(kGold.darker(110));
        p.drawRect(QRectF(3, 8, 20, 18));
        p.setBrush(kGold);
        QPolygonF lid{{7, 13}, {29, 13}, {25, 26}, {3, 26}};
        p.drawPolygon(lid);
    });
}

QIcon saveIcon() {
    return icon([](QPainter& p) {
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.setBrush(kSteel);
        p.drawRect(QRectF(8, 18, 16, 10));
    });
}

QIcon exitIcon() {
    return icon([](QPainter& p) {
        p.setBrush(kParchment.darker(115));
        p.drawRect(QRectF(5, 3, 14, 26));
        p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(13, 16), QPointF(28, 16));
        p.drawLine(QPointF(23, 11), QPointF(28, 16));
        p.drawLine(QPointF(23, 21), QPointF(28, 16));
    });
}

QIcon appIcon() {
    return icon(drawShield);
}

QPixmap shield(int size) {
    return paint(size, drawShield);
}
QPixmap crossedSwords(int size) {
    return paint(size, drawSwords);
}
QPixmap scroll(int size) {
    return paint(size, drawScroll);
}

}  // namespace zorbel::pictures
