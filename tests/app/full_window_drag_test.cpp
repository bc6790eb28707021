#include "app/program/full_window_drag.h"

#include "platform/ui/windows/window.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace {

bool outlined(const QMdiSubWindow* sub)
{
    return sub->testOption(QMdiSubWindow::RubberBandMove) && sub->testOption(QMdiSubWindow::RubberBandResize);
}

bool opaque(const QMdiSubWindow* sub)
{
    return !sub->testOption(QMdiSubWindow::RubberBandMove) && !sub->testOption(QMdiSubWindow::RubberBandResize);
}

// The frame's area, as the program registers it.
struct FullWindowDrag : ::testing::Test {
    FullWindowDrag()
    {
        ui::Window::setMdiArea(&area);
        area.show();
    }
    ~FullWindowDrag() override
    {
        setDragFullWindows(1);
        ui::Window::setMdiArea(nullptr);
    }
    QMdiSubWindow* addChild(QMdiArea& to)
    {
        QMdiSubWindow* sub = to.addSubWindow(new QWidget);
        sub->show();
        return sub;
    }
    QMdiArea area;
};

TEST_F(FullWindowDrag, StartsOnAndSwitchesTheOpenChildren)
{
    int value = -1;
    ASSERT_TRUE(getDragFullWindows(value));
    EXPECT_EQ(value, 1);
    QMdiSubWindow* child = addChild(area);
    EXPECT_TRUE(opaque(child));

    setDragFullWindows(0);
    ASSERT_TRUE(getDragFullWindows(value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(outlined(child));

    setDragFullWindows(1);
    ASSERT_TRUE(getDragFullWindows(value));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(opaque(child));
}

TEST_F(FullWindowDrag, ChildrenAddedWhileOffMoveAsAnOutline)
{
    setDragFullWindows(0);
    EXPECT_TRUE(outlined(addChild(area)));
    QMdiArea elsewhere;  // not the frame's
    EXPECT_TRUE(opaque(addChild(elsewhere)));
    setDragFullWindows(1);
    EXPECT_TRUE(opaque(addChild(area)));
}

}  // namespace
