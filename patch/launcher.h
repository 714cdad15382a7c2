#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace zorbel {

struct LaunchResult {
    bool started = false;
    QString error;  // why it could not be started
};

// Starts a program with an argument list (no shell) and does not wait for
// it; `finished` runs on the window thread when it has ended, with its exit
// code and what it wrote to standard error. Tests replace it with a double.
class Launcher {
  public:
    using Finished = std::function<void(int exitCode, const QString& errorOutput)>;
    virtual ~Launcher() = default;
    virtual LaunchResult start(const QString& program, const QStringList& arguments, Finished finished) = 0;
};

class QtLauncher : public Launcher {
  public:
    LaunchResult start(const QString& program, const QStringList& arguments, Finished finished) override;
};

}  // namespace zorbel
