#pragma once
// Driving logical threads and their windows from a test, which runs on the main stack.

#include "platform/ui/threads/scheduler.h"
#include "platform/ui/windows/window.h"

#include <QString>

#include <functional>

namespace test {

// Runs Qt's events until the predicate holds or the time is up; whether it holds.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
// Runs Qt's events for a while.
void pump(int ms = 20);
// Starts the procedure on a new logical thread.
ui::ThreadId start(std::function<void()> procedure);
// Waits until the thread has ended; whether it did.
bool waitEnded(ui::ThreadId thread, int timeoutMs = 5000);
// The top window of a thread once it has one (null when none came in time).
ui::Window* waitWindow(ui::ThreadId thread, int timeoutMs = 5000);
// The top window of a thread with the given title.
ui::Window* waitWindowTitled(ui::ThreadId thread, const QString& title, int timeoutMs = 5000);

}  // namespace test
