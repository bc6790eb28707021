#include "platform/ui/windows/window.h"

#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/spin_box.h"
#include "platform/ui/windows/text_box.h"
#include "platform/ui/windows/title_width.h"
#include "platform/ui/windows/toolbar_state.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cassert>
#include <map>
#include <stdexcept>

namespace ui {

namespace {

QPointer<QMdiArea> theMdiArea;

// The live windows by their ids; a widget of a window carries its id, so a widget outliving
// its window, or a new one at a freed address, is never taken for a live window.
std::map<WindowId, Window*>& liveWindows()
{
    static std::map<WindowId, Window*> windows;
    return windows;
}

const char* const kWindowIdProperty = "tolvexWindowId";

WindowId nextWindowId = 1;

}  // namespace

void Window::setMdiArea(QMdiArea* area) { theMdiArea = area; }
QMdiArea* Window::mdiArea() { return theMdiArea; }

Window* Window::of(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant id = w->property(kWindowIdProperty);
        if (id.isValid()) return find(id.toInt());
    }
    return nullptr;
}

Window* Window::find(WindowId id)
{
    auto it = liveWindows().find(id);
    return it == liveWindows().end() ? nullptr : it->second;
}

void Window::registerWidget(QWidget* widget)
{
    widget->setProperty(kWindowIdProperty, id_);
    widget->installEventFilter(this);
}

Window::Window(WindowKind kind, const QString& title, int widthDu, int heightDu)
    : id_(nextWindowId++), kind_(kind), thread_(Scheduler::instance().currentId()), widthDu_(widthDu),
      heightDu_(heightDu)
{
    liveWindows()[id_] = this;
    QWidget* parent = nullptr;
    Qt::WindowFlags flags;
    if (kind == WindowKind::Dialog) {
        // A top-level window of the frame, never modal: it blocks only its own thread.
        parent = theMdiArea ? theMdiArea->window() : nullptr;
        flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    content_ = new QWidget(parent, flags);
    content_->setAttribute(Qt::WA_DeleteOnClose, false);
    content_->setWindowTitle(title);
    content_->resize(duX(widthDu), duY(heightDu));
    registerWidget(content_);
}

Window::Window(WindowKind kind, QWidget* own)
    : id_(nextWindowId++), kind_(kind), thread_(Scheduler::instance().currentId())
{
    liveWindows()[id_] = this;
    content_ = own;
    top_ = own;
    registerWidget(own);
}

Window::~Window()
{
    if (open_) close();
    liveWindows().erase(id_);
    if (kind_ != WindowKind::Frame) {
        QWidget* top = topWidget();
        if (top) top->deleteLater();
    }
}

QWidget* Window::topWidget() const { return top_ ? top_.data() : content_.data(); }

// --- controls

Control& Window::add(int type, const QString& name, QWidget* widget, int number)
{
    if (number == 0) number = nextNumber_;
    nextNumber_ = std::max(nextNumber_, number + 1);
    if (Control* old = control(number)) {
        if (old->widget() == widget)
            takeOut(*old);  // registered again
        else
            remove(number);
    }
    controls_.push_back(std::make_unique<Control>(*this, number, name, type, widget));
    Control& c = *controls_.back();
    connectControl(c);
    // A destroyed widget takes its control along: nothing may show or store through it again.
    if (widget) connect(widget, &QObject::destroyed, this, [this, &c] { takeOut(c); });
    return c;
}

void Window::remove(int number)
{
    Control* c = control(number);
    if (!c) return;
    QWidget* widget = c->widget();
    takeOut(*c);
    delete widget;  // the thread's code runs outside the widget's own handlers
}

std::unique_ptr<Control> Window::takeOut(const Control& c)
{
    auto it = std::find_if(controls_.begin(), controls_.end(), [&c](const auto& p) { return p.get() == &c; });
    if (it == controls_.end()) return nullptr;
    std::unique_ptr<Control> taken = std::move(*it);
    controls_.erase(it);
    // its handlers refer to the control
    if (QWidget* w = taken->widget()) disconnect(w, nullptr, this, nullptr);
    return taken;
}

bool Window::hasQueued(int event, int field) const
{
    return std::any_of(queue_.begin(), queue_.end(), [&](const Event& e) { return e.event == event && e.field == field; });
}

bool Window::discard(int event, int field)
{
    const auto it = std::find_if(queue_.begin(), queue_.end(),
                                 [&](const Event& e) { return e.event == event && e.field == field; });
    if (it == queue_.end()) return false;
    queue_.erase(it);
    return true;
}

Control* Window::control(int number) const
{
    for (const auto& c : controls_)
        if (c->number() == number) return c.get();
    return nullptr;
}

Control* Window::control(const QString& name) const
{
    for (const auto& c : controls_)
        if (c->name().compare(name, Qt::CaseInsensitive) == 0) return c.get();
    return nullptr;
}

int Window::numberOf(const QString& name) const
{
    Control* c = control(name);
    return c ? c->number() : 0;
}

void Window::displayAll()
{
    for (const auto& c : controls_) c->display();
}

void Window::updateAll()
{
    for (const auto& c : controls_) c->update();
}

int Window::focusedControl() const
{
    QWidget* f = QApplication::focusWidget();
    for (QWidget* w = f; w; w = w->parentWidget())
        for (const auto& c : controls_)
            if (c->widget() == w) return c->number();
    return 0;
}

void Window::connectControl(Control& c)
{
    const int n = c.number();
    QWidget* w = c.widget();
    if (!w) return;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        connect(button, &QAbstractButton::clicked, this, [this, n, &c] {
            acceptFocusedEntry();
            c.update();
            post(EVENT::Accepted, n);
        });
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        // what is typed is stored in windows-1251: nothing it cannot hold is taken
        if (!edit->validator()) edit->setValidator(new Cp1251Validator(edit));
        connect(edit, &QLineEdit::editingFinished, this, [this, &c] { acceptIfModified(c); });
    } else if (auto* spin = qobject_cast<SpinBox*>(w)) {
        connect(spin, &QAbstractSpinBox::editingFinished, this, [this, &c] { acceptIfModified(c); });
        connect(spin, &SpinBox::stepped, this, [this, n] { post(EVENT::NewSelection, n); });
    } else if (auto* box = qobject_cast<TextBox*>(w)) {
        connect(box, &TextBox::editingFinished, this, [this, &c] { acceptIfModified(c); });
    } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        // every caption whole: the window grows to show them rather than cut or scroll them
        tabs->setUsesScrollButtons(false);
        tabs->setElideMode(Qt::ElideNone);
        connect(tabs, &QTabWidget::currentChanged, this, [this, n] { post(EVENT::NewSelection, n); });
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable() && !combo->validator()) combo->setValidator(new Cp1251Validator(combo));
        connect(combo, qOverload<int>(&QComboBox::activated), this, [this, n, &c] {
            c.update();
            post(EVENT::Accepted, n);
        });
    }
}

