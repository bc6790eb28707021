#include "platform/ui/popup_menu.h"

#include "platform/ui/dialog_script.h"
#include "platform/ui/nested_wait.h"

#include <QAction>
#include <QMenu>

namespace ui {

int popupMenu(const QStringList& items, QPoint globalPos)
{
    if (auto scripted = takeScriptedPopupChoice()) return *scripted;
    if (Scheduler::instance().currentId() == 0) return 0;

    auto* menu = new QMenu;  // the window deletes it
    Window window(WindowKind::Popup, menu);
    Answers answers;  // nothing chosen answers 0
    int number = 0;
    for (const QString& item : items) {
        if (item == QLatin1String("-")) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(item);
        const int n = ++number;
        answers.byControl[n] = n;
        QObject::connect(action, &QAction::triggered, &window, [&window, n] { window.post(EVENT::Accepted, n); });
    }
    // A chosen item hides the menu first and is triggered after: the close comes after it.
    QObject::connect(menu, &QMenu::aboutToHide, &window, [&window] {
        QMetaObject::invokeMethod(&window, [&window] { window.post(EVENT::CloseWindow); }, Qt::QueuedConnection);
    });
    return runNested(window, answers, [menu, globalPos] { menu->popup(globalPos); });
}

}  // namespace ui
