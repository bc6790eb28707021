// The form protocol on a small form over the estimate headers: priming by request,
// completion, the cancel path with "Сохранение записи", delete requests, INSERTACTION 3 and 4,
// failed write-backs and NavRequest.
#include "data/thread_data.h"
#include "platform/records/cursor.h"
#include "platform/ui/windows/window_manager.h"
#include "tests/support/raw_sqlite.h"
#include "tests/support/test_threads.h"
#include "tests/support/ui_driver.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace {

using records::Level;

struct FormActions {
    std::uint8_t insert = 2;
    std::uint8_t remove = 2;
};

class HeaderForm : public ui::WindowManager {
public:
    HeaderForm(FormActions actions, std::vector<QString>& accepted)
        : WindowManager("UpdateHeaders"), actions_(actions), accepted_(accepted)
    {
    }

    Level Init() override
    {
        WindowManager::Init();
        window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, "Смета", 160, 60);
        auto* layout = new QVBoxLayout(window->content());
        auto* name = new QLineEdit;
        auto* ok = new QPushButton("OK");
        auto* cancel = new QPushButton("Отмена");
        layout->addWidget(name);
        layout->addWidget(ok);
        layout->addWidget(cancel);
        ui::Control& nameControl = window->add(ui::CREATE::Entry, "?DFL:NAME", name);
        nameControl.bind(DFL().NAME);
        FIRSTFIELD = nameControl.number();
        AddFile(Access(FileId::Headers));
        CANCELCONTROL = window->add(ui::CREATE::Button, "?Cancel", cancel).number();
        AddButton(CANCELCONTROL, ui::RESPONSE::Cancelled);
        Relate(FileId::Headers).Open();
        PRIMARY = &Relate(FileId::Headers);
        INSERTACTION = actions_.insert;
        DELETEACTION = actions_.remove;
        OKCONTROL = window->add(ui::CREATE::Button, "?OK", ok).number();
        if (!PrimeUpdate()) return Level::Notify;
        Open();
        Reset();
        return Level::Benign;
    }

    Level Kill() override
    {
        Relate(FileId::Headers).Close();
        return WindowManager::Kill();
    }

    Level TakeAccepted() override
    {
        accepted_.push_back(window->control(FIELD())->name());
        return WindowManager::TakeAccepted();
    }

private:
    FormActions actions_;
    std::vector<QString>& accepted_;
};

struct Form : test::ThreadsFixture {
    // Runs the form on a thread of its own with the request, after `before` (priming, reading).
    ui::ThreadId runForm(std::uint8_t request, std::function<void()> before = {}, FormActions actions = {})
    {
        accepted.clear();
        return test::start([=, this] {
            Relate(FileId::Headers).Open();
            if (before) before();
            ProcRequest() = request;
            HeaderForm(actions, accepted).Run();
            response = ProcResponse();
            requestAfter = ProcRequest();
            navAfter = NavRequest();
            bufferAfter = DFL().NAME.toQString();
            Relate(FileId::Headers).Close();
        });
    }
    static std::function<void()> readHeader(int number)
    {
        return [number] {
            DFL().NUMBER = std::int16_t(number);
            Access(FileId::Headers).TryFetch(0);
        };
    }
    static QWidget* focused(ui::Window* w) { return w->content()->focusWidget(); }
    static QWidget* widgetOf(ui::Window* w, const char* control) { return w->control(control)->widget(); }
    // Headers in the file, read on a thread of its own.
    std::vector<QString> headerNames()
    {
        std::vector<QString> names;
        ui::ThreadId t = test::start([&] {
            Relate(FileId::Headers).Open();
            records::Cursor c(Access(FileId::Headers).file(), 0);
            c.toStart();
            while (c.next() == 0) names.push_back(DFL().NAME.toQString());
            Relate(FileId::Headers).Close();
        });
        test::waitEnded(t);
        return names;
    }
    void addHeader(const char* name)
    {
        ui::ThreadId t = test::start([&] {
            Relate(FileId::Headers).Open();
            Access(FileId::Headers).PrimeRecord();
            DFL().NAME = name;
            Access(FileId::Headers).Insert();
            Relate(FileId::Headers).Close();
        });
        test::waitEnded(t);
    }
    static void press(ui::Window* w, const char* control) { static_cast<QPushButton*>(w->control(control)->widget())->click(); }
    static void type(ui::Window* w, const QString& text)
    {
        auto* edit = static_cast<QLineEdit*>(w->control("?DFL:NAME")->widget());
        edit->setFocus();
        edit->setText(text);
        edit->setModified(true);
    }

