// The position a window keeps in the settings file is its normal one, with its state beside it:
// reopened there, a window closed minimised or maximised returns to its normal size when
// restored.
#include "platform/core/settings_manager.h"
#include "platform/ui/windows/window.h"
#include "tests/support/temp_workdir.h"
#include "tests/support/ui_driver.h"

#include <QMainWindow>
#include <QMdiArea>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Closing {
    const char* name;
    ui::WindowKind kind;
    std::vector<Qt::WindowState> states;  // the states the window passes through before it closes
    bool maximized;
    bool minimized;
};

std::ostream& operator<<(std::ostream& out, const Closing& c) { return out << c.name; }

class WindowPlacement_ : public ::testing::TestWithParam<Closing> {
protected:
    WindowPlacement_()
    {
        frame.setCentralWidget(area);
        frame.resize(1000, 800);
        frame.show();
        ui::Window::setMdiArea(area);
        settings.Init(".\\tolvex.ini");
    }
    ~WindowPlacement_() override
    {
        settings.Kill();
        ui::Window::setMdiArea(nullptr);
    }

    test::TempWorkDir dir;
    QMainWindow frame;
    QMdiArea* area = new QMdiArea;
    SettingsManager settings;
};

void enter(QWidget* top, Qt::WindowState state)
{
    if (state == Qt::WindowMaximized) top->showMaximized();
    if (state == Qt::WindowMinimized) top->showMinimized();
    if (state == Qt::WindowNoState) top->showNormal();
    test::pump();
}

TEST_P(WindowPlacement_, TheNormalGeometryIsSavedAndRestoredWithTheState)
{
    const Closing& c = GetParam();
    const QRect normal(30, 40, 420, 260);
    {
        ui::Window window(c.kind, "Единицы Измерения", 100, 60);
        window.open();
        test::pump();
        window.topWidget()->setGeometry(normal);  // as the user leaves it
        test::pump();
        for (Qt::WindowState state : c.states) enter(window.topWidget(), state);
        settings.SaveWindow("Units", window.placement());
        window.close();
    }
    EXPECT_EQ(settings.Fetch("Units", "XPos"), "30");
    EXPECT_EQ(settings.Fetch("Units", "YPos"), "40");
    EXPECT_EQ(settings.Fetch("Units", "Width"), "420");
    EXPECT_EQ(settings.Fetch("Units", "Height"), "260");
    EXPECT_EQ(settings.Fetch("Units", "Maximize"), c.maximized ? "Yes" : "No");
    EXPECT_EQ(settings.Fetch("Units", "Minimize"), c.minimized ? "Yes" : "No");

    ui::Window window(c.kind, "Единицы Измерения", 100, 60);
    window.open();
    WindowPlacement saved;
    ASSERT_TRUE(settings.RestoreWindow("Units", saved));
    window.setPlacement(saved);
    test::pump();
    QWidget* top = window.topWidget();
    EXPECT_EQ(top->isMaximized(), c.maximized);
    EXPECT_EQ(top->isMinimized(), c.minimized);
    const WindowPlacement reopened = window.placement();
    EXPECT_EQ(QRect(reopened.x, reopened.y, reopened.width, reopened.height), normal);

    enter(top, Qt::WindowNoState);
    EXPECT_EQ(top->geometry(), normal);
    window.close();
}

using ui::WindowKind;
INSTANTIATE_TEST_SUITE_P(
    Closed, WindowPlacement_,
    ::testing::Values(
        Closing{"ChildNormal", WindowKind::MdiChild, {}, false, false},
        Closing{"ChildMaximised", WindowKind::MdiChild, {Qt::WindowMaximized}, true, false},
        Closing{"ChildMinimised", WindowKind::MdiChild, {Qt::WindowMinimized}, false, true},
        Closing{"ChildMaximisedThenMinimised", WindowKind::MdiChild, {Qt::WindowMaximized, Qt::WindowMinimized},
                false, true},
        Closing{"ChildRestoredThenMaximised", WindowKind::MdiChild,
                {Qt::WindowMinimized, Qt::WindowNoState, Qt::WindowMaximized}, true, false},
        Closing{"DialogNormal", WindowKind::Dialog, {}, false, false},
        Closing{"DialogMaximised", WindowKind::Dialog, {Qt::WindowMaximized}, true, false},
        Closing{"DialogMinimised", WindowKind::Dialog, {Qt::WindowMinimized}, false, true},
        // a top-level window minimised from maximised is maximised again when restored
        Closing{"DialogMaximisedThenMinimised", WindowKind::Dialog, {Qt::WindowMaximized, Qt::WindowMinimized},
                true, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
