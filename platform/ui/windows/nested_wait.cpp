#include "platform/ui/windows/nested_wait.h"

#include <set>

namespace ui {

namespace {

bool ending = false;
// The nested windows waited for now, by id: a window gone is never posted to.
std::set<WindowId> waiting;

}  // namespace

int runNested(Window& window, const Answers& answers, const std::function<void()>& shown)
{
    if (ending) return answers.onSessionEnd;
    window.open();
    if (shown) shown();
    struct Registered {
        WindowId id;
        explicit Registered(WindowId w) : id(w) { waiting.insert(id); }
        ~Registered() { waiting.erase(id); }
    } registered(window.id());
    for (;;) {
        const Event e = window.wait();
        if (e.event == EVENT::CloseWindow) {
            window.close();
            return ending ? answers.onSessionEnd : answers.onClose;
        }
        if (e.event != EVENT::Accepted) continue;
        auto it = answers.byControl.find(e.field);
        if (it == answers.byControl.end()) continue;
        window.close();
        return it->second;
    }
}

void setSessionEnding(bool on)
{
    ending = on;
    if (!on) return;
    for (WindowId id : waiting)
        if (Window* w = Window::find(id)) w->post(EVENT::CloseWindow);
}

bool sessionEnding() { return ending; }

}  // namespace ui