void Window::acceptFocusedEntry()
{
    // the innermost control that holds the focus: a sheet holds the entries of its tabs
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        for (const auto& c : controls_)
            if (c->widget() == w) {
                acceptIfModified(*c);
                return;
            }
}

void Window::acceptIfModified(Control& c)
{
    QWidget* w = c.widget();
    if (auto* edit = qobject_cast<QLineEdit*>(w); edit && edit->isModified())
        edit->setModified(false);
    else if (auto* spin = qobject_cast<SpinBox*>(w); spin && spin->isModified())
        spin->setModified(false);
    else if (auto* box = qobject_cast<TextBox*>(w); box && box->isModified())
        box->setModified(false);
    else
        return;
    c.update();
    post(EVENT::Accepted, c.number());
}

// --- dialog units

int Window::duX(int units) const
{
    QFontMetrics m(content_->font());
    return (units * m.averageCharWidth() + 2) / 4;
}

int Window::duY(int units) const
{
    QFontMetrics m(content_->font());
    return (units * m.height() + 4) / 8;
}

// --- opening and closing

void Window::bringToFront()
{
    QWidget* top = topWidget();
    if (!top || kind_ == WindowKind::Popup) return;
    QWidget* window = top->window();
    window->raise();
    window->activateWindow();
    if (top != window) top->raise();
    if (kind_ == WindowKind::MdiChild && theMdiArea && top_) theMdiArea->setActiveSubWindow(static_cast<QMdiSubWindow*>(top_.data()));
}

