#include "app/program/full_window_drag.h"

#include "platform/ui/windows/window.h"

#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

bool dragFullWindows = true;

void applyTo(QMdiSubWindow* sub)
{
    sub->setOption(QMdiSubWindow::RubberBandMove, !dragFullWindows);
    sub->setOption(QMdiSubWindow::RubberBandResize, !dragFullWindows);
}

// Gives every subwindow of the frame's area the setting before it is first shown (a widget is
// polished then), wherever in the program it is made.
class SubWindowWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish) {
            auto* sub = qobject_cast<QMdiSubWindow*>(watched);
            if (sub && ui::Window::mdiArea() && sub->mdiArea() == ui::Window::mdiArea()) applyTo(sub);
        }
        return false;
    }
};

void watchSubWindows()
{
    static SubWindowWatcher* watcher = nullptr;
    if (watcher || !qApp) return;
    watcher = new SubWindowWatcher;
    watcher->setParent(qApp);
    qApp->installEventFilter(watcher);
}

}  // namespace

bool getDragFullWindows(int& value)
{
    value = dragFullWindows ? 1 : 0;
    return true;
}

void setDragFullWindows(int value)
{
    dragFullWindows = value != 0;
    watchSubWindows();
    if (QMdiArea* area = ui::Window::mdiArea())
        for (QMdiSubWindow* sub : area->subWindowList()) applyTo(sub);
}
