#include "platform/core/message.h"
#include "platform/core/regional.h"
#include "platform/ui/dialogs/message_dialog.h"
#include "platform/ui/threads/dialog_script.h"
#include "platform/ui/windows/nested_wait.h"
#include "platform/ui/windows/title_width.h"
#include "platform/ui/windows/window.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

QPushButton* buttonOf(ui::Window& dialog, unsigned button)
{
    ui::Control* c = dialog.control(int(button));
    return c ? qobject_cast<QPushButton*>(c->widget()) : nullptr;
}

// A message asked on a logical thread of its own; its answer once the thread has ended.
struct AskedMessage {
    ui::ThreadId thread = 0;
    std::optional<unsigned> answer;

    AskedMessage(QString text, QString caption, MessageIcon icon, unsigned buttons, unsigned defaultButton = 0)
    {
        thread = test::start([=, this] { answer = Message(text, caption, icon, buttons, defaultButton); });
    }
    // A test that failed with the dialog still open closes it before the next test.
    ~AskedMessage()
    {
        if (!ui::Scheduler::instance().isRunning(thread)) return;
        ui::setSessionEnding(true);
        test::waitEnded(thread);
        ui::setSessionEnding(false);
    }
    ui::Window* dialog(const QString& caption) { return test::waitWindowTitled(thread, caption); }
    std::optional<unsigned> result()
    {
        test::waitEnded(thread);
        return answer;
    }
};

class MessageDialogTest : public ::testing::Test {
protected:
    test::ScriptedDialogs dialogs;
};

TEST_F(MessageDialogTest, ShowsButtonsInOrderWithRegionalCaptionsAndReturnsTheOneClicked)
{
    regional::installProgramSettings();
    const unsigned all = BUTTON_OK | BUTTON_YES | BUTTON_NO | BUTTON_ABORT | BUTTON_RETRY | BUTTON_IGNORE |
                         BUTTON_CANCEL | BUTTON_HELP;
    AskedMessage asked("Первая строка|Вторая строка", "Вопрос", MessageIcon::Question, all, BUTTON_NO);
    ui::Window* dialog = asked.dialog("Вопрос");
    ASSERT_TRUE(dialog);

    QStringList captions;
    int lastX = -1;
    for (unsigned b : {BUTTON_OK, BUTTON_YES, BUTTON_NO, BUTTON_ABORT, BUTTON_RETRY, BUTTON_IGNORE, BUTTON_CANCEL,
                       BUTTON_HELP}) {
        QPushButton* button = buttonOf(*dialog, b);
        ASSERT_TRUE(button) << b;
        captions << button->text();
        EXPECT_GT(button->x(), lastX) << "left to right in order";
        lastX = button->x();
    }
    EXPECT_EQ(captions, QStringList({"&OK", "&Да", "&Нет", "Пре&рвать", "&Повторить", "&Игнорировать", "&Отменить",
                                     "&Справка"}));
    QPushButton* no = buttonOf(*dialog, BUTTON_NO);
    EXPECT_TRUE(no->isDefault());
    EXPECT_EQ(dialog->content()->focusWidget(), no);
    auto* text = qobject_cast<QLabel*>(dialog->control("?Text")->widget());
    EXPECT_EQ(text->text(), "Первая строка\nВторая строка");
    auto* icon = qobject_cast<QLabel*>(dialog->control("?Icon")->widget());
    EXPECT_FALSE(icon->pixmap().isNull());

    QTest::mouseClick(buttonOf(*dialog, BUTTON_RETRY), Qt::LeftButton);
    EXPECT_EQ(asked.result(), BUTTON_RETRY);
}

