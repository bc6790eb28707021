// The table of window procedures: calls on the caller's thread, starts on a new one, with
// the caller's arguments; unknown names do nothing.
#include "platform/ui/windows/procedures.h"
#include "tests/support/test_threads.h"

#include <gtest/gtest.h>

namespace {

TEST(Procedures, CallRunsOnTheCallersThreadAndStartRunsOnANewOne)
{
    std::vector<std::pair<ui::ThreadId, int>> runs;
    ui::registerProcedure(QStringLiteral("Recorder"), [&runs](const ui::ProcedureArgs& args) {
        runs.emplace_back(ui::Scheduler::instance().currentId(), args.value(0).toInt());
    });
    ui::ThreadId caller = 0;
    const ui::ThreadId started = test::start([&] {
        caller = ui::Scheduler::instance().currentId();
        EXPECT_TRUE(ui::callProcedure(QStringLiteral("Recorder"), {7}));
    });
    ASSERT_TRUE(test::waitEnded(started));
    const ui::ThreadId other = ui::startProcedure(QStringLiteral("Recorder"), {9});
    ASSERT_NE(other, 0);
    ASSERT_TRUE(test::waitEnded(other));

    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], std::make_pair(caller, 7));
    EXPECT_EQ(runs[1], std::make_pair(other, 9));
    ui::unregisterProcedure(QStringLiteral("Recorder"));
}

TEST(Procedures, UnknownNamesDoNothing)
{
    EXPECT_FALSE(ui::hasProcedure(QStringLiteral("Missing")));
    EXPECT_FALSE(ui::callProcedure(QStringLiteral("Missing")));
    EXPECT_EQ(ui::startProcedure(QStringLiteral("Missing")), 0);
}

}  // namespace
