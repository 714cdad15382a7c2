#pragma once

#include <QIcon>
#include <QPixmap>

namespace zorbel::pictures {

// The project's own pictures, drawn in code so that nothing is borrowed.
QIcon openIcon();
QIcon saveIcon();
QIcon exitIcon();
QIcon undoIcon();
QIcon redoIcon();
QIcon appIcon();
QPixmap shield(int size);
QPixmap crossedSwords(int size);
QPixmap scroll(int size);

}  // namespace zorbel::pictures
