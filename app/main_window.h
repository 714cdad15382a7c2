#pragma once

#include <QMainWindow>

#include "exe/exe_image.h"

namespace zorbel {

// The editor's main window. It owns the one executable image for the run.
class TSDIAppForm : public QMainWindow {
    Q_OBJECT

  public:
    explicit TSDIAppForm(QWidget* parent = nullptr);

    ExeImage& image() { return image_; }

  private:
    ExeImage image_;
};

}  // namespace zorbel
