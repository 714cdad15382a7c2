// Renders the application icon, drawn by the editor's own picture code, to
// PNG files of the hicolor sizes: render_icons OUTDIR
#include <QDir>
#include <QGuiApplication>
#include <iostream>

#include "app/pictures.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: render_icons OUTDIR\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        out.mkpath(dir);
        if (!zorbel::pictures::shield(size).save(out.filePath(dir + QStringLiteral("/zorbel.png")))) {
            std::cerr << "render_icons: cannot write the " << size << " pixel icon\n";
            return 1;
        }
    }
    return 0;
}
