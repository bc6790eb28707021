#include "platform/records/connection.h"

#include "platform/core/collation.h"
#include "platform/records/record_file.h"
#include "platform/records/sql_text.h"
#include "platform/records/sqlite_error.h"

#include <sqlite3.h>
#include <time.h>

#include <chrono>
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

// Waits for another connection's lock in steps of a millisecond, up to the lock wait. SQLite's
// own timeout backs off to steps of 100 ms, so a program writing one short transaction after
// another would keep the file to itself for seconds.
int waitForLock(void*, int attempt)
{
    using Clock = std::chrono::steady_clock;
    // one wait at a time on an OS thread: its first call starts the clock
    thread_local Clock::time_point start;
    if (attempt == 0) start = Clock::now();
    if (Clock::now() - start >= std::chrono::milliseconds(RecordFile::kLockWaitMs)) return 0;
    const timespec step{0, 1000 * 1000};
    ::nanosleep(&step, nullptr);
    return 1;
}

}  // namespace

void CloseConnection::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

Connection openConnection(const std::string& path, int flags, RecordError& error)
{
    sqlite3* raw = nullptr;
    // URI names, so that a related file can be attached read-only; a plain name (which never
    // starts with "file:") stays the file's name
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags | SQLITE_OPEN_EXRESCODE | SQLITE_OPEN_URI, nullptr);
    Connection db(raw);
    if (rc != SQLITE_OK) {
        error = errorOfSqlite(raw, rc, path);
        return nullptr;
    }
    sqlite3_extended_result_codes(raw, 1);
    // A quoted name that names no column is an error, never a text: a file whose columns
    // differ from the layout fails its statements instead of reading or writing nonsense.
    sqlite3_db_config(raw, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(raw, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_busy_handler(raw, waitForLock, nullptr);
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

int inWriteTransaction(sqlite3* db, const std::function<int()>& body)
{
    int rc = execute(db, "BEGIN IMMEDIATE");
    if (rc != SQLITE_OK) return rc;
    rc = body();
    if (rc == SQLITE_OK) rc = execute(db, "COMMIT");
    if (rc != SQLITE_OK && !sqlite3_get_autocommit(db)) execute(db, "ROLLBACK");
    return rc;
}

}  // namespace records
