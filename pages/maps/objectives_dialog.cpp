#include "pages/maps/objectives_dialog.h"

namespace zorbel {

Tsobj::Tsobj(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("sobj"));
    setWindowTitle(QStringLiteral("Select Objectives: "));
}

}  // namespace zorbel
