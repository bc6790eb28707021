#include "platform/ui/windows/thread_windows.h"

#include "platform/ui/windows/window.h"

namespace ui {

void post(ThreadId thread, int event, int field)
{
    LogicalThread* t = Scheduler::instance().find(thread);
    if (!t) return;
    if (Window* w = t->topWindow()) w->post(event, field);
}

bool isWaitingIdle(ThreadId thread)
{
    LogicalThread* t = Scheduler::instance().find(thread);
    Window* top = t ? t->topWindow() : nullptr;
    return top && Scheduler::instance().isWaitingForEventsOf(thread, top->id()) && !top->hasEvents();
}

}  // namespace ui
