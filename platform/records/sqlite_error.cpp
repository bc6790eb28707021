#include "platform/records/sqlite_error.h"

#include <sqlite3.h>
#include <sys/stat.h>

namespace records {
namespace {

bool exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

int platformCodeOf(int rc, const std::string& path)
{
    if (rc == SQLITE_CONSTRAINT_UNIQUE) return kDuplicateKey;
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return kLocked;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return kAccessDenied;
    case SQLITE_CANTOPEN: return exists(path) ? kAccessDenied : kFileNotFound;
    case SQLITE_NOTADB: return kBadFileStructure;
    case SQLITE_CORRUPT: return kDamagedFile;
    default: return kDriverError;
    }
}

}  // namespace

RecordError errorOfSqlite(sqlite3* db, int rc, const std::string& path)
{
    const int code = platformCodeOf(rc, path);
    if (code != kDriverError) return errorOf(code);
    const char* message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    return RecordError{code, driverErrorTextOf(QString::fromUtf8(message), rc)};
}

}  // namespace records
