#pragma once
// Drives the windows of one logical thread as a user would, waiting after each step until the
// thread has taken every event: the window on top, buttons, keys and typing.

#include "platform/ui/threads/scheduler.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace test {

class CalledWindow {
public:
    // The window of the thread on top now (a nested form over the list).
    ui::Window* top()
    {
        settle();
        ui::LogicalThread* t = ui::Scheduler::instance().find(thread);
        return t ? t->topWindow() : nullptr;
    }
    bool ended() { return waitEnded(thread); }

    void settle()
    {
        for (int i = 0; i < 3; ++i) {
            pump(5);
            pumpUntil([&] {
                const ui::Scheduler& s = ui::Scheduler::instance();
                return !s.isRunning(thread) || ui::isWaitingIdle(thread);
            });
        }
    }
    void press(ui::Window* w, int control)
    {
        static_cast<QPushButton*>(w->control(control)->widget())->click();
        settle();
    }
    void key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(w, k, m);
        settle();
    }
    // Characters typed one by one (QTest's key clicks know only Latin-1).
    void type(QWidget* w, const QString& text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
        settle();
    }
    // Types over an entry's text, as a user who selects it all first.
    void retype(ui::Window* w, int control, const QString& text)
    {
        auto* edit = qobject_cast<QLineEdit*>(w->control(control)->widget());
        edit->setFocus();
        edit->selectAll();
        edit->del();
        type(edit, text);
    }
    QString text(ui::Window* w, int control) { return w->control(control)->text().trimmed(); }

    ui::ThreadId thread = 0;
};

}  // namespace test
