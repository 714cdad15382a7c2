#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

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

// The file given, after --help and --version have had their say; they
// need no display, so the arguments are read before any window exists.
QStringList parseArguments(int argc, char* argv[]) {
    const QCoreApplication probe(argc, argv);
    QCoreApplication::setApplicationName(zorbel::kAppTitle);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZORBEL_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the built-in tables of the WarCraft II executable (WAR2.EXE)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The game executable to open."),
                                 QStringLiteral("[FILE]"));
    parser.process(probe);  // --help, --version and unknown options end here
    return parser.positionalArguments();
}

}  // namespace

int main(int argc, char* argv[]) {
    const QStringList files = parseArguments(argc, argv);
    if (files.size() > 1) {
        std::fputs("zorbel: one file at most; see zorbel --help\n", stderr);
        return 2;
    }
    defaultHandler = qInstallMessageHandler(messageHandler);
    QApplication app(argc, argv);
    zorbel::ZorbelApplication::applyFont();
    zorbel::QtPrompts prompts;
    zorbel::QSettingsStore settings;
    zorbel::QtAudioOutput audio;
    zorbel::QtLauncher launcher;
    zorbel::ZorbelApplication zorbel(prompts, settings, &audio, &launcher);
    zorbel.start(files.value(0));
    return QApplication::exec();
}
