#include "graphics/compress_form.h"

namespace zorbel {

TCompressForm::TCompressForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CompressForm"));
}

}  // namespace zorbel
