#include "platform/records/connection.h"

#include "platform/core/collation.h"
#include "platform/records/lock_wait.h"
#include "platform/records/scan_slice.h"
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

void upperText(sqlite3_context* context, int, sqlite3_value** args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
    // one buffer for every row a search passes (SQLite copies the result)
    thread_local std::string upper;
    collation::toUpperUtf8(std::string_view(text ? text : "", std::size_t(sqlite3_value_bytes(args[0]))), upper);
    sqlite3_result_text(context, upper.data(), int(upper.size()), SQLITE_TRANSIENT);
}

// Runs a statement, giving each row to `onRow`. Outside a transaction another connection's
// lock is waited for, also while the statement is prepared (reading the file's structure).
template <class OnRow>
int runStatement(sqlite3* db, const std::string& sql, OnRow onRow)
{
    LockWait wait;
    sqlite3_stmt* stmt = nullptr;
    int rc;
    while (isLockResult(rc = sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &stmt, nullptr)) &&
           sqlite3_get_autocommit(db) && wait.again()) {
    }
    if (rc != SQLITE_OK) return rc;
    rc = firstStep(stmt);
    while (rc == SQLITE_ROW) {
        onRow(stmt);
        rc = sqlite3_step(stmt);
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

}  // namespace

void addUpperFunction(sqlite3* db)
{
    sqlite3_create_function_v2(db, kUpperFunction, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                               upperText, nullptr, nullptr, nullptr);
}

void CloseConnection::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

Connection openConnection(const std::string& path, int flags, RecordError& error)
{
    sqlite3* raw = nullptr;
    // URI names, so that a related file can be attached read-only; a plain name (which never
    // starts with "file:") stays the file's name
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags | SQLITE_OPEN_EXRESCODE | SQLITE_OPEN_URI, nullptr);
    Connection db(raw);
    if (rc != SQLITE_OK) {
        error = errorOfSqlite(rc, path);
        return nullptr;
    }
    sqlite3_extended_result_codes(raw, 1);
    // A quoted name that names no column is an error, never a text: a file whose columns
    // differ from the layout fails its statements instead of reading or writing nonsense.
    sqlite3_db_config(raw, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(raw, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    // no busy handler: a lock is waited for by trying the operation again (lock_wait.h)
    sqlite3_create_collation_v2(raw, kNoCaseCollation, SQLITE_UTF8, nullptr, compareNoCase, nullptr);
    addUpperFunction(raw);
    scan::addSeenFunction(raw);
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
    return runStatement(db, sql, [](sqlite3_stmt*) {});
}

int queryInteger(sqlite3* db, const std::string& sql, std::int64_t& value)
{
    value = 0;
    bool first = true;
    return runStatement(db, sql, [&](sqlite3_stmt* stmt) {
        if (first) value = sqlite3_column_int64(stmt, 0);
        first = false;
    });
}

int forEachRow(sqlite3* db, const std::string& sql, const std::function<void(sqlite3_stmt*)>& onRow)
{
    return runStatement(db, sql, onRow);
}

int inWriteTransaction(sqlite3* db, const std::function<int()>& body)
{
    LockWait wait;
    for (;;) {
        // prepared anew each time: BEGIN IMMEDIATE locks the databases attached when it is prepared
        int rc = execute(db, "BEGIN IMMEDIATE");
        if (rc == SQLITE_OK) {
            rc = body();
            if (rc == SQLITE_OK) rc = execute(db, "COMMIT");
            if (rc != SQLITE_OK && !sqlite3_get_autocommit(db)) execute(db, "ROLLBACK");
        }
        if (!isLockResult(rc) || !wait.again()) return rc;
    }
}

}  // namespace records
