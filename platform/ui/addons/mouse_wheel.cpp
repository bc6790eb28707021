#include "platform/ui/addons/mouse_wheel.h"

#include "platform/ui/addons/wheel_message.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/event.h"
#include "platform/ui/windows/window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QTreeView>
#include <QVariant>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace ui {

namespace {

constexpr char kProperty[] = "vsMouseWheelClass";

vsMouseWheelClass* attachedInstance(const Window& window)
{
    return static_cast<vsMouseWheelClass*>(window.property(kProperty).value<void*>());
}

bool scrollsWithWheel(int type)
{
    switch (type) {
    case CREATE::Text:
    case CREATE::List:
    case CREATE::Image:
    case CREATE::Combo:
    case CREATE::DropList:
    case CREATE::DropCombo: return true;
    default: return false;
    }
}

bool isVisible(const Control* c) { return c && c->widget() && c->widget()->isVisible(); }

void pressKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// Moves the list's selection by one row, staying on a valid row.
void selectNeighbourRow(QWidget* widget, int step)
{
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->count() > 0) combo->setCurrentIndex(std::clamp(combo->currentIndex() + step, 0, combo->count() - 1));
        return;
    }
    auto* view = qobject_cast<QAbstractItemView*>(widget);
    if (!view || !view->model()) return;
    const QModelIndex current = view->currentIndex();
    if (auto* tree = qobject_cast<QTreeView*>(view); tree && current.isValid()) {
        // A tree's neighbours are the rows shown above and below.
        const QModelIndex next = step < 0 ? tree->indexAbove(current) : tree->indexBelow(current);
        if (next.isValid()) tree->setCurrentIndex(next);
        return;
    }
    const QModelIndex parent = current.isValid() ? current.parent() : view->rootIndex();
    const int rows = view->model()->rowCount(parent);
    if (rows == 0) return;
    // Without a current row (-1) either step lands on the first row.
    const int row = std::clamp(current.row() + step, 0, rows - 1);
    view->setCurrentIndex(view->model()->index(row, std::max(current.column(), 0), parent));
}

// The platform's delivery of wheel messages to the windows that have the add-on attached.
class WheelFilter : public QObject {
public:
    static void install()
    {
        static WheelFilter* filter = nullptr;
        if (filter || !qApp) return;
        filter = new WheelFilter;
        qApp->installEventFilter(filter);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        // An open drop-down list or menu is a window of its own that keeps its wheel; a window
        // under a nested one (disabled) takes none.
        if (!widget || !widget->isEnabled() || widget->window()->windowType() == Qt::Popup) return false;
        Window* window = Window::of(widget);
        if (!window || !attachedInstance(*window)) return false;
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta == 0) return false;  // a horizontal wheel is not this message
        if (const int whole = accumulator_.add(window, delta)) MouseWheelWndProc(*window, WM_MOUSEWHEEL, wheelWParam(whole));
        return true;
    }

private:
    WheelAccumulator accumulator_;
};

}  // namespace

vsMouseWheelClass::vsMouseWheelClass() : CLASSNAME(kProperty) {}

vsMouseWheelClass::~vsMouseWheelClass() { Detach(); }

void vsMouseWheelClass::CollectControl(const Control& control, bool force)
{
    if (!force && !scrollsWithWheel(control.type())) return;
    TARGETQ.insert(std::upper_bound(TARGETQ.begin(), TARGETQ.end(), control.number()), control.number());
}

void vsMouseWheelClass::WheelForward() { ScrollControl(FindWheelTarget(), Forward); }

void vsMouseWheelClass::WheelBackward() { ScrollControl(FindWheelTarget(), Backward); }

void vsMouseWheelClass::ScrollControl(int control, int direction)
{
    if (control == 0 || !window_) return;
    // Handlers that look at the last key must not see a stale mouse key.
    window_->setLastKeyCode(0);
    for (int i = 0; i < TURNS; ++i) {
        const Control* c = window_->control(control);
        if (!c) return;
        switch (c->type()) {
        case CREATE::Text: ScrollText(control, direction); break;
        case CREATE::Image: ScrollImage(control, direction); break;
        case CREATE::List:
        case CREATE::Combo:
        case CREATE::DropList:
        case CREATE::DropCombo: ScrollList(control, direction); break;
        default: ScrollOther(control, direction); break;
        }
    }
}

void vsMouseWheelClass::ScrollText(int control, int direction)
{
    Control* c = window_ ? window_->control(control) : nullptr;
    if (!c || !c->widget()) return;
    c->select();
    pressKey(c->widget(), direction == Forward ? Qt::Key_Up : Qt::Key_Down);
}

void vsMouseWheelClass::ScrollList(int control, int direction)
{
    Control* c = window_ ? window_->control(control) : nullptr;
    if (!c) return;
    if (c->immediate) {
        postScroll(control, direction);
        return;
    }
    selectNeighbourRow(c->widget(), direction == Forward ? -1 : 1);
    window_->post(EVENT::NewSelection, control);
}

void vsMouseWheelClass::ScrollImage(int control, int direction) { postScroll(control, direction); }

void vsMouseWheelClass::ScrollOther(int control, int direction) { postScroll(control, direction); }

void vsMouseWheelClass::postScroll(int control, int direction)
{
    if (window_) window_->post(direction == Forward ? EVENT::ScrollUp : EVENT::ScrollDown, control);
}

void vsMouseWheelClass::Attach(Window& window)
{
    if (ISWINDOW || ISCONTROL) Detach();
    for (const auto& c : window.controls()) CollectControl(*c, false);
    if (TARGETQ.empty()) return;
    window_ = &window;
    window.setProperty(CLASSNAME, QVariant::fromValue(static_cast<void*>(this)));
    WheelFilter::install();
    ISWINDOW = true;
}

void vsMouseWheelClass::Detach()
{
    // Another instance that took the window over in the meantime keeps it.
    if (ISWINDOW && window_ && attachedInstance(*window_) == this) window_->setProperty(CLASSNAME, QVariant());
    window_ = nullptr;
    TARGETQ.clear();
    ISCONTROL = false;
    ISWINDOW = false;
}

int vsMouseWheelClass::FindWheelTarget() const
{
    if (ISCONTROL) return CONTROLFEQ;
    if (!window_) return 0;
    for (int n : TARGETQ)
        if (isVisible(window_->control(n)) && ControlUnderCursor(n)) return n;
    const int focused = window_->focusedControl();
    if (focused && std::binary_search(TARGETQ.begin(), TARGETQ.end(), focused)) return focused;
    for (int n : TARGETQ)
        if (isVisible(window_->control(n))) return n;
    return 0;
}

bool vsMouseWheelClass::ControlUnderCursor(int control) const
{
    const Control* c = window_ ? window_->control(control) : nullptr;
    QWidget* widget = c ? c->widget() : nullptr;
    QWidget* hit = QApplication::widgetAt(QCursor::pos());
    // Qt's lists and text boxes receive the pointer in a viewport inside them.
    return widget && hit && (hit == widget || widget->isAncestorOf(hit));
}

bool MouseWheelWndProc(Window& window, unsigned message, std::uint32_t wParam)
{
    vsMouseWheelClass* self = attachedInstance(window);
    if (!self || message != WM_MOUSEWHEEL) return false;
    const int delta = wheelDelta(wParam);
    self->TURNS = std::abs(delta) / WHEEL_DELTA;
    if (delta >= 0)
        self->WheelForward();
    else
        self->WheelBackward();
    return true;
}

}  // namespace ui
