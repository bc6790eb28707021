#pragma once
// SQLite's failures as the platform's error codes the file managers react to, each with a
// Russian text: SQLite's own texts are English and never reach a user.

#include "platform/records/error_codes.h"

#include <string>

namespace records {

// `rc`: the extended result of a failed call; `path`: the file it is about, to tell a missing
// file from a refused one.
RecordError errorOfSqlite(int rc, const std::string& path);

}  // namespace records
