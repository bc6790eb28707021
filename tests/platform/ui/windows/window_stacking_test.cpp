// A window opened over another of its thread is in front of it and active; when it closes, the
// window it was opened over is in front and active again, with the focus where it was, also
// beside the frame's other MDI children.
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

// An MDI child with an entry, open until `end`; while `callForm` it opens a form over itself
// until `closeForm`.
struct Child {
    ui::Window* window = nullptr;
    ui::Window* form = nullptr;
    QLineEdit* entry = nullptr;
    bool callForm = false, closeForm = false, end = false;

    void run(const QString& title)
    {
        ui::Window w(ui::WindowKind::MdiChild, title, 120, 60);
        auto* layout = new QVBoxLayout(w.content());
        entry = ui::newEntry(10);
        layout->addWidget(entry);
        w.add(ui::CREATE::Entry, "?ENTRY", entry);
        w.open();
        window = &w;
        while (!end) {
            w.wait();
            if (!callForm) continue;
            callForm = false;
            ui::Window f(ui::WindowKind::Dialog, "Форма", 80, 40);
            f.open();
            form = &f;
            while (!closeForm) f.wait();
            f.close();
            form = nullptr;
        }
        w.close();
    }
    void wake() const { window->post(EVENT::Timer); }
};

TEST(WindowStacking, AFormCalledFromAnMdiChildHandsTheFrontBackToIt)
{
    QMainWindow frame;
    auto* area = new QMdiArea;
    frame.setCentralWidget(area);
    frame.resize(800, 600);
    frame.show();
    ui::Window::setMdiArea(area);
    Child other, list;
    const ui::ThreadId b = test::start([&] { other.run("Справочник"); });
    ASSERT_TRUE(test::pumpUntil([&] { return other.window != nullptr; }));
    const ui::ThreadId a = test::start([&] { list.run("Список смет"); });
    ASSERT_TRUE(test::pumpUntil([&] { return list.window != nullptr; }));
    auto* listSub = qobject_cast<QMdiSubWindow*>(list.window->topWidget());
    ASSERT_TRUE(listSub);
    list.entry->setFocus();
    ASSERT_TRUE(test::pumpUntil([&] { return area->activeSubWindow() == listSub && list.entry->hasFocus(); }));

    list.callForm = true;
    list.wake();
    ASSERT_TRUE(test::pumpUntil([&] { return list.form != nullptr; }));
    EXPECT_TRUE(test::pumpUntil([&] { return QApplication::activeWindow() == list.form->topWidget(); }));
    EXPECT_EQ(list.form->topWidget()->windowHandle()->transientParent(), frame.windowHandle());
    EXPECT_FALSE(listSub->isEnabled());

    list.closeForm = true;
    list.form->post(EVENT::Timer);
    ASSERT_TRUE(test::pumpUntil([&] { return list.form == nullptr; }));
    EXPECT_TRUE(test::pumpUntil([&] { return QApplication::activeWindow() == &frame; }));
    // not the other child, which the focus would have gone to as the list was disabled
    EXPECT_TRUE(test::pumpUntil([&] { return area->activeSubWindow() == listSub; }));
    EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder).back(), listSub);
    EXPECT_TRUE(list.entry->hasFocus());

    list.end = other.end = true;
    list.wake();
    other.wake();
    EXPECT_TRUE(test::waitEnded(a));
    EXPECT_TRUE(test::waitEnded(b));
    ui::Window::setMdiArea(nullptr);
}

}  // namespace
