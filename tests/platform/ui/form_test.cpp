// The form protocol on a small form over the estimate headers: priming by request,
// completion, the cancel path with "Сохранение записи", delete requests, INSERTACTION 3 and 4.
#include "data/thread_data.h"
#include "platform/records/cursor.h"
#include "platform/ui/window_manager.h"
#include "tests/support/test_threads.h"
#include "tests/support/ui_driver.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using records::Level;

class HeaderForm : public ui::WindowManager {
public:
    explicit HeaderForm(std::uint8_t insertAction = 2) : WindowManager("UpdateHeaders"), insertAction_(insertAction) {}

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
        INSERTACTION = insertAction_;
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

private:
    std::uint8_t insertAction_;
};

struct Form : test::ThreadsFixture {
    // Runs the form on a thread of its own with the request, after `before` (priming, reading).
    ui::ThreadId runForm(std::uint8_t request, std::function<void()> before = {}, std::uint8_t insertAction = 2)
    {
        return test::start([=, this] {
            Relate(FileId::Headers).Open();
            if (before) before();
            ProcRequest() = request;
            HeaderForm(insertAction).Run();
            response = ProcResponse();
            requestAfter = ProcRequest();
            Relate(FileId::Headers).Close();
        });
    }
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
    type(w, "Школа");  // still in the focused entry when OK is pressed
    press(w, "?OK");
    ASSERT_TRUE(test::waitEnded(t));
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
    addHeader("Первая");
    for (unsigned answer : {BUTTON_NO, BUTTON_YES}) {
        messages.clear();
        messages.answer(answer);
        bool opened = false;
        ui::ThreadId t = runForm(ui::REQUEST::DeleteRecord, [] {
            DFL().NUMBER = 1;
            Access(FileId::Headers).TryFetch(0);
        });
        opened = test::waitWindow(t, 300) != nullptr;
        ASSERT_TRUE(test::waitEnded(t));
        EXPECT_FALSE(opened);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Подтвердите Удаление"));
        EXPECT_EQ(response, answer == BUTTON_YES ? 1 : 2);
        EXPECT_EQ(headerNames().size(), answer == BUTTON_YES ? 0u : 1u);
    }
}

TEST_F(Form, InsertActionThreePreparesTheNextRecordInTheSameWindow)
{
    ui::ThreadId t = runForm(ui::REQUEST::InsertRecord, [] { Access(FileId::Headers).PrimeRecord(); }, 3);
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
    EXPECT_EQ(headerNames(), (std::vector<QString>{"Первая", "Вторая"}));
}

TEST_F(Form, InsertActionFourAsksWhetherToAddAnother)
{
    messages.answer(BUTTON_YES);
    messages.answer(BUTTON_NO);
    ui::ThreadId t = runForm(ui::REQUEST::InsertRecord, [] { Access(FileId::Headers).PrimeRecord(); }, 4);
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

}  // namespace
