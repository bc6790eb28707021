#pragma once
// The one wait of everything nested on a logical thread: a message, one of Qt's dialogs, a
// popup menu. Each is a window of the calling thread, opened over its other windows, and
// waited for under one policy:
// - it is answered only by its own controls, each compared by equality with its number;
// - a close request (its close box, Esc, the program's close) answers `onClose`;
// - at the end of the session every nested window open answers `onSessionEnd`, and one asked
//   for after that answers it without opening;
// - every other event (a toolbar button forwarded to it, a timer) is dropped.
// Pauses wait on the same scheduler (Scheduler::waitUntil) and answer to nothing but their time.

#include "platform/ui/windows/window.h"

#include <functional>
#include <map>

namespace ui {

struct Answers {
    std::map<int, int> byControl;  // an accepted control of the window -> its answer
    int onClose = 0;
    int onSessionEnd = 0;
};

// Opens `window`, lets `shown` give it the focus or pop it up, waits for its answer and closes
// it again.
int runNested(Window& window, const Answers& answers, const std::function<void()>& shown = {});

// The end of the session: nothing nested waits for a person any more, and what is open closes.
void setSessionEnding(bool ending);
bool sessionEnding();

}  // namespace ui
