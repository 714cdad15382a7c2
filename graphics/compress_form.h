#pragma once

#include <QDialog>

namespace zorbel {

// The progress window of the sprite conversion; its caption is set when it is used.
class TCompressForm : public QDialog {
    Q_OBJECT

  public:
    explicit TCompressForm(QWidget* parent = nullptr);
};

}  // namespace zorbel
