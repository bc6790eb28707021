#pragma once
// Logical threads of tests get the program's per-thread data with their file managers
// started, in a temporary working folder, with the error reporter set up and messages
// answered from a script.

#include "data/error_reporter.h"
#include "data/thread_data.h"
#include "platform/ui/scheduler.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/temp_workdir.h"

#include <gtest/gtest.h>

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

    TempWorkDir dir;
    RecordedMessages messages;
    int fatalErrors = 0;
};

}  // namespace test
