#pragma once
// SQLite's failures as the platform's error codes the file managers react to.

#include "platform/records/error_codes.h"

#include <string>

struct sqlite3;

namespace records {

// `rc`: the extended result of a failed call on `db` (null when there is no connection);
// `path`: the file the connection is about, to tell a missing file from a refused one.
RecordError errorOfSqlite(sqlite3* db, int rc, const std::string& path);

}  // namespace records
