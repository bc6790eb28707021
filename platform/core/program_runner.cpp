#include "platform/core/program_runner.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace programs {
namespace {

constexpr int kWatchIntervalMs = 20;

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
    // Spawned as our own child rather than through QProcess, whose owner kills it when the
    // program ends: a program that a window still waits for at our exit (the XSLT processor)
    // must go on and finish its work.
    std::vector<QByteArray> words;
    words.reserve(args.size() + 1);
    words.push_back(QFile::encodeName(program));
    for (const QString& arg : args) words.push_back(arg.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    // glibc's spawn reports a failed exec (missing, not executable) as its result.
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return false;

    // Polled from the event loop: the wait never blocks, and a program left running at our
    // exit is simply no longer watched.
    auto* watch = new QTimer(QCoreApplication::instance());
    watch->setInterval(kWatchIntervalMs);
    QObject::connect(watch, &QTimer::timeout, watch, [watch, pid, onFinished = std::move(onFinished)] {
        int status = 0;
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == 0 || (ended < 0 && errno == EINTR)) return;
        watch->stop();
        watch->deleteLater();
        onFinished(ended == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    });
    watch->start();
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
