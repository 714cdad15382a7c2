#include "pages/sounds/sound_page.h"

#include "ui_sound_page.h"

namespace zorbel {

SoundPage::SoundPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::SoundPage>()) {
    ui_->setupUi(this);
}

SoundPage::~SoundPage() = default;

}  // namespace zorbel
