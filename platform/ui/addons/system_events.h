#pragma once
// Wing addons: the mouse-wheel and system-events add-ons, their messages and sources.
// The system-events add-on: turns the system messages that reach a window into events posted
// to the window's thread, and answers the log-off and shut-down queries with configured values
// at once. Attaching puts the add-on's handler in front of the window's handler (see
// system_messages.h); the handler works with the current instance of the window's thread, the
// one attached there last.

#include "platform/ui/addons/system_messages.h"
#include "platform/ui/threads/scheduler.h"

#include <QPointer>

#include <cstdint>

namespace ui {

class Window;

// The event a system message posts (0 for none): the log-off and shut-down messages when
// `normal` is set, power and device messages when `extended` is set.
int eventForMessage(unsigned message, unsigned wParam, bool normal, bool extended);

class SystemEventsClass {
public:
    SystemEventsClass() = default;
    // Makes the previous instance of the thread current again.
    ~SystemEventsClass();
    SystemEventsClass(const SystemEventsClass&) = delete;
    SystemEventsClass& operator=(const SystemEventsClass&) = delete;

    // Attached to the frame, the add-on also receives what the desktop reports
    // (SystemEventSources).
    void Attach(Window& window, std::int32_t queryAnswer, std::int32_t endAnswer, bool extended, bool normal);
    // Puts the window's previous handler back, unless another one replaced the add-on's since.
    void Detach();
    // Posts the message's event to the window's thread and answers: the two log-off and
    // shut-down messages with the configured values, the rest by passing them on to HWNDPROC.
    std::int32_t deliver(unsigned message, unsigned wParam);

    // The instance attached last on the thread, null for none.
    static SystemEventsClass* current(ThreadId thread);

    std::int32_t RETVALQUERY = 0;
    std::int32_t RETVALEND = 0;
    bool SENDNORMALEVENTS = false;
    bool SENDEXTENDEDEVENTS = false;
    QPointer<Window> HWND;
    SystemMessageHandler* HWNDPROC = nullptr;
    SystemEventsClass* PREVIOUSCLASS = nullptr;

private:
    ThreadId thread_ = 0;
};

}  // namespace ui
