#include "platform/ui/windows/input_filter.h"

#include "platform/ui/windows/window.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace ui {

int keyCodeOf(const QKeyEvent& key)
{
    int code = 0;
    const int k = key.key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        code = 'A' + (k - Qt::Key_A);
    else if (k >= Qt::Key_0 && k <= Qt::Key_9)
        code = '0' + (k - Qt::Key_0);
    else if (k >= Qt::Key_F1 && k <= Qt::Key_F12)
        code = KEY::F1 + (k - Qt::Key_F1);
    else {
        switch (k) {
        case Qt::Key_Backspace: code = KEY::Backspace; break;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: code = KEY::Tab; break;
        case Qt::Key_Return:
        case Qt::Key_Enter: code = KEY::Enter; break;
        case Qt::Key_Escape: code = KEY::Esc; break;
        case Qt::Key_Space: code = KEY::Space; break;
        case Qt::Key_PageUp: code = KEY::PageUp; break;
        case Qt::Key_PageDown: code = KEY::PageDown; break;
        case Qt::Key_End: code = KEY::End; break;
        case Qt::Key_Home: code = KEY::Home; break;
        case Qt::Key_Left: code = KEY::Left; break;
        case Qt::Key_Up: code = KEY::Up; break;
        case Qt::Key_Right: code = KEY::Right; break;
        case Qt::Key_Down: code = KEY::Down; break;
        case Qt::Key_Insert: code = KEY::Insert; break;
        case Qt::Key_Delete: code = KEY::Delete; break;
        case Qt::Key_Menu: code = KEY::AppsKey; break;
        default: return 0;
        }
    }
    Qt::KeyboardModifiers m = key.modifiers();
    if (m & Qt::ShiftModifier || k == Qt::Key_Backtab) code |= KEY::Shift;
    if (m & Qt::ControlModifier) code |= KEY::Ctrl;
    if (m & Qt::AltModifier) code |= KEY::Alt;
    return code;
}

void InputFilter::install()
{
    static InputFilter* filter = nullptr;
    if (filter || !qApp) return;
    filter = new InputFilter;
    qApp->installEventFilter(filter);
}

namespace {

// The alias of a key, or 0: the alias is what the control receives instead.
int aliasOf(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers m = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_Insert && m == Qt::ControlModifier) return Qt::Key_C;
    if (key.key() == Qt::Key_Insert && m == Qt::ShiftModifier) return Qt::Key_V;
    if (key.key() == Qt::Key_Delete && m == Qt::ShiftModifier) return Qt::Key_X;
    return 0;
}

// Alt with a character key is a command (a menu's or a button's shortcut), never text: one that
// no shortcut took, as that of a disabled menu item, does nothing rather than type its letter.
bool isUntakenCommand(const QWidget& widget, const QKeyEvent& key)
{
    const Qt::KeyboardModifiers m = key.modifiers();
    if (!(m & Qt::AltModifier) || (m & Qt::ControlModifier) || key.text().isEmpty() || !key.text().front().isPrint())
        return false;
    return qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QAbstractSpinBox*>(&widget) ||
           qobject_cast<const QPlainTextEdit*>(&widget) || qobject_cast<const QTextEdit*>(&widget);
}

int mouseKeyOf(const QMouseEvent& mouse, bool doubleClick)
{
    switch (mouse.button()) {
    case Qt::LeftButton: return doubleClick ? KEY::MouseLeft2 : KEY::MouseLeft;
    case Qt::RightButton: return doubleClick ? KEY::MouseRight2 : KEY::MouseRight;
    case Qt::MiddleButton: return KEY::MouseCenter;
    default: return 0;
    }
}

}  // namespace

bool InputFilter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonDblClick)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // A disabled window (one under a nested window) takes no input; Qt drops it after the filters.
    if (!widget || !widget->isEnabled()) return false;

    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (int alias = aliasOf(*key)) {
            if (type == QEvent::KeyPress) {
                QKeyEvent press(QEvent::KeyPress, alias, Qt::ControlModifier);
                QApplication::sendEvent(widget, &press);
            }
            return true;
        }
        if (type != QEvent::KeyPress) return false;
        Window* w = Window::of(widget);
        int code = keyCodeOf(*key);
        if (w && code) w->setLastKeyCode(code);
        if (w && code && w->isAlerted(code)) {
            w->post(EVENT::AlertKey, w->focusedControl(), code);
            return true;
        }
        return isUntakenCommand(*widget, *key);
    }
    // Mouse keys reach the window as alerted keys as well, and go on to the control. A click
    // that the widgets pass on to their parents is seen once.
    auto* mouse = static_cast<QMouseEvent*>(event);
    const auto click = std::make_tuple(int(type), static_cast<unsigned long long>(mouse->timestamp()), int(mouse->button()),
                                       mouse->globalPosition());
    if (click == lastClick_) return false;
    lastClick_ = click;
    Window* w = Window::of(widget);
    if (!w) return false;
    int code = mouseKeyOf(*mouse, type == QEvent::MouseButtonDblClick);
    if (code) w->setLastKeyCode(code);
    if (code && w->isAlerted(code)) w->post(EVENT::AlertKey, 0, code);
    return false;
}

}  // namespace ui
