#include "platform/records/connection.h"

#include "platform/core/collation.h"
#include "platform/records/record_file.h"
#include "platform/records/sql_text.h"
#include "platform/records/sqlite_error.h"

#include <sqlite3.h>

#include <string_view>

namespace records {
namespace {

int compareNoCase(void*, int sizeA, const void* a, int sizeB, const void* b)
{
    return collation::compareNoCaseUtf8(std::string_view(static_cast<const char*>(a), std::size_t(sizeA)),
                                        std::string_view(static_cast<const char*>(b), std::size_t(sizeB)));
}

// Runs a statement to its first row; `row` tells whether there was one.
template <class OnRow>
int runOnce(sqlite3* db, const std::string& sql, OnRow onRow)
{
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) return rc;
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) onRow(stmt);
    sqlite3_finalize(stmt);
    return rc == SQLITE_ROW || rc == SQLITE_DONE ? SQLITE_OK : rc;
}

}  // namespace

void CloseConnection::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

Connection openConnection(const std::string& path, int flags, RecordError& error)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags | SQLITE_OPEN_EXRESCODE, nullptr);
    Connection db(raw);
    if (rc != SQLITE_OK) {
        error = errorOfSqlite(raw, rc, path);
        return nullptr;
    }
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, RecordFile::kLockWaitMs);
    sqlite3_create_collation_v2(raw, kNoCaseCollation, SQLITE_UTF8, nullptr, compareNoCase, nullptr);
    // Reading in key order visits the table out of position order; SQLite keeps the pages
    // between statements while no other connection writes. Up to 16 MiB, taken as used.
    execute(raw, "PRAGMA cache_size = -16384");
    return db;
}

int setWriteModes(sqlite3* db, const std::string& schema)
{
    const std::string prefix = "PRAGMA " + sql::quoted(schema) + '.';
    int rc = execute(db, prefix + "journal_mode=DELETE");
    if (rc == SQLITE_OK) rc = execute(db, prefix + "synchronous=FULL");
    return rc;
}

int execute(sqlite3* db, const std::string& sql)
{
    return runOnce(db, sql, [](sqlite3_stmt*) {});
}

int queryInteger(sqlite3* db, const std::string& sql, std::int64_t& value)
{
    value = 0;
    return runOnce(db, sql, [&](sqlite3_stmt* stmt) { value = sqlite3_column_int64(stmt, 0); });
}

}  // namespace records
