#pragma once

#include <QDockWidget>
#include <QVBoxLayout>

namespace zorbel {

// Makes `dock` a panel beside the pages (closable, movable, floatable)
// whose controls stand in one column: gives that column's layout, whose
// parent widget is the panel's body.
inline QVBoxLayout* DockColumn(QDockWidget& dock, const QString& objectName) {
    dock.setObjectName(objectName);
    dock.setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                     QDockWidget::DockWidgetFloatable);
    auto* body = new QWidget(&dock);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    dock.setWidget(body);
    return layout;
}

}  // namespace zorbel
