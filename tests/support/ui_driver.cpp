#include "tests/support/ui_driver.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace test {

bool pumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents({}, 5);
    }
    return true;
}

void pump(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents({}, 5);
}

ui::ThreadId start(std::function<void()> procedure) { return ui::Scheduler::instance().start(std::move(procedure)); }

bool waitEnded(ui::ThreadId thread, int timeoutMs)
{
    return pumpUntil([thread] { return !ui::Scheduler::instance().isRunning(thread); }, timeoutMs);
}

ui::Window* waitWindow(ui::ThreadId thread, int timeoutMs)
{
    ui::Window* w = nullptr;
    pumpUntil(
        [&] {
            ui::LogicalThread* t = ui::Scheduler::instance().find(thread);
            w = t ? t->topWindow() : nullptr;
            return w && w->isOpen();
        },
        timeoutMs);
    return w && w->isOpen() ? w : nullptr;
}

ui::Window* waitWindowTitled(ui::ThreadId thread, const QString& title, int timeoutMs)
{
    ui::Window* w = nullptr;
    pumpUntil(
        [&] {
            ui::LogicalThread* t = ui::Scheduler::instance().find(thread);
            w = t ? t->topWindow() : nullptr;
            return w && w->isOpen() && w->title() == title;
        },
        timeoutMs);
    return w && w->isOpen() && w->title() == title ? w : nullptr;
}

}  // namespace test
