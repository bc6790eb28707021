#pragma once
// Journals that a crash left beside the record files.
//
// A commit over attached files writes a super-journal named after the connection's main file
// ("GROUPSWK.TPS-mj034E27954") that holds the full names of the files' journals, each ended by
// a zero byte, and then points each journal to it. SQLite removes a super-journal only while it
// rolls back a journal that points to it, so one written before any journal pointed to it, or
// one whose last rollback was cut short, stays in the folder for ever.
//
// A journal whose header was never synced (its first byte is zero) is not hot: SQLite leaves
// it beside the file until the file's next write.

#include <string>

namespace records {

// After SQLite has opened and read the record file `diskName` (rolling back a hot journal of
// it): removes the file's journal when it is not hot and no write holds the file, then every
// super-journal in the current folder that no commit is using (a read lock on its main file is
// taken at once through SQLite, or it is left) and none of whose journals exists any more: a
// journal that points to it is still to be rolled back with it.
void removeLeftoverJournals(const std::string& diskName);

}  // namespace records
