#pragma once
// SQLite connections as the record files use them, and the few plain calls the file's
// structure needs (the operations on records go through RecordFile's cached statements).

#include "platform/records/error_codes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace records {

// Our own name, so that SQLite's tools never take it for their ASCII-only NOCASE.
inline constexpr const char* kNoCaseCollation = "TLX_NOCASE";
// The SQL function that upper-cases a text by the same windows-1251 tables, for searches
// that must fold case as the program does (Е and Ё stay apart).
inline constexpr const char* kUpperFunction = "tlx_upper";
// Gives a connection the function (every record file's connection has it).
void addUpperFunction(sqlite3* db);

struct CloseConnection {
    void operator()(sqlite3* db) const;
};
using Connection = std::unique_ptr<sqlite3, CloseConnection>;

// Opens `path` with SQLite's open `flags`: extended result codes and our collation; a lock
// another connection holds is answered at once (the operations wait for it, lock_wait.h).
// Null with `error` set when it fails.
Connection openConnection(const std::string& path, int flags, RecordError& error);
// Rollback journal beside the file (atomic commits over attached files) and full syncs, for
// one schema of the connection ("main" or an attached alias).
int setWriteModes(sqlite3* db, const std::string& schema);

// One statement run to its end; SQLite result codes. Outside a transaction each waits for
// another connection's lock.
int execute(sqlite3* db, const std::string& sql);
// The first column of the first row; 0 when there is no row.
int queryInteger(sqlite3* db, const std::string& sql, std::int64_t& value);
int forEachRow(sqlite3* db, const std::string& sql, const std::function<void(sqlite3_stmt*)>& onRow);

// The one way the record layer writes: `body` (returning an SQLite result) runs in a BEGIN
// IMMEDIATE transaction over the databases attached now, committed when it succeeds and rolled
// back when anything fails. A lock another connection holds, met at the start, inside or at the
// commit, rolls everything back and the whole is tried again after a sleep, for at most the
// lock wait (lock_wait.h): `body` must be repeatable, and only the waiting logical thread
// waits, holding nothing.
int inWriteTransaction(sqlite3* db, const std::function<int()>& body);

}  // namespace records
