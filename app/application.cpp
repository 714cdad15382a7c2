#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QFont>

#include <QStatusBar>
#include "app/about_box.h"
#include "app/game_version_window.h"
#include "app/main_window.h"
#include "graphics/compress_form.h"
#include "graphics/icon_chooser.h"
#include "pages/maps/objectives_dialog.h"
#include "pages/sounds/audio_output.h"
#include "patch/launcher.h"
#include "patch/patch_dialog.h"
#include "ui/handler.h"
#include "ui_about_box.h"

namespace zorbel {

ZorbelApplication::ZorbelApplication(Prompts& prompts, SettingsStore& settings, AudioOutput* audio,
                                     Launcher* launcher)
    : prompts_(prompts),
      settings_(settings),
      silence_(std::make_unique<SilentAudioOutput>()),
      audio_(audio != nullptr ? *audio : *silence_),
      realLauncher_(std::make_unique<QtLauncher>()),
      launcher_(launcher != nullptr ? *launcher : *realLauncher_) {}

ZorbelApplication::~ZorbelApplication() = default;

void ZorbelApplication::applyFont() {
    // The windows were laid out for an 8-point "MS Sans Serif"; Liberation
    // Sans keeps captions at the same width where that font is missing.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    QApplication::setFont(font);
}

void ZorbelApplication::start(const QString& file) {
    QApplication::setApplicationName(kAppTitle);
    QApplication::setApplicationDisplayName(QString());
    main_ = std::make_unique<TSDIAppForm>(prompts_, settings_, audio_, file);
    QWidget* owner = main_.get();
    AboutBox = new TAboutBox(owner);
    chicon = new Tchicon(prompts_, owner);
    CompressForm = new TCompressForm(owner);
    gver = new Tgver(main_->image(), owner);
    sobj = new Tsobj(owner);
    TSDIAppForm* window = main_.get();
    genpat = new Tgenpat(
        {prompts_, launcher_, [window] { return window->GameDir(); }, [window] { return window->StartDir(); },
         [window](const QString& text) { window->statusBar()->showMessage(text); }},
        owner);
    main_->setDialogs(AboutBox, gver, genpat, chicon, CompressForm, sobj);
    QObject::connect(AboutBox->ui().Button1, &QPushButton::clicked, main_.get(),
                     guarded(prompts_, [this] { main_->RandomSoundClick(); }));
    main_->setStartDir(QDir::currentPath());
    prompts_.showModal(*AboutBox);
    main_->show();
    if (!file.isEmpty()) {
        runHandler(prompts_, [this, &file] { main_->openFile(file); });
    }
}

}  // namespace zorbel
