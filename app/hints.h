#pragma once

#include <QObject>

class QStatusBar;
class QWidget;

namespace zorbel {

// Puts the status tip of the control under the mouse into the status bar,
// also when it is empty. Menu items reach the status bar through Qt's own
// status tips.
class HintRouter : public QObject {
    Q_OBJECT

  public:
    HintRouter(QWidget* window, QStatusBar* statusBar);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    QStatusBar* statusBar_;
};

}  // namespace zorbel
