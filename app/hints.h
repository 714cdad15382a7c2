#pragma once

#include <QObject>
#include <QString>

class QAction;
class QStatusBar;
class QWidget;

namespace zorbel {

// A hint is "short|long": the short part is the tooltip, the long part goes
// to the status bar. A hint without "|" is both.
QString shortHint(const QString& hint);
QString longHint(const QString& hint);
void applyHint(QWidget* widget, const QString& hint);
void applyHint(QAction* action, const QString& hint);

// Puts the long hint of the control under the mouse into the status bar,
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