    int response = -1;
    int requestAfter = -1;
    int navAfter = -1;
    QString bufferAfter;
    std::vector<QString> accepted;
};

TEST_F(Form, InsertCancelledAtOnceAnswersCancelledAndTheReservedRecordIsGone)
{
    ui::ThreadId t = runForm(ui::REQUEST::InsertRecord, [] { Access(FileId::Headers).PrimeRecord(); });
    ui::Window* w = test::waitWindow(t);
    ASSERT_TRUE(w);
    EXPECT_EQ(headerNames().size(), 1u);  // reserved at priming
    press(w, "?Cancel");
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_EQ(response, 2);
    EXPECT_EQ(requestAfter, 0);
    EXPECT_TRUE(headerNames().empty());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Form, InsertCompletedStoresTheTypedValue)
{
    ui::ThreadId t = runForm(ui::REQUEST::InsertRecord, [] { Access(FileId::Headers).PrimeRecord(); });
    ui::Window* w = test::waitWindow(t);
    ASSERT_TRUE(w);
    type(w, "Школа");  // still in the focused entry when OK is pressed by its key
    press(w, "?OK");
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_EQ(accepted, (std::vector<QString>{"?DFL:NAME", "?OK"}));
    EXPECT_EQ(response, 1);
    EXPECT_EQ(headerNames(), std::vector<QString>{"Школа"});
}

TEST_F(Form, ChangeClosedWithOkWithoutEditsAnswersCompletedAndWritesNothing)
{
    addHeader("Старое");
    ui::ThreadId t = runForm(ui::REQUEST::ChangeRecord, [] {
        DFL().NUMBER = 1;
        Access(FileId::Headers).TryFetch(0);
    });
    ui::Window* w = test::waitWindow(t);
    ASSERT_TRUE(w);
    press(w, "?OK");
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_EQ(response, 1);
    EXPECT_EQ(headerNames(), std::vector<QString>{"Старое"});
}

TEST_F(Form, ChangeEditedAndClosedWithTheCloseBoxAsksToSave)
{
    struct Case {
        unsigned answer;
        int response;  // -1: the form stays open
        const char* stored;
    };
    const Case cases[] = {
        {BUTTON_CANCEL, -1, "Старое"},
        {BUTTON_NO, 2, "Старое"},
        {BUTTON_YES, 1, "Новое"},
    };
    addHeader("Старое");
    for (const Case& c : cases) {
        response = -1;
        ui::ThreadId t = runForm(ui::REQUEST::ChangeRecord, [] {
            DFL().NUMBER = 1;
            Access(FileId::Headers).TryFetch(0);
        });
        ui::Window* w = test::waitWindow(t);
        ASSERT_TRUE(w);
        type(w, "Новое");
        messages.clear();
        messages.answer(c.answer);
        w->topWidget()->close();  // the close box
        if (c.response < 0) {
            test::pump(100);
            EXPECT_TRUE(ui::Scheduler::instance().isRunning(t));
            ASSERT_EQ(messages.shown().size(), 1u);
            EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Сохранение записи"));
            messages.answer(BUTTON_NO);
            w->topWidget()->close();
        }
        ASSERT_TRUE(test::waitEnded(t));
        EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Вы хотите записать изменения для этой записи?"));
        EXPECT_EQ(response, c.response < 0 ? 2 : c.response);
        EXPECT_EQ(headerNames(), std::vector<QString>{c.stored});
    }
}

