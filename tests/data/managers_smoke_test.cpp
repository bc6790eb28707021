#include "data/error_reporter.h"
#include "data/thread_data.h"
#include "platform/records/cursor.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/temp_workdir.h"

#include <gtest/gtest.h>

namespace {

using records::Level;

struct ManagersSmoke : ::testing::Test {
    ManagersSmoke()
    {
        SetupErrorReporter();
        ErrorReporter().setFatalHandler([this] { fatal = true; });
        ThreadState::setCurrent(&thread);
    }
    ~ManagersSmoke() override { ThreadState::setCurrent(nullptr); }
    test::TempWorkDir dir;
    test::RecordedMessages messages;
    ThreadData thread{2};
    bool fatal = false;
};

TEST_F(ManagersSmoke, PrimeInsertAndCascadeDelete)
{
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    ASSERT_EQ(Access(FileId::Headers).PrimeRecord(), Level::Benign);
    EXPECT_EQ(DFL().NUMBER, 1);
    EXPECT_EQ(DFL().ZAK_DOL.toQString(), QStringLiteral("Директор"));
    DFL().NAME = "Смета";
    ASSERT_EQ(Access(FileId::Headers).Insert(), Level::Benign);

    for (int i = 0; i < 3; ++i) {
        GRO().NUMSMET = 1;
        ASSERT_EQ(Access(FileId::GroupsWks).PrimeRecord(true), Level::Benign);
        EXPECT_EQ(GRO().NUMINSMETA, i + 1);
        ASSERT_EQ(Access(FileId::GroupsWks).Insert(), Level::Benign);
    }
    ASSERT_EQ(Access(FileId::Headers).TryFetch(0), Level::Benign);
    ASSERT_EQ(Relate(FileId::Headers).Delete(false), Level::Benign);
    records::Cursor groups(Access(FileId::GroupsWks).file(), 0);
    groups.toStart();
    EXPECT_NE(groups.next(), 0);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_FALSE(fatal);
    Relate(FileId::Headers).Close();
}

}  // namespace
