#include "platform/ui/threads/scheduler.h"

#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTableView>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using ui::Scheduler;

TEST(Scheduler, StartedProcedureRunsOnlyAfterTheStarterWaits)
{
    std::vector<std::string> order;
    ui::ThreadId child = 0;
    ui::ThreadId parent = test::start([&] {
        order.push_back("parent starts child");
        child = Scheduler::instance().start([&] { order.push_back("child runs"); });
        order.push_back("parent goes on");
        ui::Window w(ui::WindowKind::Dialog, "parent", 50, 20);
        w.open();
        w.wait();  // the OpenWindow event: the child runs after this wait at the latest
        order.push_back("parent waited");
        w.close();
    });
    ASSERT_GT(parent, 0);
    ASSERT_TRUE(test::waitEnded(parent));
    ASSERT_TRUE(test::waitEnded(child));
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], "parent starts child");
    EXPECT_EQ(order[1], "parent goes on");
    EXPECT_GT(child, parent);
}

TEST(Scheduler, IdsCountUpAndPostsToEndedThreadsAreDropped)
{
    ui::ThreadId first = test::start([] {});
    ASSERT_TRUE(test::waitEnded(first));
    ui::ThreadId second = test::start([] {});
    EXPECT_GT(second, first);
    ASSERT_TRUE(test::waitEnded(second));
    ui::post(first, EVENT::CloseWindow);  // nothing there any more: dropped, nothing happens
    test::pump(10);
}

TEST(Scheduler, NestedWindowBlocksOnlyItsOwnThread)
{
    // B closes while A's form is still open, or A's form and A close while B is open
    for (bool formFirst : {false, true}) {
        bool closeA = false, closeB = false;
        ui::Window* outerA = nullptr;
        ui::Window* nestedA = nullptr;
        ui::Window* windowB = nullptr;
        ui::ThreadId a = test::start([&] {
            ui::Window outer(ui::WindowKind::Dialog, "A", 80, 40);
            outer.open();
            outerA = &outer;
            ui::Window nested(ui::WindowKind::Dialog, "A form", 60, 30);
            nested.open();
            nestedA = &nested;
            while (nested.wait().event != EVENT::CloseWindow) {
            }
            nested.close();
            nestedA = nullptr;
            while (!closeA) outer.wait();
            outer.close();
            outerA = nullptr;
        });
        ui::ThreadId b = test::start([&] {
            ui::Window w(ui::WindowKind::Dialog, "B", 80, 40);
            w.open();
            windowB = &w;
            while (!closeB) w.wait();
            w.close();
            windowB = nullptr;
        });
        ASSERT_TRUE(test::pumpUntil([&] { return nestedA && windowB; }));
        EXPECT_FALSE(outerA->topWidget()->isEnabled());
        EXPECT_TRUE(nestedA->topWidget()->isEnabled());
        EXPECT_TRUE(windowB->topWidget()->isEnabled());

        auto closeThreadB = [&] {
            closeB = true;
            windowB->post(EVENT::Timer);
            ASSERT_TRUE(test::waitEnded(b));
        };
        if (!formFirst) closeThreadB();
        ASSERT_TRUE(nestedA);
        nestedA->post(EVENT::CloseWindow);
        ASSERT_TRUE(test::pumpUntil([&] { return nestedA == nullptr; }));
        EXPECT_TRUE(outerA->topWidget()->isEnabled());
        if (formFirst) {
            EXPECT_TRUE(windowB->topWidget()->isEnabled());
        }
        closeA = true;
        outerA->post(EVENT::Timer);
        EXPECT_TRUE(test::waitEnded(a));
        if (formFirst) closeThreadB();
    }
}

