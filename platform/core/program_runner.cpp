#include "platform/core/program_runner.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <memory>

namespace programs {
namespace {

// The program's output goes where ours goes, and it reads no input: a program waiting for
// input that never comes would never end.
void prepare(QProcess& process, const QString& program, const QStringList& args)
{
    process.setProgram(program);
    process.setArguments(args);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
}

}  // namespace

bool start(const QString& program, const QStringList& args)
{
    QProcess process;
    prepare(process, program, args);
    return process.startDetached();
}

bool start(const QString& program, const QStringList& args, std::function<void(int exitCode)> onFinished)
{
    // Owned by the application, so a program still running at exit is ended with it.
    auto process = std::make_unique<QProcess>(QCoreApplication::instance());
    prepare(*process, program, args);
    process->start();
    // Waits only for the exec to succeed or fail, which the child reports at once, never for
    // the program itself.
    if (!process->waitForStarted()) return false;

    QProcess* running = process.release();
    QObject::connect(running, &QProcess::finished, running,
                     [running, onFinished = std::move(onFinished)](int exitCode, QProcess::ExitStatus status) {
                         running->deleteLater();
                         onFinished(status == QProcess::NormalExit ? exitCode : -1);
                     });
    return true;
}

QString findProgram(const QStringList& candidates)
{
    for (const QString& candidate : candidates) {
        const QString found = QStandardPaths::findExecutable(candidate);
        if (!found.isEmpty()) return found;
    }
    return {};
}

}  // namespace programs
