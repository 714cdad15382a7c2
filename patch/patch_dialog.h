#pragma once

#include <QDialog>

namespace zorbel {

// The patch dialog: starts the external patch builder.
class Tgenpat : public QDialog {
    Q_OBJECT

  public:
    explicit Tgenpat(QWidget* parent = nullptr);
};

}  // namespace zorbel
