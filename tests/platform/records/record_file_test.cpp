#include "platform/records/record_file.h"

#include "platform/records/lock_wait.h"
#include "tests/platform/records/test_records.h"
#include "tests/support/other_program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

namespace {

using namespace records;

const char* const kDisk = "ITEMSOFT.TPS";

class RecordFileTest : public RecordsTest {};

TEST_F(RecordFileTest, CreatesAMissingOrEmptyFileWithItsStructure)
{
    for (bool zeroLength : {false, true}) {
        ::unlink(kDisk);
        if (zeroLength) QFile(QString::fromLatin1(kDisk)).open(QIODevice::WriteOnly);
        RecordFile file(layout_, &buffer_);
        EXPECT_EQ(file.open(OpenAccess::ReadWrite), kFileNotFound);
        EXPECT_EQ(file.lastError().code, kFileNotFound);
        EXPECT_TRUE(file.lastError().text.endsWith(QStringLiteral(" (2)"))) << file.lastError().text.toStdString();
        openNew(file);
        EXPECT_TRUE(file.isOpen());
        EXPECT_FALSE(file.isReadOnly());
        file.close();

        RawConnection raw(kDisk);
        const std::string table = raw.column("SELECT sql FROM sqlite_master WHERE name = 'records'").at(0);
        EXPECT_NE(table.find("\"CODE\" TEXT NOT NULL DEFAULT '' COLLATE TLX_NOCASE"), std::string::npos) << table;
        EXPECT_NE(table.find("\"PRICE\" INTEGER NOT NULL DEFAULT 0,"), std::string::npos) << table;
        EXPECT_NE(table.find("AUTOINCREMENT"), std::string::npos);
        EXPECT_EQ(raw.column("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name"),
                  (std::vector<std::string>{"BYCODE", "BYGROUP", "BYNAME"}));
        EXPECT_EQ(raw.column("PRAGMA journal_mode").at(0), "delete");
    }
}

TEST_F(RecordFileTest, CreatingAFileAnotherConnectionMadeKeepsIt)
{
    RecordFile first(layout_, &buffer_);
    openNew(first);
    add(first, item("A", 1, 1));
    RecordFile second(layout_, &buffer_);
    EXPECT_EQ(second.create(), 0);
    EXPECT_EQ(first.fetch(first.position()), 0);
}

TEST_F(RecordFileTest, RefusesForeignFilesWithoutTouchingThem)
{
    const std::function<void()> makers[] = {
        [] {
            QFile f(QString::fromLatin1(kDisk));
            f.open(QIODevice::WriteOnly);
            f.write("not a record file\n");
        },
        [] { RawConnection(kDisk).exec("CREATE TABLE records (pos INTEGER PRIMARY KEY, CODE TEXT)"); },
        [] {
            // our layout under another version
            const Layout older = itemBuilder(2).build();
            Item b;
            RecordFile(older, &b).create();
        },
    };
    for (const auto& make : makers) {
        ::unlink(kDisk);
        make();
        const QByteArray before = bytesOf(kDisk);
        ASSERT_FALSE(before.isEmpty());
        RecordFile file(layout_, &buffer_);
        EXPECT_EQ(file.open(OpenAccess::ReadWrite), kBadFileStructure);
        EXPECT_EQ(file.open(OpenAccess::ReadOnly), kBadFileStructure);
        EXPECT_EQ(file.rebuildKeys(), kBadFileStructure);
        EXPECT_FALSE(file.isOpen());
        EXPECT_EQ(bytesOf(kDisk), before);
    }
}

TEST_F(RecordFileTest, AnotherCollationOrKeySetAsksForTheKeysToBeRebuilt)
{
    {
        RecordFile file(layout_, &buffer_);
        openNew(file);
        add(file, item("A", 1, 1, "x"));
    }
    RawConnection(kDisk).exec("UPDATE tolvex_meta SET value = '0' WHERE name = 'collation'");
    {
        RecordFile file(layout_, &buffer_);
        EXPECT_EQ(file.open(OpenAccess::ReadWrite), kKeysToRebuild);
        EXPECT_FALSE(file.isOpen());
        EXPECT_EQ(file.rebuildKeys(), 0) << file.lastError().text.toStdString();
        EXPECT_EQ(file.open(OpenAccess::ReadWrite), 0);
    }

    const Layout withPriceKey = itemBuilder().key("ITM:BYPRICE", {"PRICE"}, Opt).build();
    RecordFile file(withPriceKey, &buffer_);
    EXPECT_EQ(file.open(OpenAccess::ReadWrite), kKeysToRebuild);
    EXPECT_EQ(file.rebuildKeys(), 0);
    ASSERT_EQ(file.open(OpenAccess::ReadWrite), 0);
    EXPECT_EQ(RawConnection(kDisk).column("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name"),
              (std::vector<std::string>{"BYCODE", "BYGROUP", "BYNAME", "BYPRICE"}));
    // the new unique key holds from the rebuild on
    Item priced = item("B", 1, 2);
    priced.PRICE = Decimal(7);
    add(file, priced);
    priced.CODE = "C";
    buffer_ = priced;
    EXPECT_EQ(file.add(), kDuplicateKey);
}

TEST_F(RecordFileTest, AFileWithoutWritePermissionOpensReadOnly)
{
    Position pos = 0;
    {
        RecordFile file(layout_, &buffer_);
        openNew(file);
        pos = add(file, item("A", 1, 1));
    }
    ASSERT_EQ(::chmod(kDisk, 0444), 0);
    RecordFile file(layout_, &buffer_);
    EXPECT_EQ(file.open(OpenAccess::ReadWrite), kAccessDenied);
    ASSERT_EQ(file.open(OpenAccess::ReadOnly), 0);
    EXPECT_TRUE(file.isReadOnly());
    EXPECT_EQ(file.fetch(pos), 0);
    EXPECT_EQ(file.put(), kAccessDenied);
    EXPECT_EQ(file.add(), kAccessDenied);
    EXPECT_EQ(file.remove(), kAccessDenied);
    EXPECT_EQ(file.write([&] { return file.put(); }), kAccessDenied);
}

TEST_F(RecordFileTest, UniqueNoCaseKeyRefusesAValueInAnotherCase)
{
    RecordFile file(layout_, &buffer_);
    openNew(file);
    const Position first = add(file, item(cp("м2").c_str(), 1, 1));
    add(file, item("Ab", 1, 2));
    for (const std::string& code : {cp("М2"), std::string("aB  ")}) {
        buffer_ = item(code.c_str(), 2, 2);
        EXPECT_EQ(file.add(), kDuplicateKey) << code;
        EXPECT_TRUE(file.lastError().text.endsWith(QStringLiteral(" (40)")));
        EXPECT_EQ(file.duplicateKey(&buffer_, 0), kByCode);
    }
    EXPECT_EQ(file.fetch(first), 0);
    EXPECT_EQ(file.duplicateKey(&buffer_, first), -1);  // the record itself is no duplicate
    buffer_.CODE = "Ab";
    EXPECT_EQ(file.put(), kDuplicateKey);
}

TEST_F(RecordFileTest, BlankValuesAreOutOfAnOptionalKey)
{
    RecordFile file(layout_, &buffer_);
    openNew(file);
    add(file, item("", 1, 1, "same"));
    add(file, item("", 1, 2, "same"));
    const Item blank = item("", 2, 1);
    EXPECT_EQ(file.duplicateKey(&blank, 0), -1);
    add(file, item("K", 1, 3));

    buffer_ = item("", 0, 0);
    EXPECT_EQ(file.get(kByCode), kRecordNotFound);
    Cursor byCode(file, kByCode);
    EXPECT_EQ(readAll(byCode, true).size(), 1u);
    Cursor byName(file, kByName);
    EXPECT_EQ(readAll(byName, true).size(), 2u);  // a DUP key keeps equal values
}

TEST_F(RecordFileTest, AStalePositionIsNotFound)
{
    RecordFile file(layout_, &buffer_);
    openNew(file);
    const Position pos = add(file, item("A", 1, 1));

    Item otherBuffer;
    RecordFile other(layout_, &otherBuffer);
    ASSERT_EQ(other.open(OpenAccess::ReadWrite), 0);
    ASSERT_EQ(other.fetch(pos), 0);
    ASSERT_EQ(other.remove(), 0);

    EXPECT_EQ(file.put(), kRecordNotFound);
    EXPECT_EQ(file.remove(), kRecordNotFound);
    EXPECT_EQ(file.fetch(pos), kRecordNotFound);
    EXPECT_EQ(file.lastError().code, kRecordNotFound);
}

TEST_F(RecordFileTest, PositionsAreNeverReused)
{
    RecordFile file(layout_, &buffer_);
    openNew(file);
    add(file, item("A", 1, 1));
    const Position last = add(file, item("B", 1, 2));
    ASSERT_EQ(file.remove(), 0);
    EXPECT_EQ(add(file, item("C", 1, 3)), last + 1);
}

TEST_F(RecordFileTest, StoresTextsAsUtf8AndKeepsMemoBytes)
{
    RecordFile file(layout_, &buffer_);
    openNew(file);
    Item stored = item("k", 1, 1);
    stored.NAME.setBytes(cp("Смета") + "\x98 x  ");
    stored.PRICE = *Decimal::parse("-12.34");
    const std::string memo("a\x98  \0b  ", 8);
    stored.NOTE.setBytes(memo);
    const Position pos = add(file, stored);

    RawConnection raw(kDisk);
    EXPECT_EQ(raw.column("SELECT NAME FROM records").at(0), "Смета\xc2\x98 x");
    EXPECT_EQ(raw.column("SELECT PRICE FROM records").at(0), "-1234");
    EXPECT_EQ(raw.column("SELECT length(NOTE) FROM records").at(0), "8");

    Item read;
    ASSERT_EQ(file.fetch(pos, &read), 0);
    EXPECT_EQ(read.NAME.bytes(), stored.NAME.bytes());
    EXPECT_EQ(read.NOTE.bytes(), memo);
    EXPECT_EQ(read.PRICE, stored.PRICE);

    // another program's longer text is cut to the field, a character of no code page is "?"
    raw.exec("UPDATE records SET NAME = 'ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ', CODE = 'a日b'");
    ASSERT_EQ(file.fetch(pos, &read), 0);
    EXPECT_EQ(read.NAME.bytes(), std::string(30, cp("Ж")[0]));
    EXPECT_EQ(read.CODE.bytes(), "a?b         ");
}

TEST_F(RecordFileTest, GetsByKeyAndFindsTheHighestComponent)
{
    RecordFile file(layout_, &buffer_);
    openNew(file);
    const Position firstSame = add(file, item("1", 1, 1, "same"));
    const Position two = add(file, item("2", 1, 2, "same"));
    add(file, item("3", 1, 5));
    add(file, item("4", 2, 9));

    buffer_ = item("", 1, 2);
    ASSERT_EQ(file.get(kByGroup), 0);
    EXPECT_EQ(file.position(), two);
    EXPECT_EQ(buffer_.CODE, FixedString<1>("2"));
    buffer_ = item("", 0, 0, "SAME");
    ASSERT_EQ(file.get(kByName), 0);
    EXPECT_EQ(file.position(), firstSame);
    buffer_ = item("", 3, 1);
    EXPECT_EQ(file.get(kByGroup), kRecordNotFound);

    struct Case {
        int group, component;
        bool found;
        std::int64_t value;
    };
    for (const Case& c : {Case{1, 1, true, 5}, Case{2, 1, true, 9}, Case{3, 1, false, 0}, Case{0, 0, true, 2}}) {
        const Item probe = item("", c.group, 0);
        std::int64_t value = -1;
        bool found = true;
        ASSERT_EQ(file.highestComponent(kByGroup, c.component, &probe, value, found), 0);
        EXPECT_EQ(found, c.found) << c.group;
        if (c.found) {
            EXPECT_EQ(value, c.value) << c.group;
        }
    }
}

TEST_F(RecordFileTest, AWriteCommitsOrRollsBackWhole)
{
    RecordFile file(layout_, &buffer_);
    openNew(file);
    EXPECT_TRUE(file.isIdle());
    Position dropped = 0;
    EXPECT_EQ(file.write([&] {
        EXPECT_FALSE(file.isIdle());
        dropped = add(file, item("A", 1, 1));
        buffer_ = item("A", 2, 2);
        return file.add();  // a duplicate: the whole write is undone
    }),
              kDuplicateKey);
    EXPECT_TRUE(file.isIdle());
    EXPECT_EQ(file.fetch(dropped), kRecordNotFound);

    Position kept = 0;
    ASSERT_EQ(file.write([&] {
        kept = add(file, item("B", 1, 1));
        return 0;
    }),
              0);
    EXPECT_EQ(file.fetch(kept), 0);
    EXPECT_TRUE(file.isIdle());
}

// Another program holds the write lock: a write waits the lock wait, trying again, then gives
// up with nothing held, while reads go on; once the lock is gone the write goes through.
TEST_F(RecordFileTest, AWriteWaitsForAnotherProgramsLockThenReportsLocked)
{
    RecordFile file(layout_, &buffer_);
    openNew(file);
    const Position first = add(file, item("A", 1, 1));
    file.close();  // no connection of ours is copied into the other program
    test::OtherProgram other(kDisk, "BEGIN IMMEDIATE");
    ASSERT_EQ(file.open(OpenAccess::ReadWrite), 0);
    ASSERT_TRUE(other.lock());

    int runs = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(file.write([&] {
        ++runs;
        return file.put();
    }),
              kLocked);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(kLockWaitMs - 200));
    EXPECT_LT(waited, std::chrono::milliseconds(kLockWaitMs * 2));
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(file.isIdle());
    EXPECT_EQ(file.fetch(first), 0);

    other.release();
    buffer_.NAME = "changed";
    EXPECT_EQ(file.write([&] { return file.put(); }), 0);
    EXPECT_EQ(file.fetch(first), 0);
    EXPECT_EQ(buffer_.NAME, QStringLiteral("changed"));
}

TEST_F(RecordFileTest, OpenFilesAreListedUntilClosed)
{
    RecordFile file(layout_, &buffer_);
    openNew(file);
    auto count = [&] {
        int n = 0;
        RecordFile::forEachOpen([&](RecordFile& f) { n += &f == &file; });
        return n;
    };
    EXPECT_EQ(count(), 1);
    RecordFile::forEachOpen([](RecordFile& f) { f.close(); });
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(file.fetch(1), kFileNotOpen);
}

}  // namespace
