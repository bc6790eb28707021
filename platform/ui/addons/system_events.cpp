#include "platform/ui/addons/system_events.h"

#include "platform/ui/addons/system_event_sources.h"
#include "platform/ui/windows/event.h"
#include "platform/ui/windows/nested_wait.h"
#include "platform/ui/windows/window.h"

#include <map>

namespace ui {

namespace {

std::map<ThreadId, SystemEventsClass*>& currentInstances()
{
    static std::map<ThreadId, SystemEventsClass*> instances;
    return instances;
}

int powerEvent(unsigned wParam)
{
    switch (wParam) {
    case PBT::APMPOWERSTATUSCHANGE: return EVENT::PowerStatusChange;
    case PBT::APMBATTERYLOW: return EVENT::PowerBatteryLow;
    case PBT::APMSTANDBY: return EVENT::PowerStandby;
    case PBT::APMSUSPEND: return EVENT::PowerSuspend;
    case PBT::APMQUERYSTANDBY: return EVENT::PowerQueryStandby;
    case PBT::APMQUERYSUSPEND: return EVENT::PowerQuerySuspend;
    default: return EVENT::PowerOther;
    }
}

// The add-on's handler, shared by every instance: it works with the current instance of the
// window's thread.
class SystemEventsWndProc final : public SystemMessageHandler {
public:
    std::int32_t handle(Window& window, unsigned message, unsigned wParam) override
    {
        SystemEventsClass* self = SystemEventsClass::current(window.thread());
        return self ? self->deliver(message, wParam) : defaultSystemAnswer(message);
    }
};

SystemEventsWndProc& wndProc()
{
    static SystemEventsWndProc handler;
    return handler;
}

}  // namespace

int eventForMessage(unsigned message, unsigned wParam, bool normal, bool extended)
{
    switch (message) {
    case WM::QUERYENDSESSION: return normal ? EVENT::QueryEndSession : 0;
    case WM::ENDSESSION: return normal ? EVENT::EndSession : 0;
    case WM::POWERBROADCAST: return extended ? powerEvent(wParam) : 0;
    case WM::DEVICECHANGE: return extended ? EVENT::DeviceChange : 0;
    default: return 0;
    }
}

SystemEventsClass* SystemEventsClass::current(ThreadId thread)
{
    auto it = currentInstances().find(thread);
    return it == currentInstances().end() ? nullptr : it->second;
}

SystemEventsClass::~SystemEventsClass()
{
    auto& instances = currentInstances();
    auto it = instances.find(thread_);
    if (it == instances.end()) return;
    if (PREVIOUSCLASS)
        it->second = PREVIOUSCLASS;
    else if (it->second == this)
        instances.erase(it);  // the thread's last instance leaves none behind
}

void SystemEventsClass::Attach(Window& window, std::int32_t queryAnswer, std::int32_t endAnswer, bool extended, bool normal)
{
    RETVALQUERY = queryAnswer;
    RETVALEND = endAnswer;
    SENDEXTENDEDEVENTS = extended;
    SENDNORMALEVENTS = normal;
    HWND = &window;
    thread_ = window.thread();
    SystemEventsClass*& current = currentInstances()[thread_];
    // Attached again, the add-on keeps passing on to the handler it replaced first, never to itself.
    if (SystemMessageHandler& inPlace = systemMessageHandler(window); &inPlace != &wndProc()) HWNDPROC = &inPlace;
    setSystemMessageHandler(window, wndProc());
    if (current && current != this) PREVIOUSCLASS = current;
    current = this;
    if (window.kind() == WindowKind::Frame) SystemEventSources::instance().install(thread_);
}

void SystemEventsClass::Detach()
{
    if (HWNDPROC && HWND && &systemMessageHandler(*HWND) == &wndProc()) setSystemMessageHandler(*HWND, *HWNDPROC);
}

std::int32_t SystemEventsClass::deliver(unsigned message, unsigned wParam)
{
    if (message == WM::ENDSESSION && SENDNORMALEVENTS && HWND) {
        // The session ends: nothing may wait for a person any more, and the windows nested over
        // this one (a message, the about window) close, so that this window takes the event.
        setSessionEnding(true);
        if (LogicalThread* t = Scheduler::instance().find(thread_))
            for (Window* w : t->windows())
                if (w != HWND) w->post(EVENT::CloseWindow);
    }
    if (const int event = eventForMessage(message, wParam, SENDNORMALEVENTS, SENDEXTENDEDEVENTS)) {
        if (HWND)
            HWND->post(event);  // to the window itself: a window nested over it would drop it
        else
            post(thread_, event);
    }
    if (message == WM::QUERYENDSESSION) return RETVALQUERY;
    if (message == WM::ENDSESSION) return RETVALEND;
    return HWNDPROC && HWND ? HWNDPROC->handle(*HWND, message, wParam) : defaultSystemAnswer(message);
}

}  // namespace ui
