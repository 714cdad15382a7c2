#pragma once

#include <QDialog>

#include "graphics/sprite_converter.h"

class QProgressBar;

namespace zorbel {

// The progress window of the sprite conversion: painted once per frame while
// the conversion runs on the window thread.
class TCompressForm : public QDialog, public ConversionProgress {
    Q_OBJECT

  public:
    explicit TCompressForm(QWidget* parent = nullptr);

    QProgressBar* ProgressBar = nullptr;

    void start(int frames) override;
    void frame(int position) override;
    void finish() override;
};

}  // namespace zorbel
