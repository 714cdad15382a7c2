#pragma once

#include <array>
#include <memory>

#include "pages/sounds/sound_model.h"
#include "ui/list_page.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace Ui {
class SoundPage;
}

namespace zorbel {

// "Sound Table": the human and orc words of each sound number, written
// back at once, and the play buttons.
class SoundPage : public ListPage {
    Q_OBJECT

  public:
    explicit SoundPage(QWidget* parent = nullptr);
    ~SoundPage() override;

    Ui::SoundPage& ui() { return *ui_; }
    void attach(PageContext& context);
    // The 345 rows of the sound list.
    void fillList();

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
    Side human_{}, orc_{};
    bool settingNumber_ = false;
};

}  // namespace zorbel
