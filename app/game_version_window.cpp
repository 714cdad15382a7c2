#include "app/game_version_window.h"

#include "exe/exe_image.h"
#include "ui_game_version.h"

namespace zorbel {

Tgver::Tgver(const ExeImage& image, QWidget* parent)
    : QDialog(parent, Qt::Tool), ui_(std::make_unique<Ui::Tgver>()), image_(image) {
    ui_->setupUi(this);
    connect(ui_->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

Tgver::~Tgver() = default;

void Tgver::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void Tgver::FormShow() {
    QString text;
    if (image_.held()) {
        // The zero-terminated text of the 128 bytes that recognised the build.
        const auto probe = image_.bytes().subspan(
            VersionProbe[static_cast<std::size_t>(image_.GameVersion())], kProbeLength);
        std::string bytes;
        for (std::uint8_t b : probe) {
            if (b == 0) {
                break;
            }
            bytes.push_back(static_cast<char>(b));
        }
        text = QString::fromLatin1(bytes);
    }
    ui_->Edit1->setText(text);
    ui_->Edit1->setCursorPosition(0);
}

}  // namespace zorbel
