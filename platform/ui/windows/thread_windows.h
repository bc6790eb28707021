#pragma once
// What a logical thread's windows take and tell: an event posted to the window it shows on
// top, and whether it has taken every event.

#include "platform/ui/threads/scheduler.h"

namespace ui {

// Posts an event to the window a thread shows on top; dropped when the thread has ended or
// has no window.
void post(ThreadId thread, int event, int field = 0);

// The thread waits for its top window's next event and nothing is queued for it: it has
// taken every event. A thread waiting for anything else (a timer, a lock) is not idle.
bool isWaitingIdle(ThreadId thread);

}  // namespace ui