void Window::setInputEnabled(bool enabled)
{
    if (enabled == inputEnabled_) return;
    inputEnabled_ = enabled;
    QWidget* top = topWidget();
    if (!top) return;
    // Disabling the control that has the focus would hand the focus on along the frame's
    // chain, into another MDI child, which would then come to the front when the frame is
    // active again: the focus is kept aside and given back with the input.
    QWidget* focus = QApplication::focusWidget();
    if (!enabled && focus && top->isAncestorOf(focus) && kind_ != WindowKind::Frame) {
        focusBeforeWait_ = focus;
        focus->clearFocus();
    }
    if (kind_ != WindowKind::Frame) {
        top->setEnabled(enabled);
        if (enabled && focusBeforeWait_) focusBeforeWait_->setFocus(Qt::ActiveWindowFocusReason);
        if (enabled) focusBeforeWait_ = nullptr;
        return;
    }
    // The frame holds the other threads' windows: only its own menu and toolbars wait.
    for (QWidget* child : top->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != theMdiArea && !child->isWindow()) child->setEnabled(enabled);
}

void Window::enableTopWindowOnly(const LogicalThread& thread)
{
    // A popup menu takes its input as a popup does; the window it opened over stays as it is.
    Window* active = nullptr;
    for (Window* w : thread.windows())
        if (w->kind_ != WindowKind::Popup) active = w;
    for (Window* w : thread.windows()) w->setInputEnabled(w == active || w->kind_ == WindowKind::Popup);
}

void Window::centreOverCaller()
{
    LogicalThread* t = Scheduler::instance().find(thread_);
    Window* caller = t ? t->topWindow() : nullptr;
    QWidget* anchor = caller ? caller->topWidget() : nullptr;
    if (!anchor && theMdiArea) anchor = theMdiArea->window();
    if (!anchor || !anchor->isVisible()) return;
    if (!widthDu_ || !heightDu_) content_->adjustSize();  // sized by what it holds
    QRect placed = content_->rect();
    placed.moveCenter(anchor->mapToGlobal(anchor->rect().center()));
    // kept on the screen, so that a caller at its edge never pushes the buttons out of sight
    const QRect screen = anchor->screen()->availableGeometry();
    placed.moveLeft(std::max(screen.left(), std::min(placed.left(), screen.right() + 1 - placed.width())));
    placed.moveTop(std::max(screen.top(), std::min(placed.top(), screen.bottom() + 1 - placed.height())));
    content_->move(placed.topLeft());
}

void Window::fitContents()
{
    if (content_->layout()) content_->resize(content_->size().expandedTo(content_->minimumSizeHint()));
    if (kind_ == WindowKind::Dialog) widenForTitle();
    if (!resizable_) content_->setFixedSize(content_->size());
}

QWidget* Window::callerWindow() const
{
    LogicalThread* t = Scheduler::instance().find(thread_);
    if (!t) return nullptr;
    const auto& windows = t->windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if ((*it)->kind_ != WindowKind::Popup && *it != this)
            if (QWidget* top = (*it)->topWidget()) return top->window();
    return nullptr;
}

void Window::stackOverCaller()
{
    QWidget* frame = theMdiArea ? theMdiArea->window() : nullptr;
    QWidget* caller = callerWindow();
    // An MDI child called from a form cannot be inside the frame, which lies below the form: it
    // opens as a window of its own over the form.
    if (kind_ == WindowKind::MdiChild && frame && caller && caller != frame) {
        Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        if (resizable_) flags |= Qt::WindowMaximizeButtonHint;
        content_->setParent(frame, flags);
        overForm_ = true;
    }
    // A top-level window stays above the one it is transient for, whatever the user clicks: a
    // form or message is kept above the window that waits on it, not only above the frame. (A
    // child widget of that window would be disabled with it.)
    if ((kind_ == WindowKind::Dialog || overForm_) && caller) {
        content_->winId();
        content_->windowHandle()->setTransientParent(caller->windowHandle());
    }
}

void Window::unstack()
{
    if (overForm_) content_->setParent(nullptr, Qt::Widget);
    overForm_ = false;
}

