#include "graphics/compress_form.h"

#include <QApplication>
#include <QProgressBar>
#include <QScreen>

namespace zorbel {

TCompressForm::TCompressForm(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("CompressForm"));
    setFixedSize(280, 37);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(4, 12, 273, 13);
    ProgressBar->setRange(0, 100);
    ProgressBar->setTextVisible(false);
}

void TCompressForm::start(int frames) {
    setWindowTitle(QStringLiteral("Converting GFX..."));
    ProgressBar->setRange(0, frames);
    ProgressBar->setValue(std::min(1, frames));
    if (const QScreen* s = screen()) {
        move(s->availableGeometry().center() - rect().center());
    }
    show();
}

void TCompressForm::frame(int position) {
    // Paint, but take no input: nothing may run in the middle of a conversion.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ProgressBar->setValue(position);
}

void TCompressForm::finish() {
    hide();
}

}  // namespace zorbel
