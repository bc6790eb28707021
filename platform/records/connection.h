#pragma once
// SQLite connections as the record files use them, and the few plain calls the file's
// structure needs (the operations on records go through RecordFile's cached statements).

#include "platform/records/error_codes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct sqlite3;

namespace records {

// Our own name, so that SQLite's tools never take it for their ASCII-only NOCASE.
inline constexpr const char* kNoCaseCollation = "TLX_NOCASE";

struct CloseConnection {
    void operator()(sqlite3* db) const;
};
using Connection = std::unique_ptr<sqlite3, CloseConnection>;

// Opens `path` with SQLite's open `flags`: extended result codes, the lock wait and our
// collation. Null with `error` set when it fails.
Connection openConnection(const std::string& path, int flags, RecordError& error);
// Rollback journal beside the file (atomic commits over attached files) and full syncs, for
// one schema of the connection ("main" or an attached alias).
int setWriteModes(sqlite3* db, const std::string& schema);

// SQLite result codes.
int execute(sqlite3* db, const std::string& sql);
// The first column of the first row; 0 when there is no row.
int queryInteger(sqlite3* db, const std::string& sql, std::int64_t& value);

// Runs `body` (returning an SQLite result) in a BEGIN IMMEDIATE transaction, committed when it
// succeeds and rolled back when anything fails.
int inWriteTransaction(sqlite3* db, const std::function<int()>& body);

}  // namespace records
