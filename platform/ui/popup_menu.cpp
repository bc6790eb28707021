#include "platform/ui/popup_menu.h"

#include "platform/ui/dialog_script.h"
#include "platform/ui/scheduler.h"

#include <QAction>
#include <QMenu>

namespace ui {

int popupMenu(const QStringList& items, QPoint globalPos)
{
    if (auto scripted = takeScriptedPopupChoice()) return *scripted;
    Scheduler& scheduler = Scheduler::instance();
    const ThreadId thread = scheduler.currentId();
    if (thread == 0) return 0;

    // Before the menu: its handlers refer to them until it is gone.
    int chosen = 0;
    bool closed = false;
    QMenu menu;
    int number = 0;
    for (const QString& item : items) {
        if (item == QLatin1String("-")) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(item);
        QObject::connect(action, &QAction::triggered, &menu, [&chosen, &scheduler, thread, n = ++number] {
            chosen = n;
            scheduler.wake(thread);
        });
    }
    QObject::connect(&menu, &QMenu::aboutToHide, &menu, [&closed, &scheduler, thread] {
        closed = true;
        scheduler.wake(thread);
    });
    menu.popup(globalPos);
    // A chosen item hides the menu first and is triggered in the same handler.
    while (!chosen && !closed) scheduler.block();
    return chosen;
}

}  // namespace ui