void Window::widenForTitle()
{
    const int grow = titleBarWidth(*content_) - content_->width();
    if (grow <= 0) return;
    // what is placed by hand stays where it was against the middle
    if (!content_->layout())
        for (QWidget* child : content_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->move(child->x() + grow / 2, child->y());
    content_->resize(content_->width() + grow, content_->height());
}

void Window::open()
{
    if (open_) return;
    fitContents();
    stackOverCaller();
    // A form or dialog that its window has not placed itself opens over the window that calls it.
    if (kind_ == WindowKind::Dialog && !content_->testAttribute(Qt::WA_Moved)) centreOverCaller();
    if (LogicalThread* t = Scheduler::instance().find(thread_)) {
        // A nested window blocks only its own thread's other windows.
        t->pushWindow(this);
        enableTopWindowOnly(*t);
    }
    if (kind_ == WindowKind::MdiChild && theMdiArea && !overForm_) {
        Qt::WindowFlags flags = Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        if (resizable_) flags |= Qt::WindowMaximizeButtonHint;
        auto* sub = theMdiArea->addSubWindow(content_, flags);
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->resize(sub->sizeHint().expandedTo(content_->size()));
        top_ = sub;
        registerWidget(sub);
        connect(sub, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates before, Qt::WindowStates now) {
            bool was = before & Qt::WindowActive, is = now & Qt::WindowActive;
            if (was != is) post(is ? EVENT::GainFocus : EVENT::LoseFocus);
        });
    }
    open_ = true;
    if (kind_ != WindowKind::Popup) {  // a popup is popped up where its caller wants it
        topWidget()->show();
        if (kind_ == WindowKind::MdiChild && theMdiArea && top_) keepInsideArea();
        if (!topWidget()->testAttribute(Qt::WA_ShowWithoutActivating)) bringToFront();
    }
    post(EVENT::OpenWindow);
    // the frame's toolbar acts on a thread's top window only
    if (kind_ != WindowKind::Frame) emit ToolbarState::instance().changed(this);
}

void Window::keepInsideArea()
{
    const QRect room = theMdiArea->viewport()->rect();
    if (room.isEmpty()) return;
    top_->resize(top_->size().boundedTo(room.size()));  // never below its minimum size
    QRect r = top_->geometry();
    r.moveLeft(std::max(room.left(), std::min(r.left(), room.right() + 1 - r.width())));
    r.moveTop(std::max(room.top(), std::min(r.top(), room.bottom() + 1 - r.height())));
    top_->move(r.topLeft());
}

void Window::close()
{
    if (!open_) return;
    open_ = false;
    setTimer(0);
    if (QWidget* top = topWidget()) top->hide();
    unstack();
    if (LogicalThread* t = Scheduler::instance().find(thread_)) {
        t->removeWindow(this);
        // the window below takes input again; those under it still wait for it
        enableTopWindowOnly(*t);
        // The window that called this one comes to the front again and takes the focus.
        if (Window* below = t->topWindow()) below->bringToFront();
    }
    if (kind_ != WindowKind::Frame) emit ToolbarState::instance().changed(this);
}

// --- events

void Window::post(int event, int field, int keyCode)
{
    if (event == EVENT::Timer &&
        std::any_of(queue_.begin(), queue_.end(), [](const Event& e) { return e.event == EVENT::Timer; }))
        return;  // timer events do not pile up
    queue_.push_back({event, field, keyCode});
    Scheduler::instance().wake(thread_);
}

Event Window::wait()
{
    Scheduler& scheduler = Scheduler::instance();
    if (scheduler.currentId() != thread_) {
        // It would never be woken: its events wake the window's own thread.
        assert(!"a window waited for on a thread not its own");
        throw std::logic_error("a window waited for on a thread not its own");
    }
    scheduler.waitUntil([this] { return !queue_.empty(); }, id_);
    Event e = queue_.front();
    queue_.pop_front();
    return e;
}

// --- properties

void Window::setTitle(const QString& title) { content_->setWindowTitle(title); }
QString Window::title() const { return content_->windowTitle(); }

void Window::setIcon(const QString& resource) { content_->setWindowIcon(QIcon(resource)); }

void Window::setWallpaper(const QString& resource)
{
    content_->setAutoFillBackground(true);
    QPalette palette = content_->palette();
    palette.setBrush(QPalette::Window, QBrush(QPixmap(resource)));
    content_->setPalette(palette);
}

void Window::setTimer(int hundredths)
{
    if (hundredths <= 0) {
        if (timer_) timer_->stop();
        return;
    }
    if (!timer_) {
        timer_ = new QTimer(this);
        connect(timer_, &QTimer::timeout, this, [this] { post(EVENT::Timer); });
    }
    timer_->start(hundredths * 10);
}

void Window::alertKey(int keyCode) { alerted_.insert(keyCode); }

