#pragma once
// What the benchmarks that drive windows offscreen share: a new temporary folder to work in,
// logical threads with the program's per-thread data, and waiting on them.
//
// Make the QApplication after setOffscreen() and before the folder.

#include "data/error_reporter.h"
#include "data/thread_data.h"
#include "platform/ui/threads/scheduler.h"
#include "tests/support/ui_driver.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace bench {

inline void setOffscreen() { qputenv("QT_QPA_PLATFORM", "offscreen"); }

// Works in a new temporary folder inside `parent` (null: the system's temporary folder), kept
// while the returned object lives; the error reporter is set up and every logical thread gets
// its data with its file managers started.
inline std::unique_ptr<QTemporaryDir> enterThreadsFolder(const char* parent, const char* name)
{
    const QDir base(parent ? QString::fromLocal8Bit(parent) : QDir::tempPath());
    auto dir = std::make_unique<QTemporaryDir>(base.filePath(QString::fromLatin1(name) + QStringLiteral("-XXXXXX")));
    QDir::setCurrent(dir->path());
    SetupErrorReporter();
    ui::Scheduler::instance().setStateFactory([](int id) {
        auto data = std::make_unique<ThreadData>(id);
        data->StartFileManagers();
        return data;
    });
    return dir;
}

// The thread has taken every event (or has ended).
inline bool idle(ui::ThreadId thread)
{
    const ui::Scheduler& s = ui::Scheduler::instance();
    return !s.isRunning(thread) || ui::isWaitingIdle(thread);
}

inline void onThread(std::function<void()> procedure) { test::waitEnded(test::start(std::move(procedure)), 600000); }

}  // namespace bench