TEST_F(MessageDialogTest, EscapeAndTheCloseBoxGiveCancelElseNoElseOk)
{
    struct Case {
        unsigned buttons;
        bool closeBox;
        unsigned expected;
    };
    const Case cases[] = {
        {BUTTON_YES | BUTTON_NO | BUTTON_CANCEL, false, BUTTON_CANCEL},
        {BUTTON_YES | BUTTON_NO, false, BUTTON_NO},
        {BUTTON_OK, false, BUTTON_OK},
        {BUTTON_OK | BUTTON_CANCEL, true, BUTTON_CANCEL},
        {BUTTON_YES | BUTTON_NO, true, BUTTON_NO},
    };
    // Without a caption the dialog has the application's name.
    const QString caption = QApplication::applicationDisplayName();
    for (const Case& c : cases) {
        AskedMessage asked("Текст", {}, MessageIcon::Exclamation, c.buttons, BUTTON_YES);
        ui::Window* dialog = asked.dialog(caption);
        ASSERT_TRUE(dialog) << c.buttons;
        if (c.closeBox)
            dialog->topWidget()->close();
        else
            QTest::keyClick(dialog->content()->focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(asked.result(), c.expected) << c.buttons << (c.closeBox ? " close box" : " Esc");
    }
}

TEST_F(MessageDialogTest, OnlyItsOwnButtonsAnswerIt)
{
    AskedMessage asked("Вы хотите записать изменения для этой записи?", "Сохранение записи", MessageIcon::Question,
                       BUTTON_YES | BUTTON_NO | BUTTON_CANCEL, BUTTON_CANCEL);
    ui::Window* dialog = asked.dialog("Сохранение записи");
    ASSERT_TRUE(dialog);
    // toolbar buttons forwarded to it (3002 holds the bit of Yes), a number holding two of its
    // buttons, a button it does not show
    for (int field : {3001, 3002, int(BUTTON_YES | BUTTON_NO), int(BUTTON_OK)}) dialog->post(EVENT::Accepted, field);
    test::pump(50);
    EXPECT_FALSE(asked.answer.has_value());
    buttonOf(*dialog, BUTTON_NO)->click();
    EXPECT_EQ(asked.result(), BUTTON_NO);
}

TEST_F(MessageDialogTest, BlocksOnlyTheCallingThreadAndGivesTheFocusBack)
{
    bool endA = false, endB = false;
    ui::Window* windowA = nullptr;
    ui::Window* windowB = nullptr;
    std::optional<unsigned> answer;
    ui::ThreadId a = test::start([&] {
        ui::Window w(ui::WindowKind::Dialog, "A", 80, 40);
        w.open();
        windowA = &w;
        answer = Message("Продолжить?", "Поток A", MessageIcon::Question, BUTTON_YES | BUTTON_NO);
        while (!endA) w.wait();
        w.close();
    });
    ui::ThreadId b = test::start([&] {
        ui::Window w(ui::WindowKind::Dialog, "B", 80, 40);
        w.open();
        windowB = &w;
        while (!endB) w.wait();
        w.close();
    });
    ui::Window* dialog = test::waitWindowTitled(a, "Поток A");
    ASSERT_TRUE(dialog && windowA && windowB);
    EXPECT_FALSE(windowA->topWidget()->isEnabled());
    EXPECT_TRUE(windowB->topWidget()->isEnabled());
    EXPECT_TRUE(dialog->topWidget()->isEnabled());
    EXPECT_FALSE(dialog->takesCloseRequests());
    // kept above the window that waits on it, whichever window is clicked
    EXPECT_EQ(dialog->topWidget()->windowHandle()->transientParent(), windowA->topWidget()->windowHandle());

    buttonOf(*dialog, BUTTON_YES)->click();
    ASSERT_TRUE(test::pumpUntil([&] { return answer.has_value(); }));
    EXPECT_EQ(*answer, BUTTON_YES);
    EXPECT_TRUE(windowA->topWidget()->isEnabled());
    EXPECT_TRUE(test::pumpUntil([&] { return QApplication::activeWindow() == windowA->topWidget(); }));

    endA = endB = true;
    windowA->post(EVENT::Timer);
    windowB->post(EVENT::Timer);
    EXPECT_TRUE(test::waitEnded(a));
    EXPECT_TRUE(test::waitEnded(b));
}

TEST_F(MessageDialogTest, ScriptedAnswersAreTakenWithoutADialogAndEveryMessageIsRecorded)
{
    ui::scriptMessageAnswer(BUTTON_RETRY);
    ui::scriptMessageAnswer(BUTTON_NO);
    AskedMessage first("Повторить?", "Ошибка", MessageIcon::Hand, BUTTON_RETRY | BUTTON_CANCEL);
    EXPECT_EQ(first.result(), BUTTON_RETRY);
    AskedMessage second("Удалить?", "Подтвердите Удаление", MessageIcon::Question, BUTTON_YES | BUTTON_NO);
    EXPECT_EQ(second.result(), BUTTON_NO);
    // The script is used up: on the main stack, which cannot wait, the answer is Esc's.
    EXPECT_EQ(Message("Готово", "Итог", MessageIcon::Information, BUTTON_OK | BUTTON_CANCEL), BUTTON_CANCEL);

    const std::vector<ui::ShownMessage>& shown = ui::shownMessages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].caption, "Ошибка");
    EXPECT_EQ(shown[0].text, "Повторить?");
    EXPECT_EQ(shown[0].icon, MessageIcon::Hand);
    EXPECT_EQ(shown[0].buttons, BUTTON_RETRY | BUTTON_CANCEL);
    EXPECT_EQ(shown[1].caption, "Подтвердите Удаление");
    EXPECT_EQ(shown[2].caption, "Итог");
    ui::clearShownMessages();
    EXPECT_TRUE(ui::shownMessages().empty());
}

TEST_F(MessageDialogTest, SuppressedMessagesAnswerNoElseEscapeAndOpenOnesClose)
{
    AskedMessage open("Сохранить?", "Сохранение записи", MessageIcon::Question, BUTTON_YES | BUTTON_NO | BUTTON_CANCEL);
    ASSERT_TRUE(open.dialog("Сохранение записи"));
    ui::setSessionEnding(true);
    EXPECT_EQ(open.result(), BUTTON_NO);

    AskedMessage later("Ещё?", "Запись добавлена", MessageIcon::Question, BUTTON_YES | BUTTON_NO, BUTTON_YES);
    EXPECT_EQ(later.result(), BUTTON_NO);
    AskedMessage notice("Ошибка", "Запись не обновляется", MessageIcon::Information, BUTTON_OK);
    EXPECT_EQ(notice.result(), BUTTON_OK);
    EXPECT_EQ(ui::shownMessages().size(), 3u);
}

}  // namespace

TEST_F(MessageDialogTest, IsWideEnoughForItsCaption)
{
    const QString caption = QStringLiteral("No Fields Selected for Import!");
    AskedMessage asked(QStringLiteral("Short."), caption, MessageIcon::Information, BUTTON_OK);
    ui::Window* dialog = asked.dialog(caption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_GE(dialog->content()->width(), ui::titleBarWidth(*dialog->content()));
    QTest::mouseClick(buttonOf(*dialog, BUTTON_OK), Qt::LeftButton);
    EXPECT_EQ(asked.result(), std::optional<unsigned>(BUTTON_OK));
}
