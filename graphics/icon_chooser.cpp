#include "graphics/icon_chooser.h"

namespace zorbel {

Tchicon::Tchicon(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("chicon"));
    setWindowTitle(QStringLiteral("Select GFX"));
}

}  // namespace zorbel
