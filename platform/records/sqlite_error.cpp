#include "platform/records/sqlite_error.h"

#include "platform/records/path_check.h"

#include <sqlite3.h>
#include <sys/stat.h>

namespace records {
namespace {

// A primary result code of SQLite: the platform's code it is, or for a driver error (code 90)
// the text shown with SQLite's extended code in its place.
struct Meaning {
    int platformCode;
    const char* driverText;
};

Meaning meaningOf(int primary)
{
    switch (primary) {
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_AUTH: return {kAccessDenied, nullptr};
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return {kLocked, nullptr};
    case SQLITE_NOMEM: return {kOutOfMemory, nullptr};
    case SQLITE_CORRUPT: return {kDamagedFile, nullptr};
    case SQLITE_NOTADB: return {kBadFileStructure, nullptr};
    case SQLITE_ERROR: return {kDriverError, "Ошибка в запросе к файлу"};
    case SQLITE_ABORT:
    case SQLITE_INTERRUPT: return {kDriverError, "Операция прервана"};
    case SQLITE_IOERR: return {kDriverError, "Ошибка чтения или записи диска"};
    case SQLITE_FULL: return {kDriverError, "Диск заполнен"};
    case SQLITE_CANTOPEN: return {kDriverError, "Невозможно открыть файл"};
    case SQLITE_PROTOCOL: return {kDriverError, "Ошибка протокола блокировок"};
    case SQLITE_SCHEMA: return {kDriverError, "Структура файла изменилась"};
    case SQLITE_TOOBIG: return {kDriverError, "Значение слишком велико"};
    case SQLITE_CONSTRAINT: return {kDriverError, "Запись нарушает ограничение файла"};
    case SQLITE_MISMATCH: return {kDriverError, "Несоответствие типа данных"};
    case SQLITE_NOLFS: return {kDriverError, "Большие файлы не поддерживаются"};
    case SQLITE_RANGE: return {kDriverError, "Неверный номер параметра"};
    case SQLITE_NOTICE:
    case SQLITE_WARNING: return {kDriverError, "Предупреждение драйвера"};
    default: return {kDriverError, "Внутренняя ошибка драйвера"};
    }
}

}  // namespace

RecordError errorOfSqlite(int rc, const std::string& path)
{
    if (rc == SQLITE_CONSTRAINT_UNIQUE) return errorOf(kDuplicateKey);
    if (rc == SQLITE_IOERR_NOMEM) return errorOf(kOutOfMemory);
    if ((rc & 0xff) == SQLITE_CANTOPEN) {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) return errorOf(kFileNotFound);
        if (RecordError odd = refusalOfPath(st); odd.code != kNoError) return odd;
        return errorOf(kAccessDenied);
    }
    const Meaning m = meaningOf(rc & 0xff);
    if (!m.driverText) return errorOf(m.platformCode);
    return RecordError{kDriverError, driverErrorTextOf(QString::fromUtf8(m.driverText), rc)};
}

}  // namespace records
