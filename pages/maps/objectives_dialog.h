#pragma once

#include <QDialog>

namespace zorbel {

// The objectives dialog of the Maps page.
class Tsobj : public QDialog {
    Q_OBJECT

  public:
    explicit Tsobj(QWidget* parent = nullptr);
};

}  // namespace zorbel
