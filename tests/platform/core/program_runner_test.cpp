#include "platform/core/program_runner.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>

namespace {

class ProgramRunnerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "program_runner_test";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }

    // Pumps the event loop as the program's own loop would, with a deadline as a safety net.
    static bool pumpUntil(const std::function<bool()>& done)
    {
        QDeadlineTimer deadline(10'000);
        while (!done()) {
            if (deadline.hasExpired()) return false;
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        return true;
    }

    // A script that writes each argument it gets as one line "[argument]" to the file named first.
    QString argumentRecorder() const
    {
        const QString script = dir.filePath("record-arguments");
        QFile f(script);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n"
                "out=$1\n"
                "shift\n"
                "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$out.part\"\n"
                "mv \"$out.part\" \"$out\"\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }

    static QString contents(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QTemporaryDir dir;
};

struct ExitCase {
    const char* program;
    QStringList args;
    int exitCode;
};

TEST_F(ProgramRunnerTest, CallbackGetsTheExitCodeOnce)
{
    const ExitCase cases[] = {
        {"/bin/true", {}, 0},
        {"/bin/sh", {"-c", "exit 3"}, 3},
        {"sh", {"-c", "kill -9 $$"}, -1},
    };
    for (const auto& c : cases) {
        int calls = 0;
        std::optional<int> exitCode;
        ASSERT_TRUE(programs::start(c.program, c.args, [&](int code) {
            ++calls;
            exitCode = code;
        })) << c.program;
        ASSERT_TRUE(pumpUntil([&] { return exitCode.has_value(); })) << c.program;
        QCoreApplication::processEvents();
        EXPECT_EQ(*exitCode, c.exitCode) << c.program << " " << c.args.join(' ').toStdString();
        EXPECT_EQ(calls, 1);
    }
}

TEST_F(ProgramRunnerTest, ProgramThatCannotStartReturnsFalseAndNeverCallsBack)
{
    const QString notExecutable = dir.filePath("plain.txt");
    QFile(notExecutable).open(QIODevice::WriteOnly);
    for (const QString& program : {QString("/no/such/program"), QString("no-such-program-tolvex"), notExecutable}) {
        bool called = false;
        EXPECT_FALSE(programs::start(program, {"x"}, [&](int) { called = true; })) << program.toStdString();
        EXPECT_FALSE(programs::start(program, {"x"})) << program.toStdString();
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
        EXPECT_FALSE(called) << program.toStdString();
    }
}

TEST_F(ProgramRunnerTest, ArgumentsArriveUnchangedWithoutAShell)
{
    const QStringList args = {
        "two words", "\"double\" and 'single' quotes", "$HOME `id` * ; | &", "back\\slash", "", "Смета №1",
    };
    QString expected;
    for (const QString& a : args) expected += '[' + a + "]\n";
    const QString recorder = argumentRecorder();

    const QString waitedFor = dir.filePath("waited.txt");
    bool finished = false;
    ASSERT_TRUE(programs::start(recorder, QStringList{waitedFor} + args, [&](int) { finished = true; }));
    ASSERT_TRUE(pumpUntil([&] { return finished; }));
    EXPECT_EQ(contents(waitedFor), expected);

    const QString detached = dir.filePath("detached.txt");
    ASSERT_TRUE(programs::start(recorder, QStringList{detached} + args));
    ASSERT_TRUE(pumpUntil([&] { return QFile::exists(detached); }));
    EXPECT_EQ(contents(detached), expected);
}

TEST_F(ProgramRunnerTest, AWaitedForProgramOutlivesOurExit)
{
    // The export's processor must finish its page even when the user closes the program while
    // the export still waits for it.
    const QString marker = dir.filePath("finished.txt");
    EXPECT_EXIT(
        {
            programs::start("/bin/sh", {"-c", "sleep 0.3; : > \"$0\"", marker}, [](int) {});
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(pumpUntil([&] { return QFile::exists(marker); }));
}

TEST_F(ProgramRunnerTest, FindProgramGivesTheFirstCandidateOnPath)
{
    const QString sh = programs::findProgram({"no-such-program-tolvex", "sh", "true"});
    EXPECT_EQ(QFileInfo(sh).fileName(), "sh");
    EXPECT_TRUE(QFileInfo(sh).isAbsolute());
    EXPECT_TRUE(programs::findProgram({"no-such-program-tolvex"}).isEmpty());
    EXPECT_TRUE(programs::findProgram({}).isEmpty());
}

}  // namespace
