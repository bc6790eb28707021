#include "app/frame/archive.h"

#include "tests/support/estimate_files.h"
#include "tests/support/temp_workdir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using records::Layout;
using records::Position;

using test::contentsOf;
using test::EstimateFiles;
using test::Row;
using test::rowsOf;

Position highestPosition(const std::vector<Row>& rows)
{
    Position highest = 0;
    for (const Row& r : rows) highest = std::max(highest, r.position);
    return highest;
}

std::string archived(const Layout& layout) { return "sav/" + layout.diskName; }

QByteArray bytesOf(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const std::vector<const Layout*>& kArchived = test::archivedLayouts();

struct ArchiveTest : ::testing::Test {
    test::TempWorkDir dir;
};

TEST_F(ArchiveTest, SaveThenRestoreGivesBackTheRecordsUnderFreshPositions)
{
    EstimateFiles files;
    const Position first = files.fill();
    const auto saved = contentsOf("");
    ASSERT_TRUE(saveArchive());
    EXPECT_EQ(contentsOf("sav/"), saved);

    // changes after the save, which the restore throws away
    ASSERT_EQ(files.headers.fetch(first), 0);
    ASSERT_EQ(files.headers.remove(), 0);
    files.addHeader(3, "Новая смета");
    files.addLine(3, 1, 1, "Новая строка");
    std::vector<Position> highestBefore;
    for (const Layout* l : kArchived) highestBefore.push_back(highestPosition(rowsOf(l->diskName, *l)));

    ASSERT_EQ(restoreArchive(), RestoreResult::Restored);
    EXPECT_EQ(contentsOf(""), saved);
    for (std::size_t i = 0; i < kArchived.size(); ++i)
        for (const Row& r : rowsOf(kArchived[i]->diskName, *kArchived[i]))
            EXPECT_GT(r.position, highestBefore[i]) << kArchived[i]->label;
    // the window that held the deleted estimate's position finds nothing there
    EXPECT_EQ(files.headers.fetch(first), records::kRecordNotFound);
    // and it reads the restored records through its open connection
    files.header.NUMBER = 1;
    ASSERT_EQ(files.headers.get(HeadersLayout().keyIndex("DFL:BYNUM")), 0);
    EXPECT_EQ(files.header.NAME.toQString(), QStringLiteral("Ремонт кровли"));
}

TEST_F(ArchiveTest, SavesAConsistentCopyWhileAnotherThreadWrites)
{
    EstimateFiles other;
    other.addHeader(1, "Первая");
    ASSERT_TRUE(saveArchive());
    EXPECT_EQ(contentsOf("sav/"), contentsOf(""));

    other.addHeader(2, "Вторая");
    other.addGroup(2, 1, "Раздел");
    ASSERT_TRUE(saveArchive());
    const auto consistent = contentsOf("");
    EXPECT_EQ(contentsOf("sav/"), consistent);

    // an unfinished write is never copied (the save waits for the locks, then gives up)
    ASSERT_EQ(other.headers.write([&] {
        other.addHeader(3, "Третья");
        saveArchive();
        EXPECT_EQ(contentsOf("sav/"), consistent);
        return 0;
    }),
              0);

    ASSERT_TRUE(saveArchive());
    EXPECT_EQ(contentsOf("sav/"), contentsOf(""));
    EXPECT_EQ(contentsOf("sav/")[0].size(), 3u);
    other.addHeader(4, "После сохранения");  // the other connection goes on unharmed
}

TEST_F(ArchiveTest, WithoutAnArchiveNothingIsRestored)
{
    enum class Archive { NoFolder, EmptyFolder, EmptyFiles };
    for (Archive archive : {Archive::NoFolder, Archive::EmptyFolder, Archive::EmptyFiles}) {
        SCOPED_TRACE(int(archive));
        test::TempWorkDir own;
        EstimateFiles files;
        files.fill();
        if (archive != Archive::NoFolder) {
            ASSERT_TRUE(QDir().mkdir("sav"));
        }
        if (archive == Archive::EmptyFiles) {
            for (const Layout* l : kArchived) QFile(QString::fromStdString(archived(*l))).open(QIODevice::WriteOnly);
        }
        const auto before = contentsOf("");

        EXPECT_EQ(restoreArchive(), RestoreResult::NothingToRestore);
        EXPECT_EQ(contentsOf(""), before);
        EXPECT_TRUE(QDir("sav").exists());
    }
}

TEST_F(ArchiveTest, APartialArchiveRestoresNothing)
{
    EstimateFiles files;
    files.fill();
    ASSERT_TRUE(saveArchive());
    ASSERT_TRUE(QFile::remove(QString::fromStdString(archived(WrksInSmtLayout()))));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(archived(GroupsWksLayout()))));
    files.addHeader(3, "После сохранения");
    const auto before = contentsOf("");

    EXPECT_EQ(restoreArchive(), RestoreResult::Incomplete);
    EXPECT_EQ(contentsOf(""), before);
}

TEST_F(ArchiveTest, AForeignFileInTheArchiveFailsTheSaveAndStaysUntouched)
{
    enum class Foreign { Text, OtherDatabase };
    for (Foreign foreign : {Foreign::Text, Foreign::OtherDatabase}) {
        SCOPED_TRACE(int(foreign));
        test::TempWorkDir own;
        EstimateFiles files;
        files.fill();
        ASSERT_TRUE(QDir().mkdir("sav"));
        const std::string path = archived(WrksInSmtLayout());
        if (foreign == Foreign::Text) {
            QFile f(QString::fromStdString(path));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("not a record file\r\n");
        } else {
            sqlite3* db = nullptr;
            ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
            sqlite3_exec(db, "CREATE TABLE records (pos INTEGER PRIMARY KEY, x TEXT);"
                             "INSERT INTO records VALUES (1, 'x')",
                         nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        const QByteArray bytes = bytesOf(path);

        EXPECT_FALSE(saveArchive());
        EXPECT_EQ(bytesOf(path), bytes);
        // nothing of the estimates reached the archive
        EXPECT_TRUE(rowsOf(archived(HeadersLayout()), HeadersLayout()).empty());
        EXPECT_TRUE(rowsOf(archived(GroupsWksLayout()), GroupsWksLayout()).empty());
    }
}

}  // namespace