TEST(Scheduler, ClosingANestedWindowEnablesOnlyTheWindowBelowIt)
{
    // a list, its form and the form's message: each window waits for the one above it
    std::vector<ui::Window*> open;
    int toClose = 0;
    ui::ThreadId t = test::start([&] {
        ui::Window list(ui::WindowKind::Dialog, "list", 80, 40);
        ui::Window form(ui::WindowKind::Dialog, "form", 60, 30);
        ui::Window message(ui::WindowKind::Dialog, "message", 40, 20);
        for (ui::Window* w : {&list, &form, &message}) {
            w->open();
            open.push_back(w);
        }
        while (!open.empty()) {
            if (toClose) {
                open.back()->close();
                open.pop_back();
                --toClose;
            }
            if (!open.empty()) open.back()->wait();
        }
    });
    ASSERT_TRUE(test::pumpUntil([&] { return open.size() == 3; }));
    auto enabled = [&](std::size_t i) { return open[i]->topWidget()->isEnabled(); };
    EXPECT_FALSE(enabled(0));
    EXPECT_FALSE(enabled(1));
    EXPECT_TRUE(enabled(2));

    toClose = 1;
    open.back()->post(EVENT::Timer);
    ASSERT_TRUE(test::pumpUntil([&] { return open.size() == 2; }));
    EXPECT_FALSE(enabled(0));  // the form is still open over the list
    EXPECT_TRUE(enabled(1));

    toClose = 1;
    open.back()->post(EVENT::Timer);
    ASSERT_TRUE(test::pumpUntil([&] { return open.size() == 1; }));
    EXPECT_TRUE(enabled(0));

    toClose = 1;
    open.back()->post(EVENT::Timer);
    EXPECT_TRUE(test::waitEnded(t));
}

