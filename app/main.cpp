#include <QApplication>

#include "app/application.h"
#include "app/qt_prompts.h"
#include "app/settings_store.h"
#include "pages/sounds/audio_output.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zorbel::ZorbelApplication::applyFont();
    zorbel::QtPrompts prompts;
    zorbel::QSettingsStore settings;
    zorbel::QtAudioOutput audio;
    zorbel::ZorbelApplication zorbel(prompts, settings, &audio);
    zorbel.start();
    return QApplication::exec();
}
