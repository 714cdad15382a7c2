#include <QApplication>

#include "app/application.h"
#include "app/qt_prompts.h"
#include "app/settings_store.h"
#include "pages/sounds/audio_output.h"
#include "patch/launcher.h"

namespace {

QtMessageHandler defaultHandler = nullptr;

// Platforms without a window manager (offscreen, minimal) say that they
// cannot raise or resize hints for every dialog; that is no news to a user.
void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support"))) {
        return;
    }
    defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char* argv[]) {
    defaultHandler = qInstallMessageHandler(messageHandler);
    QApplication app(argc, argv);
    zorbel::ZorbelApplication::applyFont();
    zorbel::QtPrompts prompts;
    zorbel::QSettingsStore settings;
    zorbel::QtAudioOutput audio;
    zorbel::QtLauncher launcher;
    zorbel::ZorbelApplication zorbel(prompts, settings, &audio, &launcher);
    zorbel.start();
    return QApplication::exec();
}
