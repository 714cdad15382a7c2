#include "patch/patch_dialog.h"

namespace zorbel {

Tgenpat::Tgenpat(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("genpat"));
    setWindowTitle(QStringLiteral("Create WAR2 EXE Patch"));
}

}  // namespace zorbel
