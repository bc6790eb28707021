// A record file that another program holds makes only the thread that uses it wait: the other
// threads' windows go on answering their events meanwhile.

#include "tests/support/other_program.h"
#include "tests/support/test_threads.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

class RecordLockWait : public test::ThreadsFixture {};

TEST_F(RecordLockWait, AnotherThreadsWindowAnswersWhileOneThreadWaitsForALock)
{
    addUnits({QStringLiteral("м")});  // the file exists before the other program starts
    test::OtherProgram other("EDIZMER.TPS", "BEGIN IMMEDIATE");
    ASSERT_TRUE(other.lock());

    // B: a window that notes when it answers a posted event
    bool answered = false;
    bool writerWaitedThen = false;
    Clock::time_point answeredAt;
    // A: stores a unit into the file the other program holds
    bool writing = false, written = false;
    records::Level result = records::Level::Benign;
    Clock::duration writeTook{};

    const ui::ThreadId b = test::start([&] {
        ui::Window w(ui::WindowKind::Dialog, QStringLiteral("B"), 50, 20);
        w.open();
        for (int e = 0; e != EVENT::CloseWindow;) {
            e = w.wait().event;
            if (e == EVENT::User) {
                answeredAt = Clock::now();
                writerWaitedThen = writing && !written;
                answered = true;
            }
        }
        w.close();
    });
    ASSERT_NE(test::waitWindow(b), nullptr);
    const ui::ThreadId a = test::start([&] {
        Relate(FileId::EdIzmer).Open();
        EDI().EDIZM = QStringLiteral("кг");
        writing = true;
        const Clock::time_point start = Clock::now();
        result = Access(FileId::EdIzmer).Insert();
        writeTook = Clock::now() - start;
        written = true;
        Relate(FileId::EdIzmer).Close();
    });

    // the writer waits for the lock while the program goes on
    ASSERT_TRUE(test::pumpUntil([&] { return writing; }));
    test::pump(300);
    ASSERT_FALSE(written);
    const Clock::time_point postedAt = Clock::now();
    ui::post(b, EVENT::User);
    ASSERT_TRUE(test::pumpUntil([&] { return answered; }));
    EXPECT_LT(answeredAt - postedAt, std::chrono::milliseconds(50));
    EXPECT_TRUE(writerWaitedThen);

    // the wait itself is as long as ever, and ends as it always did
    ASSERT_TRUE(test::waitEnded(a, 10000));
    EXPECT_GE(writeTook, std::chrono::milliseconds(1800));
    EXPECT_EQ(result, records::Level::Notify);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка добавления записи"));
    ui::post(b, EVENT::CloseWindow);
    ASSERT_TRUE(test::waitEnded(b));
    other.release();
    EXPECT_EQ(storedUnits(), std::vector<QString>{QStringLiteral("м")});
}

}  // namespace
