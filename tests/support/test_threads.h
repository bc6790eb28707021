#pragma once
// Logical threads of tests get the program's per-thread data with their file managers
// started, in a temporary working folder, with the error reporter set up and messages
// answered from a script. Records are added and read back on threads of their own, as another
// window of the program would.

#include "data/error_reporter.h"
#include "data/thread_data.h"
#include "platform/records/cursor.h"
#include "platform/ui/threads/scheduler.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/temp_workdir.h"
#include "tests/support/ui_driver.h"

#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace test {

class ThreadsFixture : public ::testing::Test {
protected:
    ThreadsFixture()
    {
        SetupErrorReporter();
        ErrorReporter().setFatalHandler([this] { ++fatalErrors; });
        ui::Scheduler::instance().setStateFactory([](int id) {
            auto data = std::make_unique<ThreadData>(id);
            data->StartFileManagers();
            return data;
        });
    }
    ~ThreadsFixture() override { ErrorReporter().setFatalHandler(nullptr); }

    // Runs the procedure on a logical thread of its own and waits for it to end.
    void onThread(std::function<void()> procedure) { waitEnded(start(std::move(procedure)), 60000); }

    // Adds `count` records to the file in one transaction; `set(i)` fills the thread's buffer.
    void addRecords(FileId file, int count, const std::function<void(int)>& set)
    {
        onThread([&] {
            Relate(file).Open();
            records::RecordFile& f = Access(file).file();
            f.write([&] {
                for (int i = 0; i < count; ++i) {
                    Access(file).layout().clear(Access(file).buffer());
                    set(i);
                    if (const int code = f.add()) return code;
                }
                return 0;
            });
            Relate(file).Close();
        });
    }
    void addUnits(const std::vector<QString>& units)
    {
        addRecords(FileId::EdIzmer, int(units.size()), [&](int i) { EDI().EDIZM = units[std::size_t(i)]; });
    }

    // The records of the file in the order of its first key, each as `text` gives it from the
    // thread's buffer.
    std::vector<QString> stored(FileId file, const std::function<QString()>& text)
    {
        std::vector<QString> out;
        onThread([&] {
            Relate(file).Open();
            records::Cursor c(Access(file).file(), 0);
            c.toStart();
            while (c.next() == 0) out.push_back(text());
            Relate(file).Close();
        });
        return out;
    }
    std::vector<QString> storedUnits()
    {
        return stored(FileId::EdIzmer, [] { return EDI().EDIZM.toQString(); });
    }

    TempWorkDir dir;
    RecordedMessages messages;
    int fatalErrors = 0;
};

}  // namespace test