void Window::setResizable(bool resizable, int minWidthDu, int minHeightDu)
{
    if (minWidthDu > 0 || minHeightDu > 0) content_->setMinimumSize(duX(minWidthDu), duY(minHeightDu));
    resizable_ = resizable;
    if (open_) fitContents();
}

void Window::growToShow(const QWidget& part, int width)
{
    QWidget* top = topWidget();
    const int grow = width - part.width();
    if (!top || grow <= 0) return;
    const QRect room = kind_ == WindowKind::MdiChild && theMdiArea ? theMdiArea->viewport()->rect()
                                                                   : top->screen()->availableGeometry();
    top->resize(std::max(top->width(), std::min(top->width() + grow, room.width())), top->height());
    const int overhang = top->geometry().right() - room.right();
    if (overhang > 0) top->move(std::max(room.left(), top->x() - overhang), top->y());
}

void Window::setToolbarButtons(std::set<int> buttons)
{
    if (buttons == toolbarButtons_) return;
    toolbarButtons_ = std::move(buttons);
    emit ToolbarState::instance().changed(this);
}

bool Window::isInNormalState() const
{
    return !(topWidget()->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void Window::rememberNormalGeometry()
{
    if (isInNormalState()) normalGeometry_ = topWidget()->geometry();
}

WindowPlacement Window::placement() const
{
    QWidget* top = topWidget();
    QRect r = isInNormalState() || !normalGeometry_.isValid() ? top->geometry() : normalGeometry_;
    // an MDI child open over a form keeps its place in the frame's terms, as inside the frame
    if (overForm_ && theMdiArea) r.moveTopLeft(theMdiArea->viewport()->mapFromGlobal(r.topLeft()));
    return {r.x(), r.y(), r.width(), r.height(), top->isMaximized(), top->isMinimized()};
}

void Window::setPlacement(const WindowPlacement& p)
{
    QWidget* top = topWidget();
    if (p.width > 0 && p.height > 0) {
        if (!isInNormalState()) top->showNormal();
        const QPoint at = overForm_ && theMdiArea ? theMdiArea->viewport()->mapToGlobal(QPoint(p.x, p.y)) : QPoint(p.x, p.y);
        // a window of a fixed size takes only the position: a size saved smaller would cut it
        if (resizable_)
            top->setGeometry(at.x(), at.y(), p.width, p.height);
        else
            top->move(at);
        rememberNormalGeometry();
    }
    // A top-level window minimised from maximised keeps both: restored, it is maximised again.
    if (p.maximized && resizable_) top->showMaximized();
    if (p.minimized) top->showMinimized();
}

bool Window::eventFilter(QObject* watched, QEvent* event)
{
    // a popup closes and answers as a menu does
    if ((watched != top_ && watched != content_) || kind_ == WindowKind::Popup) return false;
    switch (event->type()) {
    case QEvent::Close:
        if (open_) {
            // The close box asks the window's thread; the window closes itself when it agrees.
            // Under a nested window it does nothing, as the rest of the window waits.
            event->ignore();
            if (inputEnabled_) post(EVENT::CloseWindow);
            return true;
        }
        return false;
    case QEvent::WindowActivate:
        if (kind_ != WindowKind::MdiChild || !top_) post(EVENT::GainFocus);
        // A window clicked while it waits on a nested one hands the activation on to that one,
        // the only one the user can answer (the keyboard would otherwise reach no window).
        if (!inputEnabled_ && (kind_ == WindowKind::Dialog || overForm_))
            if (LogicalThread* t = Scheduler::instance().find(thread_))
                if (Window* nested = t->topWindow(); nested && nested != this && nested->kind_ != WindowKind::Popup)
                    nested->bringToFront();
        return false;
    case QEvent::WindowDeactivate:
        if (kind_ != WindowKind::MdiChild || !top_) post(EVENT::LoseFocus);
        return false;
    case QEvent::Resize:
    case QEvent::Move:
        if (watched == topWidget()) rememberNormalGeometry();
        if (open_) post(event->type() == QEvent::Resize ? EVENT::Sized : EVENT::Moved);
        return false;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        // Esc closes a list, form or dialog; the frame closes only by its close box, its exit
        // item and the end of the session.
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier && open_ && kind_ != WindowKind::Frame) {
            post(EVENT::CloseWindow);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

}  // namespace ui
