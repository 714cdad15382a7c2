#include "app/hints.h"

#include <QApplication>
#include <QEvent>
#include <QStatusBar>
#include <QWidget>

namespace zorbel {

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