TEST_F(Form, DeleteRequestNeverOpensTheWindow)
{
    struct Case {
        std::uint8_t deleteAction;
        unsigned answer;  // 0: not asked
        int response;
    };
    for (const Case& c : {Case{2, BUTTON_NO, 2}, Case{2, BUTTON_YES, 1}, Case{4, 0, 1}}) {
        if (headerNames().empty()) addHeader("Первая");
        messages.clear();
        if (c.answer) messages.answer(c.answer);
        ui::ThreadId t = runForm(ui::REQUEST::DeleteRecord, readHeader(1), {.remove = c.deleteAction});
        const bool opened = test::waitWindow(t, 300) != nullptr;
        ASSERT_TRUE(test::waitEnded(t));
        EXPECT_FALSE(opened);
        ASSERT_EQ(messages.shown().size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Подтвердите Удаление"));
        }
        EXPECT_EQ(response, c.response);
        EXPECT_EQ(headerNames().size(), c.response == 1 ? 0u : 1u);
    }
}

TEST_F(Form, InsertActionThreePreparesTheNextRecordInTheSameWindow)
{
    ui::ThreadId t = runForm(ui::REQUEST::InsertRecord, [] { Access(FileId::Headers).PrimeRecord(); }, {.insert = 3});
    ui::Window* w = test::waitWindow(t);
    ASSERT_TRUE(w);
    type(w, "Первая");
    press(w, "?OK");
    ASSERT_TRUE(test::pumpUntil([&] { return w->control("?DFL:NAME")->text().isEmpty(); }));
    type(w, "Вторая");
    press(w, "?OK");
    test::pump(50);
    press(w, "?Cancel");  // the third, unstored record is abandoned
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_EQ(response, 1);  // an earlier record of this window was stored
    EXPECT_EQ(bufferAfter, "Вторая");  // and read back
    EXPECT_EQ(headerNames(), (std::vector<QString>{"Первая", "Вторая"}));
}

TEST_F(Form, InsertActionFourAsksWhetherToAddAnother)
{
    messages.answer(BUTTON_YES);
    messages.answer(BUTTON_NO);
    ui::ThreadId t = runForm(ui::REQUEST::InsertRecord, [] { Access(FileId::Headers).PrimeRecord(); }, {.insert = 4});
    ui::Window* w = test::waitWindow(t);
    ASSERT_TRUE(w);
    type(w, "Первая");
    press(w, "?OK");
    ASSERT_TRUE(test::pumpUntil([&] { return messages.shown().size() == 1; }));
    type(w, "Вторая");
    press(w, "?OK");
    ASSERT_TRUE(test::waitEnded(t));
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Запись добавлена"));
    EXPECT_EQ(response, 1);
    EXPECT_EQ(headerNames(), (std::vector<QString>{"Первая", "Вторая"}));
}

TEST_F(Form, NumberingTheNextRecordFailsAndTheStoredOneIsTheAnswer)
{
    // the stored record takes the highest number there is: no next one can be numbered
    ui::ThreadId t = runForm(ui::REQUEST::InsertRecord, [] {
        Access(FileId::Headers).PrimeRecord();
        DFL().NUMBER = std::numeric_limits<std::int16_t>::max();
    }, {.insert = 3});
    ui::Window* w = test::waitWindow(t);
    ASSERT_TRUE(w);
    type(w, "Последняя");
    press(w, "?OK");
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_EQ(response, 1);
    EXPECT_EQ(bufferAfter, "Последняя");  // read back
    EXPECT_EQ(headerNames(), std::vector<QString>{"Последняя"});
}

