// The about and splash windows: both show the build number and close on their timer, on a
// left or right click or a left double click, when they lose the focus and when asked to; the
// middle button leaves them open.
#include "app/program/program_resources.h"
#include "app/windows/about_window.h"
#include "tests/support/ui_driver.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Variant = AboutWindow::Variant;

struct AboutWindowTest : ::testing::TestWithParam<Variant> {
    AboutWindowTest() { loadProgramResources(); }

    // The window procedure as the frame starts it.
    ui::Window* open()
    {
        thread = test::start(GetParam() == Variant::About ? ShowAbout : HelloScreen);
        return test::waitWindow(thread);
    }
    ui::Window* openWithTimer(int hundredths)
    {
        thread = test::start([variant = GetParam(), hundredths] { AboutWindow(variant, hundredths).Run(); });
        return test::waitWindow(thread);
    }
    bool stillOpenAfterAWhile()
    {
        test::pump(150);
        return ui::Scheduler::instance().isRunning(thread);
    }
    // A mouse key as the window system reports it (each with a time of its own).
    static void mouse(ui::Window* w, QEvent::Type type, Qt::MouseButton button)
    {
        static unsigned long long time = 1000;
        const QPointF at(10, 10);
        QMouseEvent event(type, at, w->content()->mapToGlobal(at), button, button, Qt::NoModifier);
        event.setTimestamp(time += 1000);
        QApplication::sendEvent(w->content(), &event);
    }

    ui::ThreadId thread = 0;
};

TEST_P(AboutWindowTest, ShowsTheBuildNumberWithoutATitle)
{
    ui::Window* w = open();
    ASSERT_TRUE(w);
    const QString build = GetParam() == Variant::About ? "?LOC:BUILD" : "?BUILD";
    EXPECT_EQ(w->control(build)->text().trimmed(), "20091016");
    EXPECT_TRUE(w->topWidget()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(static_cast<QLabel*>(w->control("?IMAGE1")->widget())->pixmap().isNull());
    ui::post(thread, EVENT::CloseWindow);  // as the frame closes the splash
    EXPECT_TRUE(test::waitEnded(thread));
}

TEST_P(AboutWindowTest, ClosesOnTheLeftAndRightButtonsAndTheLeftDoubleClick)
{
    const std::pair<QEvent::Type, Qt::MouseButton> keys[] = {
        {QEvent::MouseButtonPress, Qt::LeftButton},
        {QEvent::MouseButtonPress, Qt::RightButton},
        {QEvent::MouseButtonDblClick, Qt::LeftButton},
    };
    for (const auto& [type, button] : keys) {
        ui::Window* w = open();
        ASSERT_TRUE(w);
        mouse(w, type, button);
        EXPECT_TRUE(test::waitEnded(thread, 2000)) << type << " " << button;
    }
}

TEST_P(AboutWindowTest, TheMiddleButtonLeavesItOpen)
{
    ui::Window* w = open();
    ASSERT_TRUE(w);
    mouse(w, QEvent::MouseButtonPress, Qt::MiddleButton);
    EXPECT_TRUE(stillOpenAfterAWhile());
    ui::post(thread, EVENT::CloseWindow);
    EXPECT_TRUE(test::waitEnded(thread));
}

TEST_P(AboutWindowTest, ClosesWhenAnotherWindowIsActivated)
{
    ui::Window* w = open();
    ASSERT_TRUE(w);
    ASSERT_TRUE(test::pumpUntil([&] { return QApplication::activeWindow() == w->topWidget(); }));
    QWidget other;
    other.show();
    other.activateWindow();
    EXPECT_TRUE(test::waitEnded(thread, 2000));
}

TEST_P(AboutWindowTest, ClosesOnItsTimer)
{
    ui::Window* w = openWithTimer(5);
    ASSERT_TRUE(w);
    EXPECT_TRUE(test::waitEnded(thread, 2000));
}

// Over the frame, as the program shows it: it takes the focus once the frame has it, the frame's
// menu keys work while it has it, and the frame taking the focus back closes it.
TEST(SplashOverTheFrame, TakesTheFocusFromTheFrameAndLeavesTheFramesMenuKeysWorking)
{
    loadProgramResources();
    QMainWindow frame;
    auto* area = new QMdiArea;
    frame.setCentralWidget(area);
    QAction* exit = frame.menuBar()->addMenu(QStringLiteral("&Файл"))->addAction(QStringLiteral("В&ыход"));
    exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    int exits = 0;
    QObject::connect(exit, &QAction::triggered, [&exits] { ++exits; });
    ui::Window::setMdiArea(area);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(test::pumpUntil([&] { return frame.isActiveWindow(); }));

    const ui::ThreadId thread = test::start(HelloScreen);
    ui::Window* splash = test::waitWindow(thread);
    ASSERT_TRUE(splash);
    ASSERT_TRUE(test::pumpUntil([&] { return QApplication::activeWindow() == splash->topWidget(); }));
    QTest::keyClick(splash->topWidget(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(exits, 1);
    test::pump(50);
    EXPECT_TRUE(ui::Scheduler::instance().isRunning(thread));

    frame.activateWindow();
    EXPECT_TRUE(test::waitEnded(thread, 2000));
    ui::Window::setMdiArea(nullptr);
}

INSTANTIATE_TEST_SUITE_P(BothVariants, AboutWindowTest, ::testing::Values(Variant::About, Variant::Splash),
                         [](const auto& info) { return info.param == Variant::About ? "ShowAbout" : "HelloScreen"; });

}  // namespace
