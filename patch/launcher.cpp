#include "patch/launcher.h"

#include <QProcess>

namespace zorbel {

LaunchResult QtLauncher::start(const QString& program, const QStringList& arguments, Finished finished) {
    auto* process = new QProcess();
    process->setProgram(program);
    process->setArguments(arguments);
    process->start();
    if (!process->waitForStarted(5000)) {
        LaunchResult failed{false, process->errorString()};
        delete process;
        return failed;
    }
    QObject::connect(process, &QProcess::finished, process,
                     [process, finished](int exitCode, QProcess::ExitStatus status) {
                         const QString errors =
                             QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
                         if (finished) {
                             finished(status == QProcess::NormalExit ? exitCode : -1, errors);
                         }
                         process->deleteLater();
                     });
    return {true, {}};
}

}  // namespace zorbel
