#pragma once
// A keyed record file: one SQLite database in the current directory under the file's disk
// name, holding one table of records (their positions are row ids that are never reused),
// one index per key, and the layout and collation versions it was written with.
//
// One RecordFile per file and logical thread. Every operation runs one short statement and
// resets it at once, so nothing stays active between operations and other threads' commits
// are seen by the next one.

#include "platform/records/error_codes.h"
#include "platform/records/layout.h"
#include "platform/records/storage.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace records {

using Position = std::int64_t;  // 0: none

class RecordFile : public Storage {
public:
    // `buffer` is the thread's record buffer of the layout; it must outlive the file.
    RecordFile(const Layout& layout, void* buffer);
    ~RecordFile() override;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    const Layout& layout() const { return layout_; }
    void* buffer() const { return buffer_; }

    // Opening. The file is the layout's disk name in the current directory.
    // Results: 0; kFileNotFound (also a zero-length file); kAccessDenied (also a file that opens
    // read-only when write was asked); kKeysToRebuild (the key set or the collation differ);
    // kBadFileStructure (not our layout, or our layout of another version: never touched; or a
    // folder or other odd thing in place of the file, with the reason as its text);
    // kDamagedFile; kDriverError. The file is open only on success.
    int open(OpenAccess access) override;
    // A new empty file with its keys (one that another connection made meanwhile is kept);
    // kAccessDenied, kDriverError.
    int create() override;
    // Drops and builds every key anew and records the collation version, on the open
    // connection or on one of its own.
    int rebuildKeys();
    void close() override;
    bool isOpen() const override { return db_ != nullptr; }
    bool isReadOnly() const override { return readOnly_; }

    // By position; each reads into or writes from the record buffer unless `record` is given.
    int fetch(Position pos, void* record = nullptr);  // kRecordNotFound when it is gone
    int add() override;                               // a new position, kept as position()
    int put();     // writes the buffer over position(); kRecordNotFound when no row was touched
    int remove();  // deletes position(); kRecordNotFound when no row was touched
    Position position() const { return position_; }
    void setPosition(Position pos) { position_ = pos; }

    // By key (index into layout().keys).
    // The first record in key order whose key fields equal the buffer's; kRecordNotFound.
    int get(int key);
    // The first unique key (in key order) whose values in `record` another record (not at
    // `except`) already holds, or -1 (also when the look-up fails: see lastError()).
    int duplicateKey(const void* record, Position except);
    // The highest value of the key's integer `component` (its index among the key's
    // components, from 0) among the records whose components before it equal those of
    // `record`; found=false when there is none.
    int highestComponent(int key, int component, const void* record, std::int64_t& value, bool& found);

    // Runs `body` (a platform code) as one write: one immediate transaction over this file and
    // the files attached now, committed when `body` succeeds and rolled back otherwise. A lock
    // another connection holds is waited for, at most the lock wait, by trying the whole again
    // (inWriteTransaction): `body` must be repeatable. kLocked when the locks stayed held. On a
    // read-only file `body` runs alone and its writes fail with access denied.
    int write(const std::function<int()>& body);
    // Nothing active: no transaction and no statement in progress.
    bool isIdle() const;

    // A write whose changes reach related files attaches them to this connection for that
    // write, so that all commit together, and detaches them after (an immediate transaction
    // write-locks every attached file). Outside a write only. A missing related file is
    // created; one that may not be written is attached read-only; kBadFileStructure refuses a
    // foreign one (or a folder in its place), kKeysToRebuild asks for its keys to be rebuilt
    // first (neither is attached).
    int attach(const Layout& related);
    void detachAll();
    // In an attached file: records whose `childColumns` equal `oldValues` (fields of `parent`
    // read from `parentOld`) get the values of `parentNew`, or are deleted.
    int cascadeUpdate(const Layout& child, const std::vector<std::pair<int, int>>& links, const void* parentOld,
                      const void* parentNew, std::int64_t* changed = nullptr);
    int cascadeDelete(const Layout& child, const std::vector<std::pair<int, int>>& links, const void* parentOld,
                      std::int64_t* changed = nullptr);
    // Exchanges the value of `column` between the records at `a` and `b`, stored as `recordA`
    // and `recordB` hold them, in one statement: no record ever holds a value of its own
    // making. kRecordNotFound when either record is gone. SQLite checks a unique key row by row,
    // so a column of a unique key cannot be exchanged this way: that fails as a duplicate and
    // changes nothing.
    int exchange(Position a, const void* recordA, Position b, const void* recordB, int column);
    // In an attached file, in one statement: the records linked to `first` take the link
    // values of `second`, and those linked to `second` the values of `first`.
    int exchangeLinked(const Layout& child, const std::vector<std::pair<int, int>>& links, const void* first,
                       const void* second);

    // The last failure: code and the "%ErrorText" form of it.
    const RecordError& lastError() const override { return error_; }

    // Told when an opening takes over a second because a file of an earlier build gets its
    // folded copies (running), and again when that is done; for a progress window.
    using UpgradeObserver = std::function<void(const std::string& diskName, bool running)>;
    static void setUpgradeObserver(UpgradeObserver observer);

    // Every open record file of the process (the fatal path rolls them back and closes them).
    static void forEachOpen(const std::function<void(RecordFile&)>& fn);

    // Internals shared with Cursor.
    sqlite3* connection() const { return db_; }
    // The statement of `sql`, prepared once per connection; null when it cannot be (see
    // lastError()).
    sqlite3_stmt* statement(const std::string& sql);
    int fail(int code);
    int failFromSqlite(int sqliteResult);

private:
    struct Statement;
    struct Queries;

    // A file written without the layout's folded copies gets them (schema::upgradeFoldedCopies).
    int bringFoldedCopiesUpToDate(sqlite3* db);

    const Layout& layout_;
    std::unique_ptr<const Queries> queries_;
    void* buffer_;
    sqlite3* db_ = nullptr;
    bool readOnly_ = false;
    Position position_ = 0;
    RecordError error_;
    std::map<std::string, std::unique_ptr<Statement>> statements_;
    std::vector<std::string> attached_;
};

}  // namespace records