TEST_F(Form, ChangeWithNothingToWriteAnswersCompletedOnlyWhileNavRequestIsZero)
{
    struct Case {
        int navRequest;
        const char* button;
        int response;
        int navAfter;
    };
    addHeader("Старое");
    for (const Case& c : {Case{0, "?OK", 1, 0}, Case{3009, "?OK", 2, 3009}, Case{3009, "?Cancel", 2, 0}}) {
        ui::ThreadId t = runForm(ui::REQUEST::ChangeRecord, [c] {
            readHeader(1)();
            NavRequest() = c.navRequest;
        });
        ui::Window* w = test::waitWindow(t);
        ASSERT_TRUE(w);
        press(w, c.button);
        ASSERT_TRUE(test::waitEnded(t));
        EXPECT_EQ(response, c.response) << c.navRequest << c.button;
        EXPECT_EQ(navAfter, c.navAfter) << c.navRequest << c.button;
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Form, AWriteBackThatMetALockAsksToTryAgain)
{
    addHeader("Старое");
    RawConnection other("HEADERS.TPS");
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    ui::ThreadId t = runForm(ui::REQUEST::ChangeRecord, readHeader(1));
    ui::Window* w = test::waitWindow(t);
    ASSERT_TRUE(w);
    type(w, "Новое");
    widgetOf(w, "?OK")->setFocus();

    // the manager's message, then the question: Cancel keeps the form, with the focus on its first field
    messages.answer(BUTTON_OK);
    messages.answer(BUTTON_CANCEL);
    press(w, "?OK");
    ASSERT_TRUE(test::pumpUntil([&] { return messages.shown().size() == 2; }));
    test::pump(50);
    EXPECT_EQ(messages.shown()[1].caption, QStringLiteral("Ошибка перезаписи"));
    EXPECT_EQ(messages.shown()[1].text,
              QStringLiteral("Возникла ошибка при изменений записи. Желаете попробовать записать еще раз?"));
    EXPECT_TRUE(ui::Scheduler::instance().isRunning(t));
    EXPECT_EQ(focused(w), widgetOf(w, "?DFL:NAME"));

    // Yes writes again, once the other program has let go
    messages.answer(BUTTON_OK);
    messages.answer(BUTTON_YES);
    messages.onShow = [&](const test::ShownMessage& m) {
        if (m.caption == QStringLiteral("Ошибка перезаписи")) other.exec("COMMIT");
    };
    press(w, "?OK");
    ASSERT_TRUE(test::waitEnded(t, 10000));
    messages.onShow = nullptr;
    EXPECT_EQ(messages.shown().size(), 4u);
    EXPECT_EQ(response, 1);
    EXPECT_EQ(headerNames(), std::vector<QString>{"Новое"});
}

TEST_F(Form, AnyOtherWriteBackFailureShowsTheManagersMessageOnceAndKeepsTheForm)
{
    addHeader("Первая");
    addHeader("Вторая");
    // the first header given the second one's number: a duplicate key
    ui::ThreadId t = runForm(ui::REQUEST::ChangeRecord, [] {
        readHeader(1)();
        DFL().NUMBER = 2;
    });
    ui::Window* w = test::waitWindow(t);
    ASSERT_TRUE(w);
    type(w, "Новая");
    widgetOf(w, "?OK")->setFocus();
    press(w, "?OK");
    ASSERT_TRUE(test::pumpUntil([&] { return !messages.shown().empty(); }));
    test::pump(50);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_NE(messages.shown()[0].caption, QStringLiteral("Ошибка перезаписи"));
    EXPECT_TRUE(ui::Scheduler::instance().isRunning(t));
    EXPECT_EQ(focused(w), widgetOf(w, "?DFL:NAME"));
    messages.answer(BUTTON_NO);  // "Сохранение записи": the change is dropped
    press(w, "?Cancel");
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_EQ(response, 2);
    EXPECT_EQ(headerNames(), (std::vector<QString>{"Первая", "Вторая"}));
}

}  // namespace
