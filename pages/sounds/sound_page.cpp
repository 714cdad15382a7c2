#include "pages/sounds/sound_page.h"

#include "app/field_text.h"
#include "app/handler.h"
#include "app/page_context.h"
#include "archive/archive_extractor.h"
#include "pages/sounds/audio_output.h"
#include "ui_sound_page.h"

namespace zorbel {

SoundPage::SoundPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::SoundPage>()) {
    ui_->setupUi(this);
    human_ = {ui_->txtEntry,
              {ui_->CheckBox1, ui_->CheckBox2, ui_->CheckBox3},
              {ui_->w0, ui_->w1, ui_->w2, ui_->w3, ui_->w4, ui_->w5, ui_->w6}};
    orc_ = {ui_->OtxtEntry,
            {ui_->OCheckBox1, ui_->OCheckBox2, ui_->OCheckBox3},
            {ui_->Ow0, ui_->Ow1, ui_->Ow2, ui_->Ow3, ui_->Ow4, ui_->Ow5, ui_->Ow6}};
}

SoundPage::~SoundPage() = default;

void SoundPage::attach(PageContext& context) {
    context_ = &context;
    Prompts& p = context.prompts;
    connect(ui_->soundlist, &QListWidget::currentRowChanged, this, guarded(p, [this] { soundlistClick(); }));
    connect(ui_->Edit2, &QLineEdit::textChanged, this, guarded(p, [this] { Edit2Change(); }));
    // Each side's controls edit that side's word: typing is one step, a click another.
    auto step = [this, &p](const FieldDef& field, bool typing) {
        return guarded(p, [this, &field, typing] {
            context_->edit(field, ui_->soundlist->currentRow(), typing, [this] { OtxtEntryChange(); });
        });
    };
    for (const auto& [side, field] :
         {std::pair{&human_, &fields::SoundHuman}, std::pair{&orc_, &fields::SoundOrc}}) {
        connect(side->entry, &QLineEdit::textChanged, this, step(*field, true));
        for (QCheckBox* box : side->flags) {
            connect(box, &QCheckBox::clicked, this, step(*field, false));
        }
        for (QRadioButton* radio : side->archives) {
            connect(radio, &QRadioButton::clicked, this, step(*field, false));
        }
    }
    connect(ui_->Button1, &QPushButton::clicked, this, guarded(p, [this] { Button1Click(); }));
    connect(ui_->Button2, &QPushButton::clicked, this, guarded(p, [this] { Button2Click(); }));
}

void SoundPage::showRow(int row, const FieldDef* field) {
    if (ui_->soundlist->currentRow() == row) {
        soundlistClick();
    } else {
        ui_->soundlist->setCurrentRow(row);
    }
    if (field != nullptr) {
        (field == &fields::SoundOrc ? orc_ : human_).entry->setFocus(Qt::OtherFocusReason);
    }
}

void SoundPage::reload() {
    if (ui_->soundlist->currentRow() >= 0) {
        soundlistClick();
    }
}

void SoundPage::refresh() {
    if (ui_->soundlist->currentRow() == 0) {
        soundlistClick();
    } else {
        ui_->soundlist->setCurrentRow(0);
    }
}

void SoundPage::showWord(const Side& side, std::uint16_t value) {
    const SoundWord w = DecodeSoundWord(value);
    side.flags[0]->setChecked(w.repeat);
    side.flags[1]->setChecked(w.flag1);
    side.flags[2]->setChecked(w.flag2);
    side.archives[static_cast<std::size_t>(w.selector)]->setChecked(true);
    side.entry->setText(QString::number(w.entry));
}

std::uint16_t SoundPage::word(const Side& side) const {
    int selector = 0;
    for (std::size_t s = 0; s < side.archives.size(); ++s) {
        if (side.archives[s]->isChecked()) {
            selector = static_cast<int>(s);
        }
    }
    return EncodeSoundWord(selector, lenientValue(side.entry), side.flags[0]->isChecked(),
                           side.flags[1]->isChecked(), side.flags[2]->isChecked());
}

void SoundPage::soundlistClick() {
    context_->WriteBackEnabled = false;
    context_->image.history().seal();
    const int row = ui_->soundlist->currentRow();
    if (auto words = ReadSoundRow(context_->image, row)) {
        settingNumber_ = true;
        ui_->Edit2->setText(QString::number(row + 1));
        settingNumber_ = false;
        showWord(orc_, words->orc);
        showWord(human_, words->human);
    }
    context_->WriteBackEnabled = true;
}

void SoundPage::OtxtEntryChange() {
    if (!context_->WriteBackEnabled || !context_->image.held()) {
        return;
    }
    // With no valid row selected nothing is written.
    WriteSoundRow(context_->image, ui_->soundlist->currentRow(), SoundRow{word(human_), word(orc_)});
}

void SoundPage::goToSound(const QString& text) {
    const int row = readIntegerLenient(text.toStdString(), 1) - 1;
    if (row < 0 || row >= ui_->soundlist->count()) {
        // Outside the table: no row, and the controls keep what they show.
        ui_->soundlist->setCurrentRow(-1);
        return;
    }
    if (ui_->soundlist->currentRow() == row) {
        soundlistClick();
    } else {
        ui_->soundlist->setCurrentRow(row);
    }
}

void SoundPage::Edit2Change() {
    if (!settingNumber_) {
        goToSound(ui_->Edit2->text());
    }
}

void SoundPage::play(const Side& side) {
    for (std::size_t s = 1; s < side.archives.size(); ++s) {
        if (side.archives[s]->isChecked()) {
            const std::int32_t entry = strictValue(side.entry);
            PlaySoundEntry(side.archives[s]->text(), entry);
            return;
        }
    }
}

void SoundPage::Button1Click() {
    play(human_);
}

void SoundPage::Button2Click() {
    play(orc_);
}

void SoundPage::PlaySoundEntry(const QString& archive, std::int32_t entry) {
    const auto buffer = context_->archive.ExtractWarEntry(entry, archive);
    if (context_->archive.LastEntrySize == -1 || !buffer) {
        return;  // the reader has shown why
    }
    context_->audio.play(*buffer);
}

}  // namespace zorbel
