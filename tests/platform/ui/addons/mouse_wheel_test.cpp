#include "platform/ui/addons/mouse_wheel.h"

#include "platform/ui/addons/wheel_message.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using ui::CREATE::Button;
using ui::CREATE::Entry;
using ui::CREATE::List;

// A window with controls placed side by side.
class WheelWindow {
public:
    WheelWindow() : window(ui::WindowKind::Dialog, "wheel", 400, 200) {}

    template <class W>
    W* add(int type, int number, int x)
    {
        auto* w = new W(window.content());
        w->setGeometry(x, 10, 90, 120);
        window.add(type, QString("?C%1").arg(number), w, number);
        return w;
    }

    QListWidget* addList(int number, int x, int current = 2)
    {
        auto* list = add<QListWidget>(List, number, x);
        for (int i = 0; i < 5; ++i) list->addItem(QString("row %1").arg(i));
        list->setCurrentRow(current);
        return list;
    }

    void open()
    {
        window.open();
        ASSERT_TRUE(test::pumpUntil([&] { return window.content()->isVisible(); }));
    }

    // Drains the events the add-on posted.
    std::vector<ui::Event> events()
    {
        std::vector<ui::Event> taken;
        while (window.hasEvents()) {
            ui::Event e = window.wait();
            if (EVENT::isFieldEvent(e.event)) taken.push_back(e);
        }
        return taken;
    }

    ui::Window window;
};

void pointAt(QWidget* w) { QCursor::setPos(w->mapToGlobal(w->rect().center())); }