TEST(Scheduler, AWindowUnderANestedOneTakesNoInput)
{
    // a list window with the wheel add-on, under a form; what reaches it meanwhile is kept
    ui::Window* list = nullptr;
    ui::Window* form = nullptr;
    QWidget* viewport = nullptr;
    std::vector<int> events;
    bool done = false;
    ui::ThreadId t = test::start([&] {
        ui::Window outer(ui::WindowKind::Dialog, "list", 120, 80);
        ui::Control& c = ui::AddBrowseList(outer, "?BROWSE", 1);
        c.widget()->resize(outer.content()->size());
        viewport = static_cast<ui::BrowseList*>(c.widget())->view()->viewport();
        outer.alertKey(KEY::MouseLeft);
        ui::vsMouseWheelClass wheel;
        outer.open();
        wheel.Attach(outer);
        ui::Window nested(ui::WindowKind::Dialog, "form", 60, 30);
        nested.open();
        list = &outer;
        form = &nested;
        while (nested.wait().event != EVENT::CloseWindow) {
        }
        nested.close();
        form = nullptr;
        while (!done) events.push_back(outer.wait().event);
        wheel.Detach();
        outer.close();
    });
    ASSERT_TRUE(test::pumpUntil([&] { return form != nullptr; }));
    ASSERT_FALSE(list->topWidget()->isEnabled());

    const QPointF at(10, 10);
    const QPointF global = viewport->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QWheelEvent wheel(at, global, {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    list->topWidget()->close();  // the close box
    test::pump(20);

    form->post(EVENT::CloseWindow);
    ASSERT_TRUE(test::pumpUntil([&] { return form == nullptr; }));
    done = true;
    list->post(EVENT::Timer);
    ASSERT_TRUE(test::waitEnded(t));
    for (int e : events)
        EXPECT_TRUE(e != EVENT::AlertKey && e != EVENT::ScrollDown && e != EVENT::CloseWindow) << std::hex << e;
}

TEST(Scheduler, ANestedWindowOpensOverItsCallerUnlessItPlacedItself)
{
    QPoint callerCentre, formCentre, atCorner, placedAt;
    ui::ThreadId t = test::start([&] {
        ui::Window list(ui::WindowKind::Dialog, "list", 200, 120);
        list.content()->move(40, 60);
        list.open();
        callerCentre = list.content()->geometry().center();
        ui::Window form(ui::WindowKind::Dialog, "form", 80, 40);
        form.open();
        formCentre = form.content()->geometry().center();
        form.close();
        list.content()->move(0, 0);  // at the screen's corner the form stays on the screen
        ui::Window wide(ui::WindowKind::Dialog, "wide", 400, 240);
        wide.open();
        atCorner = wide.content()->pos();
        wide.close();
        ui::Window placed(ui::WindowKind::Dialog, "placed", 80, 40);
        placed.content()->move(300, 20);
        placed.open();
        placedAt = placed.content()->pos();
        placed.close();
        list.close();
    });
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_LE((formCentre - callerCentre).manhattanLength(), 4);  // rounding of odd sizes
    EXPECT_GE(atCorner.x(), 0);
    EXPECT_GE(atCorner.y(), 0);
    EXPECT_EQ(placedAt, QPoint(300, 20));
}

TEST(Scheduler, AnEscapingExceptionGoesToTheHandler)
{
    std::string what;
    auto previous = Scheduler::instance().setOnEscapedException([&](const char* w) { what = w; });
    ui::ThreadId t = test::start([] { throw std::runtime_error("broken window"); });
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_EQ(what, "broken window");
    Scheduler::instance().setOnEscapedException(previous);
}

TEST(SchedulerDeathTest, WithoutAHandlerAnEscapingExceptionEndsTheProgramAsAFatalErrorDoes)
{
    EXPECT_EXIT(
        {
            Scheduler::instance().setOnEscapedException(nullptr);
            test::start([] { throw std::runtime_error("broken window"); });
            test::pump(2000);
        },
        ::testing::ExitedWithCode(EXIT_FAILURE), "broken window");
}

TEST(Scheduler, AThreadWokenWhileAnotherRunsQtsLoopNestedStillRuns)
{
    ui::Window* windowB = nullptr;
    std::vector<int> taken;
    bool done = false;
    ui::ThreadId b = test::start([&] {
        ui::Window w(ui::WindowKind::Dialog, "B", 40, 20);
        w.open();
        windowB = &w;
        while (!done) taken.push_back(w.wait().event);
        w.close();
    });
    ASSERT_TRUE(test::pumpUntil([&] { return windowB && ui::isWaitingIdle(b); }));
    taken.clear();
    // A wakes B, then runs the turn of the scheduler nested (as processEvents does) and ends.
    ui::ThreadId a = test::start([&] {
        windowB->post(EVENT::Timer);
        QCoreApplication::processEvents();
    });
    ASSERT_TRUE(test::waitEnded(a));
    EXPECT_TRUE(test::pumpUntil([&] { return taken == std::vector<int>{EVENT::Timer}; }, 1000));
    windowB->post(EVENT::User);  // and later wakes are not dropped
    EXPECT_TRUE(test::pumpUntil([&] { return taken.size() == 2; }, 1000));
    done = true;
    windowB->post(EVENT::Timer);
    EXPECT_TRUE(test::waitEnded(b));
}

TEST(Scheduler, WaitingForTheWindowOfAnotherThreadFailsLoudly)
{
#ifndef NDEBUG
    GTEST_SKIP() << "an assertion in debug builds";
#else
    std::string what;
    auto previous = Scheduler::instance().setOnEscapedException([&](const char* w) { what = w; });
    ui::Window* windowA = nullptr;
    bool done = false;
    ui::ThreadId a = test::start([&] {
        ui::Window w(ui::WindowKind::Dialog, "A", 40, 20);
        w.open();
        windowA = &w;
        while (!done) w.wait();
        w.close();
    });
    ASSERT_TRUE(test::pumpUntil([&] { return windowA != nullptr; }));
    ui::ThreadId b = test::start([&] { windowA->wait(); });
    EXPECT_TRUE(test::waitEnded(b, 1000));  // never parked for good
    EXPECT_NE(what.find("not its own"), std::string::npos) << what;
    done = true;
    windowA->post(EVENT::Timer);
    EXPECT_TRUE(test::waitEnded(a));
    Scheduler::instance().setOnEscapedException(previous);
#endif
}

}  // namespace
