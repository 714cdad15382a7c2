#include "app/hints.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QStatusBar>
#include <QWidget>

namespace zorbel {

QString shortHint(const QString& hint) {
    return hint.section(QLatin1Char('|'), 0, 0);
}

QString longHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void applyHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(shortHint(hint));
    widget->setStatusTip(longHint(hint));
}

void applyHint(QAction* action, const QString& hint) {
    action->setToolTip(shortHint(hint));
    action->setStatusTip(longHint(hint));
}

HintRouter::HintRouter(QWidget* window, QStatusBar* statusBar)
    : QObject(window), window_(window), statusBar_(statusBar) {
    qApp->installEventFilter(this);
}

bool HintRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() == window_) {
            statusBar_->showMessage(widget->statusTip());
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zorbel