// Turns the wheel over the widget as Qt delivers it (to a list's viewport).
void turn(QWidget* w, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = w;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) target = area->viewport();
    const QPointF local = target->rect().center();
    QWheelEvent wheel(local, target->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

int count(const std::vector<ui::Event>& events, int event, int field)
{
    int n = 0;
    for (const ui::Event& e : events) n += e.event == event && e.field == field;
    return n;
}

TEST(MouseWheel, WindowWithoutEligibleControlsStaysUnattached)
{
    WheelWindow w;
    w.add<QLineEdit>(Entry, 1, 10);
    w.add<QPushButton>(Button, 2, 110);
    w.open();
    ui::vsMouseWheelClass wheel;
    wheel.Attach(w.window);
    EXPECT_FALSE(wheel.ISWINDOW);
    EXPECT_TRUE(wheel.TARGETQ.empty());
    EXPECT_FALSE(w.window.property("vsMouseWheelClass").isValid());
    EXPECT_FALSE(ui::MouseWheelWndProc(w.window, ui::WM_MOUSEWHEEL, ui::wheelWParam(120)));
}

TEST(MouseWheel, EachNotchOverAPlainListMovesOneRowAndPostsNewSelection)
{
    struct Case {
        int current;
        int delta;
        int row;
    } cases[] = {
        {2, -240, 4},  // two notches towards the user: two rows down
        {2, 240, 0},
        {4, -240, 4},  // the last row stays, NewSelection still comes per notch
        {0, 120, 0},
        {-1, -120, 0},  // without a current row the first one is taken
    };
    for (const Case& c : cases) {
        WheelWindow w;
        w.add<QLineEdit>(Entry, 1, 10);
        QListWidget* list = w.addList(3, 110, c.current);
        w.open();
        ui::vsMouseWheelClass wheel;
        wheel.Attach(w.window);
        ASSERT_TRUE(wheel.ISWINDOW);
        EXPECT_EQ(wheel.TARGETQ, std::vector<int>{3});
        w.events();
        w.window.setLastKeyCode(KEY::MouseLeft);
        pointAt(list);
        turn(list, c.delta);
        EXPECT_EQ(list->currentRow(), c.row) << c.current << " " << c.delta;
        auto events = w.events();
        EXPECT_EQ(count(events, EVENT::NewSelection, 3), std::abs(c.delta) / 120) << c.current << " " << c.delta;
        EXPECT_EQ(events.size(), std::size_t(std::abs(c.delta) / 120));
        EXPECT_EQ(w.window.lastKeyCode(), 0);
    }
}

TEST(MouseWheel, ImmediateListsAndImagesGetScrollEventsPerNotch)
{
    for (int type : {List, ui::CREATE::Image}) {
        WheelWindow w;
        QListWidget* list = w.addList(4, 10);
        w.window.control(4)->immediate = true;
        auto* image = w.add<QLabel>(ui::CREATE::Image, 5, 110);
        QWidget* target = type == List ? static_cast<QWidget*>(list) : image;
        const int number = type == List ? 4 : 5;
        w.open();
        ui::vsMouseWheelClass wheel;
        wheel.Attach(w.window);
        w.events();
        pointAt(target);
        turn(target, 120);
        turn(target, -240);
        auto events = w.events();
        ASSERT_EQ(events.size(), 3u);
        EXPECT_EQ(events[0].event, EVENT::ScrollUp);
        EXPECT_EQ(events[1].event, EVENT::ScrollDown);
        EXPECT_EQ(count(events, EVENT::ScrollDown, number), 2);
        EXPECT_EQ(list->currentRow(), 2);  // the list's own handler moves it
    }
}

TEST(MouseWheel, ComboAndTextBoxStepAsIfKeysWerePressed)
{
    WheelWindow w;
    auto* combo = w.add<QComboBox>(ui::CREATE::DropList, 2, 10);
    combo->addItems({"a", "b", "c"});
    combo->setCurrentIndex(1);
    auto* text = w.add<QPlainTextEdit>(ui::CREATE::Text, 6, 110);
    text->setPlainText("one\ntwo\nthree\nfour");
    QTextCursor cursor = text->textCursor();
    cursor.movePosition(QTextCursor::Down, QTextCursor::MoveAnchor, 2);
    text->setTextCursor(cursor);
    w.open();
    ui::vsMouseWheelClass wheel;
    wheel.Attach(w.window);
    EXPECT_EQ(wheel.TARGETQ, (std::vector<int>{2, 6}));
    w.events();

    pointAt(combo);
    turn(combo, -120);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(count(w.events(), EVENT::NewSelection, 2), 1);

    pointAt(text);
    turn(text, 120);
    EXPECT_EQ(text->textCursor().blockNumber(), 1);
    EXPECT_TRUE(test::pumpUntil([&] { return text->hasFocus(); }));

    // The open drop-down list keeps its own wheel.
    combo->showPopup();
    ASSERT_TRUE(test::pumpUntil([&] { return combo->view()->isVisible(); }));
    pointAt(combo->view());
    turn(combo->view(), 120);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(text->textCursor().blockNumber(), 1);
    EXPECT_TRUE(w.events().empty());
    combo->hidePopup();
}

TEST(MouseWheel, TargetIsUnderThePointerElseFocusedElseFirstVisible)
{
    WheelWindow w;
    QListWidget* first = w.addList(1, 10);
    QListWidget* second = w.addList(2, 110);
    QListWidget* third = w.addList(3, 210);
    w.open();
    ui::vsMouseWheelClass wheel;
    wheel.Attach(w.window);

    pointAt(second);
    EXPECT_EQ(wheel.FindWheelTarget(), 2);

    // The pointer over a hidden list: the focused visible one scrolls.
    second->hide();
    third->setFocus();
    ASSERT_TRUE(test::pumpUntil([&] { return third->hasFocus(); }));
    turn(first, -120);  // Qt hands the wheel to whatever lies under it; the target is the add-on's
    EXPECT_EQ(third->currentRow(), 3);
    EXPECT_EQ(second->currentRow(), 2);
    EXPECT_EQ(first->currentRow(), 2);

    // Neither under the pointer nor focused: the first visible one.
    third->clearFocus();
    QCursor::setPos(w.window.content()->mapToGlobal(QPoint(395, 195)));
    EXPECT_EQ(wheel.FindWheelTarget(), 1);
    first->hide();
    third->hide();
    EXPECT_EQ(wheel.FindWheelTarget(), 0);
}

TEST(MouseWheel, DeltaBelowANotchScrollsNothing)
{
    WheelWindow w;
    QListWidget* list = w.addList(1, 10);
    w.open();
    ui::vsMouseWheelClass wheel;
    wheel.Attach(w.window);
    w.events();
    pointAt(list);

    // The add-on's own rule for a message it receives.
    EXPECT_TRUE(ui::MouseWheelWndProc(w.window, ui::WM_MOUSEWHEEL, ui::wheelWParam(60)));
    EXPECT_EQ(wheel.TURNS, 0);
    // The platform hands on high-resolution units only once they make a notch.
    turn(list, -60);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_TRUE(w.events().empty());
    turn(list, -60);
    EXPECT_EQ(list->currentRow(), 3);
}

TEST(MouseWheel, ShiftOrCtrlChangeNothing)
{
    for (Qt::KeyboardModifiers modifiers : {Qt::ShiftModifier, Qt::ControlModifier}) {
        WheelWindow w;
        QListWidget* list = w.addList(1, 10, 0);
        w.open();
        ui::vsMouseWheelClass wheel;
        wheel.Attach(w.window);
        w.events();
        pointAt(list);
        turn(list, -240, modifiers);
        EXPECT_EQ(list->currentRow(), 2);
        EXPECT_EQ(w.events().size(), 2u);
    }
}

TEST(MouseWheel, DetachIsHarmlessAndLeavesAnotherInstanceInPlace)
{
    WheelWindow w;
    QListWidget* list = w.addList(1, 10);
    w.open();

    ui::vsMouseWheelClass never;
    never.Detach();
    EXPECT_FALSE(never.ISWINDOW);

    ui::vsMouseWheelClass wheel;
    wheel.Attach(w.window);
    wheel.Attach(w.window);  // attaching twice detaches first
    EXPECT_EQ(wheel.TARGETQ, std::vector<int>{1});
    wheel.Detach();
    wheel.Detach();
    EXPECT_FALSE(wheel.ISWINDOW);
    EXPECT_TRUE(wheel.TARGETQ.empty());
    EXPECT_FALSE(ui::MouseWheelWndProc(w.window, ui::WM_MOUSEWHEEL, ui::wheelWParam(-120)));
    pointAt(list);
    turn(list, -120);  // Qt's own wheel handling: the list scrolls, the selection stays
    EXPECT_EQ(list->currentRow(), 2);

    // An instance that took the window over after this one keeps it.
    auto first = std::make_unique<ui::vsMouseWheelClass>();
    first->Attach(w.window);
    ui::vsMouseWheelClass later;
    later.Attach(w.window);
    first.reset();
    w.events();
    turn(list, -120);
    EXPECT_EQ(list->currentRow(), 3);
}

}  // namespace
