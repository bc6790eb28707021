// SQLite's failures as the platform's codes, each with a Russian text: SQLite's own English
// texts never reach a user.

#include "platform/records/sqlite_error.h"

#include "platform/core/regional.h"
#include "tests/platform/records/test_records.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

using namespace records;

class SqliteErrorTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        regional::installProgramSettings();
    }
};

bool hasLatinLetter(const QString& text)
{
    for (QChar c : text)
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) return true;
    return false;
}

TEST_F(SqliteErrorTest, EveryResultCodeHasARussianTextWithItsCode)
{
    QFile(QStringLiteral("REGULAR.TPS")).open(QIODevice::WriteOnly);
    for (int primary : {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                        16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 100, 101}) {
        // the primary code and the extended codes SQLite builds on it
        for (int extension = 0; extension < 40; ++extension) {
            const int rc = primary | (extension << 8);
            const RecordError e = errorOfSqlite(rc, "REGULAR.TPS");
            SCOPED_TRACE(std::to_string(rc) + ": " + e.text.toStdString());
            EXPECT_NE(e.code, kNoError);
            EXPECT_FALSE(hasLatinLetter(e.text));
            const int shown = e.code == kDriverError ? rc : e.code;
            EXPECT_TRUE(e.text.endsWith(QStringLiteral(" (%1)").arg(shown)));
            EXPECT_GT(e.text.size(), QStringLiteral(" (%1)").arg(shown).size());
        }
    }
}

TEST_F(SqliteErrorTest, ResultsTheManagersReactToAreTheirPlatformCodes)
{
    QFile(QStringLiteral("REGULAR.TPS")).open(QIODevice::WriteOnly);
    ASSERT_EQ(::mkdir("FOLDER.TPS", 0755), 0);
    struct Case {
        int rc;
        const char* path;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {SQLITE_CONSTRAINT_UNIQUE, "REGULAR.TPS", kDuplicateKey, "Недопустимое повторение ключа (40)"},
        {SQLITE_CONSTRAINT_NOTNULL, "REGULAR.TPS", kDriverError, "Запись нарушает ограничение файла (1299)"},
        {SQLITE_BUSY, "REGULAR.TPS", kLocked, "Файл уже заблокирован (32)"},
        {SQLITE_LOCKED_SHAREDCACHE, "REGULAR.TPS", kLocked, "Файл уже заблокирован (32)"},
        {SQLITE_READONLY_DBMOVED, "REGULAR.TPS", kAccessDenied, "Нет доступа (5)"},
        {SQLITE_CANTOPEN, "REGULAR.TPS", kAccessDenied, "Нет доступа (5)"},
        {SQLITE_CANTOPEN, "MISSING.TPS", kFileNotFound, "Файл не найден (2)"},
        {SQLITE_CANTOPEN_ISDIR, "FOLDER.TPS", kBadFileStructure, "это папка, а не файл данных (47)"},
        {SQLITE_NOTADB, "REGULAR.TPS", kBadFileStructure, "Неверная структура файла (47)"},
        {SQLITE_CORRUPT_INDEX, "REGULAR.TPS", kDamagedFile, "Поврежденный файл данных (36)"},
        {SQLITE_NOMEM, "REGULAR.TPS", kOutOfMemory, "Недостаточно памяти (8)"},
        {SQLITE_IOERR_NOMEM, "REGULAR.TPS", kOutOfMemory, "Недостаточно памяти (8)"},
        {SQLITE_IOERR_READ, "FOLDER.TPS", kDriverError, "Ошибка чтения или записи диска (266)"},
        {SQLITE_FULL, "REGULAR.TPS", kDriverError, "Диск заполнен (13)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rc);
        const RecordError e = errorOfSqlite(c.rc, c.path);
        EXPECT_EQ(e.code, c.code);
        EXPECT_EQ(e.text, QString::fromUtf8(c.text));
    }
}

}  // namespace
