#include "platform/records/connection.h"
#include "platform/records/schema.h"
#include "test_records.h"

#include <QFileInfo>

namespace {

using namespace records;

TEST_F(RecordsTest, MakeOrCheckBuildsTheFileAtAnyPathWithTheCallersTransaction)
{
    ASSERT_TRUE(QDir().mkdir("sub"));
    const std::string path = "sub/" + layout_.diskName;
    RecordError error;
    Connection db = openConnection("MAIN.TPS", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
    ASSERT_TRUE(db);
    ASSERT_EQ(execute(db.get(), "ATTACH DATABASE '" + path + "' AS other"), SQLITE_OK);

    // the verdict within a transaction that is committed or rolled back after it
    auto verdictIn = [&](const Layout& layout, bool commit) {
        int verdict = -1;
        inWriteTransaction(db.get(), [&] {
            verdict = schema::makeOrCheck(db.get(), "other", layout, error);
            return commit ? SQLITE_OK : SQLITE_ABORT;
        });
        return verdict;
    };
    EXPECT_EQ(verdictIn(layout_, false), 0);
    EXPECT_EQ(QFileInfo(QString::fromStdString(path)).size(), 0);  // rolled back with the caller's writes
    EXPECT_EQ(verdictIn(layout_, true), 0);                        // made
    EXPECT_EQ(verdictIn(layout_, true), 0);                        // checked
    const Layout other = LayoutBuilder<Item>("OtherItems", "OTH").field<&Item::CODE>("CODE").build();
    EXPECT_EQ(verdictIn(other, true), kBadFileStructure);  // refused, not made over
    std::int64_t inMain = -1;
    ASSERT_EQ(queryInteger(db.get(), "SELECT count(*) FROM main.sqlite_master", inMain), SQLITE_OK);
    EXPECT_EQ(inMain, 0);  // nothing went astray into the main database
    db.reset();

    // a record file like one that createFile makes, keys included
    RawConnection raw(path.c_str());
    EXPECT_EQ(raw.column("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL").size(),
              layout_.keys.size());
    ASSERT_TRUE(QDir::setCurrent("sub"));
    RecordFile file(layout_, &buffer_);
    EXPECT_EQ(file.open(OpenAccess::ReadWrite), 0) << file.lastError().text.toStdString();
}

}  // namespace
