#pragma once

#include <QDialog>

namespace zorbel {

// The icon chooser: picks an icon of the game's icon sheet.
class Tchicon : public QDialog {
    Q_OBJECT

  public:
    explicit Tchicon(QWidget* parent = nullptr);
};

}  // namespace zorbel
