#pragma once
// The structure of a record file's database: its table of records, one index per key, and a
// meta table with the label, the signatures of the columns and keys and the collation
// version they were built with.

#include "platform/records/error_codes.h"
#include "platform/records/layout.h"

#include <string>

struct sqlite3;

namespace records::schema {

// PRAGMA application_id of our record files ("TLXR")
inline constexpr int kApplicationId = 0x544C5852;

// Makes the file at the layout's disk name with its structure, in one transaction; a file
// that another connection filled meanwhile is left as it is. Platform code; `error` set.
int createFile(const Layout& layout, RecordError& error);
// Whether `schemaName` of the connection ("main" or an attached alias) holds the layout:
// 0; kKeysToRebuild when only the keys or the collation differ; kBadFileStructure when it is
// no file of this layout; or the failure of reading it.
int check(sqlite3* db, const std::string& schemaName, const Layout& layout, RecordError& error);
// Within the caller's write transaction: makes the layout's structure in `schemaName` when it
// is still empty (a file that SQLite has just made, at whatever path it was opened or attached
// from), otherwise checks it as check() does. The structure commits with the caller's writes.
int makeOrCheck(sqlite3* db, const std::string& schemaName, const Layout& layout, RecordError& error);
// Whether the folded copies of the file's texts (Column::folded) are those of the layout and
// of today's folding. Platform code; `error` set.
int foldedCopiesCurrent(sqlite3* db, const Layout& layout, bool& current, RecordError& error);
// Brings the folded copies of a file written without them (or with another folding) up to
// date: their columns, the triggers that keep them and their contents, in one transaction, so
// that an interruption leaves the file as it was.
int upgradeFoldedCopies(sqlite3* db, const Layout& layout, RecordError& error);
// Drops every index of the table and makes the layout's anew, recording the key signature
// and the collation version, in one transaction.
int rebuildKeys(sqlite3* db, const Layout& layout, RecordError& error);

}  // namespace records::schema
