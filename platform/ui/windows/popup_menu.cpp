#include "platform/ui/windows/popup_menu.h"

#include "platform/ui/threads/dialog_script.h"
#include "platform/ui/windows/nested_wait.h"

#include <QAction>
#include <QMenu>

namespace ui {

namespace {

// The items that can be chosen, in the order of the numbers the menu gives them (depth first).
void numberItems(const std::vector<PopupItem>& items, std::vector<const PopupItem*>& byNumber)
{
    for (const PopupItem& item : items) {
        if (!item.submenu.empty())
            numberItems(item.submenu, byNumber);
        else if (item.text != QLatin1String("-"))
            byNumber.push_back(&item);
    }
}

// The items into the menu, numbered on from `number` as numberItems numbers them.
void addItems(QMenu& menu, const std::vector<PopupItem>& items, Window& window, Answers& answers, int& number)
{
    for (const PopupItem& item : items) {
        if (item.text == QLatin1String("-")) {
            menu.addSeparator();
            continue;
        }
        if (!item.submenu.empty()) {
            QMenu* sub = menu.addMenu(item.icon, item.text);
            addItems(*sub, item.submenu, window, answers, number);
            continue;
        }
        QAction* action = menu.addAction(item.icon, item.text);
        const int n = ++number;
        answers.byControl[n] = n;
        QObject::connect(action, &QAction::triggered, &window, [&window, n] { window.post(EVENT::Accepted, n); });
    }
}

}  // namespace

int popupMenu(const std::vector<PopupItem>& items, QPoint globalPos)
{
    std::vector<const PopupItem*> byNumber;
    numberItems(items, byNumber);
    int chosen = 0;
    if (auto scripted = takeScriptedPopupChoice()) {
        chosen = *scripted;
    } else {
        if (Scheduler::instance().currentId() == 0) return 0;
        auto* menu = new QMenu;  // the window deletes it
        Window window(WindowKind::Popup, menu);
        Answers answers;  // nothing chosen answers 0
        int count = 0;
        addItems(*menu, items, window, answers, count);
        // A chosen item hides the menu first and is triggered after: the close comes after it.
        QObject::connect(menu, &QMenu::aboutToHide, &window, [&window, menu] {
            QMetaObject::invokeMethod(
                &window,
                [&window, menu] {
                    // a submenu opening hides nothing of its menu
                    if (!menu->isVisible()) window.post(EVENT::CloseWindow);
                },
                Qt::QueuedConnection);
        });
        chosen = runNested(window, answers, [menu, globalPos] { menu->popup(globalPos); });
    }
    if (chosen >= 1 && chosen <= int(byNumber.size()) && byNumber[std::size_t(chosen - 1)]->run)
        byNumber[std::size_t(chosen - 1)]->run();
    return chosen;
}

int popupMenu(const QStringList& items, QPoint globalPos)
{
    std::vector<PopupItem> plain;
    for (const QString& text : items) plain.push_back({text, {}, {}, {}});
    return popupMenu(plain, globalPos);
}

}  // namespace ui
