#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "pages/sounds/sound_model.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace Ui {
class SoundPage;
}

namespace zorbel {

struct FieldDef;
struct PageContext;

// "Sound Table": the human and orc words of each sound number, written
// back at once, and the play buttons.
class SoundPage : public QWidget {
    Q_OBJECT

  public:
    explicit SoundPage(QWidget* parent = nullptr);
    ~SoundPage() override;

    Ui::SoundPage& ui() { return *ui_; }
    void attach(PageContext& context);
    // After Open: row 0, loaded.
    void refresh();
    // Shows a row as the image now has it, with a side's entry box focused.
    void showRow(int row, const FieldDef* field);
    // Loads the selected row again.
    void reload();

    void soundlistClick();
    void OtxtEntryChange();
    void Edit2Change();
    void Button1Click();
    void Button2Click();
    // Selects sound number `text` (1 when it is not a number) and loads it:
    // what the Units page's "Snd" buttons do.
    void goToSound(const QString& text);
    void PlaySoundEntry(const QString& archive, std::int32_t entry);

  private:
    // One side's controls: entry box, Repeat/Flag #1/Flag #2, the seven radios.
    struct Side {
        QLineEdit* entry;
        std::array<QCheckBox*, 3> flags;
        std::array<QRadioButton*, 7> archives;
    };
    void showWord(const Side& side, std::uint16_t word);
    std::uint16_t word(const Side& side) const;
    void play(const Side& side);

    std::unique_ptr<Ui::SoundPage> ui_;
    PageContext* context_ = nullptr;
    Side human_{}, orc_{};
    bool settingNumber_ = false;
};

}  // namespace zorbel
