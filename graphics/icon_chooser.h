#pragma once

#include <QDialog>
#include <optional>

class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;

namespace zorbel {

class ConversionProgress;
class Prompts;
class WarArchive;

// The aqua frame around the selected icon; clicks pass through it.
class IconFrame : public QWidget {
    Q_OBJECT

  public:
    explicit IconFrame(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// "Select GFX": the game's icons as one strip of 38-pixel bands. Callers
// set the scroll position, SelectedIcon and ChosenIcon (both counted from
// 1), show it modally, and read ChosenIcon afterwards.
class Tchicon : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kBand = 38;

    Tchicon(Prompts& prompts, QWidget* parent = nullptr);

    int SelectedIcon = 0;
    int ChosenIcon = 0;

    void setScrollPosition(int position);  // clamped to the strip
    int scrollPosition() const;
    int iconCount() const { return icons_; }

    // Builds the strip from the game's palette and icon sprite; run once at
    // the main window's first show. Without them the strip stays empty.
    void Button1Click(WarArchive& archive, ConversionProgress* progress);

    QFrame* Panel2 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    IconFrame* Shape1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    void Image1MouseDown(int y);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();
    void ScrollBar1Change();
    void BitBtn1Click();
    void setStrip(const QPixmap& strip, int icons);

    Prompts& prompts_;
    int icons_ = 0;
};

// How the Units page asks for an icon: opens at (icon div 3) x 3 with the
// icon framed; the chosen icon (from 0) after OK, nothing after Cancel.
std::optional<int> askIconForUnit(Tchicon& chooser, Prompts& prompts, int icon);

}  // namespace zorbel
