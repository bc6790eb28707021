#include "platform/ui/threads/dialog_script.h"
#include "platform/ui/windows/nested_wait.h"
#include "platform/ui/windows/popup_menu.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

const QStringList kItems = {"&Выбрать", "-", "&Добавить", "&Изменить", "&Удалить"};

class PopupMenuTest : public ::testing::Test {
protected:
    PopupMenuTest() { ui::resetDialogScript(); }
    ~PopupMenuTest() override { ui::resetDialogScript(); }

    // Shows the menu on a logical thread and hands it to `act`; the choice once the thread ended.
    std::optional<int> choose(const std::function<void(QMenu&)>& act)
    {
        std::optional<int> choice;
        ui::ThreadId t = test::start([&] { choice = ui::popupMenu(kItems, QPoint(40, 40)); });
        QMenu* menu = nullptr;
        test::pumpUntil([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr; });
        if (menu) act(*menu);
        if (!test::waitEnded(t) && menu) {
            menu->hide();  // never leave the thread waiting
            test::waitEnded(t);
        }
        return choice;
    }
};

TEST_F(PopupMenuTest, ChoiceIsNumberedWithoutSeparators)
{
    std::optional<int> choice = choose([](QMenu& menu) {
        ASSERT_EQ(menu.actions().size(), 5);
        EXPECT_TRUE(menu.actions()[1]->isSeparator());
        EXPECT_EQ(menu.actions()[2]->text(), "&Добавить");
        // Down twice passes over the separator to the second item.
        QTest::keyClick(&menu, Qt::Key_Down);
        QTest::keyClick(&menu, Qt::Key_Down);
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    EXPECT_EQ(choice, 2);
}

TEST_F(PopupMenuTest, ClosingWithoutAChoiceGivesZero)
{
    EXPECT_EQ(choose([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_Escape); }), 0);
}

TEST_F(PopupMenuTest, AClosingRequestOrTheEndOfTheSessionAnswersNothingChosenAndNothingElseAnswers)
{
    for (bool sessionEnd : {false, true}) {
        SCOPED_TRACE(sessionEnd ? "session end" : "close request");
        std::optional<int> choice;
        ui::ThreadId t = test::start([&] { choice = ui::popupMenu(kItems, QPoint(40, 40)); });
        ASSERT_TRUE(test::pumpUntil([] { return QApplication::activePopupWidget() != nullptr; }));
        ui::Window* popup = test::waitWindow(t);
        ASSERT_TRUE(popup);
        EXPECT_EQ(popup->kind(), ui::WindowKind::Popup);
        // a toolbar button forwarded to it and a timer: neither answers
        popup->post(EVENT::Accepted, 3002);
        popup->post(EVENT::Timer);
        test::pump(50);
        EXPECT_FALSE(choice.has_value());
        if (sessionEnd)
            ui::setSessionEnding(true);
        else
            popup->post(EVENT::CloseWindow);  // as the program's close asks
        EXPECT_TRUE(test::waitEnded(t, 1000));
        EXPECT_EQ(choice, 0);
        EXPECT_TRUE(test::pumpUntil([] { return QApplication::activePopupWidget() == nullptr; }));
        ui::setSessionEnding(false);
    }
}

TEST_F(PopupMenuTest, ScriptedChoiceIsTakenWithoutAMenu)
{
    ui::scriptPopupChoice(4);
    std::optional<int> choice;
    ui::ThreadId t = test::start([&] { choice = ui::popupMenu(kItems, QPoint(40, 40)); });
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_EQ(choice, 4);
    // The main stack cannot wait for a choice.
    EXPECT_EQ(ui::popupMenu(kItems, QPoint(40, 40)), 0);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

}  // namespace
