#include "pages/sounds/sound_page.h"

#include "archive/archive_extractor.h"
#include "pages/sounds/audio_output.h"
#include "ui/field_text.h"
#include "ui_sound_page.h"

namespace zorbel {

SoundPage::SoundPage(QWidget* parent) : ListPage(parent), ui_(std::make_unique<Ui::SoundPage>()) {
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
    attachList(context, ui_->soundlist, &SoundPage::soundlistClick);
    Prompts& p = context.prompts;
    connect(ui_->Edit2, &QLineEdit::textChanged, this, guarded(p, [this] { Edit2Change(); }));
    // Each side's controls edit that side's word: typing is one step, a click another.
    for (const auto& [side, field] :
         {std::pair{&human_, &fields::SoundHuman}, std::pair{&orc_, &fields::SoundOrc}}) {
        connect(side->entry, &QLineEdit::textChanged, this, step(*field, true, &SoundPage::OtxtEntryChange));
        for (QCheckBox* box : side->flags) {
            connect(box, &QCheckBox::clicked, this, step(*field, false, &SoundPage::OtxtEntryChange));
        }
        for (QRadioButton* radio : side->archives) {
            connect(radio, &QRadioButton::clicked, this, step(*field, false, &SoundPage::OtxtEntryChange));
        }
        controls_.add(*field, side->entry);
    }
    connect(ui_->Button1, &QPushButton::clicked, this, guarded(p, [this] { Button1Click(); }));
    connect(ui_->Button2, &QPushButton::clicked, this, guarded(p, [this] { Button2Click(); }));
}

void SoundPage::fillList() {
    ui_->soundlist->clear();
    for (const std::string& row : SoundListRows()) {
        ui_->soundlist->addItem(QString::fromStdString(row));
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
    const auto guard = loading();
    const int row = ui_->soundlist->currentRow();
    if (auto words = ReadSoundRow(context_->image, row)) {
        {
            const ScopedFlag quiet(settingNumber_, true);
            ui_->Edit2->setText(QString::number(row + 1));
        }
        showWord(orc_, words->orc);
        showWord(human_, words->human);
    }
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
    showRow(row, nullptr);
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
