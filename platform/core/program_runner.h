#pragma once
// Running other programs: separate processes started with an argument list, never through a
// shell, so blanks and quotes in arguments need no escaping. Nothing here blocks or runs an
// event loop of its own.

#include <QString>
#include <QStringList>

#include <functional>

namespace programs {

// Starts the program and forgets it. Whether it could start.
bool start(const QString& program, const QStringList& args);

// Starts the program and calls onFinished from the Qt event loop when it has ended (with -1 when
// it crashed). Whether it could start; onFinished is never called when it could not. A program
// still running when ours ends goes on.
bool start(const QString& program, const QStringList& args, std::function<void(int exitCode)> onFinished);

// The full path of the first candidate found on PATH (or given as an executable path); empty
// when none is.
QString findProgram(const QStringList& candidates);

}  // namespace programs
