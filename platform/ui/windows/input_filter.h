#pragma once
// What the program sees of the keyboard and the mouse before any control does: the three key
// aliases of every window (Ctrl+Insert as Ctrl+C, Shift+Insert as Ctrl+V, Shift+Delete as
// Ctrl+X), the keys a window has alerted, which become EVENT:AlertKey of that window, and Alt
// with a character, which no entry takes as text.

#include <QObject>
#include <QPointF>

#include <tuple>

class QKeyEvent;

namespace ui {

// The platform key code of a key press (virtual-key code with the modifier bits), 0 for keys
// without one.
int keyCodeOf(const QKeyEvent& key);

class InputFilter : public QObject {
public:
    // Installs the one filter on the application (idempotent).
    static void install();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::tuple<int, unsigned long long, int, QPointF> lastClick_{};
};

}  // namespace ui
