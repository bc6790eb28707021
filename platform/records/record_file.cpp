#include "platform/records/record_file.h"

#include "platform/core/programming_error.h"
#include "platform/core/sleeping.h"
#include "platform/core/write_permission.h"
#include "platform/records/connection.h"
#include "platform/records/leftover_journals.h"
#include "platform/records/path_check.h"
#include "platform/records/row_io.h"
#include "platform/records/schema.h"
#include "platform/records/sql_text.h"
#include "platform/records/sqlite_error.h"
#include "platform/records/statement_use.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace records {

struct RecordFile::Statement {
    explicit Statement(sqlite3_stmt* s) : stmt(s) {}
    ~Statement() { sqlite3_finalize(stmt); }
    sqlite3_stmt* stmt;
};

// The SQL of every operation, built once per file.
struct RecordFile::Queries {
    struct ByKey {
        std::string get, duplicate;
        std::vector<std::string> highest;  // per component
    };
    std::string fetch, add, put, remove;
    std::vector<ByKey> keys;

    explicit Queries(const Layout& layout)
    {
        const std::string table = sql::kTable;
        const std::string atPosition = std::string(" WHERE ") + sql::kPosition + " = ?";
        std::string marks, assignments;
        for (const Column& c : layout.columns) {
            marks += marks.empty() ? "?" : ",?";
            assignments += (assignments.empty() ? "" : ",") + sql::quoted(c.name) + " = ?";
        }
        fetch = sql::selectRecord(layout) + atPosition;
        add = "INSERT INTO " + table + " (" + sql::columnList(layout) + ") VALUES (" + marks + ')';
        put = "UPDATE " + table + " SET " + assignments + atPosition;
        remove = "DELETE FROM " + table + atPosition;

        for (const Key& k : layout.keys) {
            const int n = int(k.components.size());
            const std::string inKey = sql::inKeyTest(layout, k);
            const std::string all = sql::equalities(layout, k, 0, n);
            ByKey q;
            // a unique key has one record at most; ordering it would cost a sort
            q.get = sql::selectRecord(layout) + sql::where({all, inKey}) +
                    (k.unique() ? "" : std::string(" ORDER BY ") + sql::kPosition) + " LIMIT 1";
            q.duplicate = "SELECT 1 FROM " + table +
                          sql::where({all, std::string(sql::kPosition) + " <> ?", inKey}) + " LIMIT 1";
            for (int i = 0; i < n; ++i) {
                // bounded by the field's highest value, so that it is a seek even without leading components
                const std::string column = sql::quoted(layout.columns[std::size_t(k.components[std::size_t(i)])].name);
                q.highest.push_back("SELECT " + column + " FROM " + table +
                                    sql::where({sql::equalities(layout, k, 0, i), column + " <= ?", inKey}) +
                                    " ORDER BY " + column + " DESC LIMIT 1");
            }
            keys.push_back(std::move(q));
        }
    }
};

namespace {

struct OpenFiles {
    std::mutex mutex;
    std::vector<RecordFile*> files;
};

OpenFiles& openFiles()
{
    static OpenFiles registry;
    return registry;
}

// How often the opening thread looks whether the folded copies are made, and after how long
// the observer is told.
constexpr int kUpgradeWaitStepMs = 10;
constexpr auto kUpgradeShownAfter = std::chrono::seconds(1);

RecordFile::UpgradeObserver& upgradeObserver()
{
    static RecordFile::UpgradeObserver observer;
    return observer;
}

// kFileNotFound for a missing or zero-length file, the refusal of a name that leads to no
// regular file, or no error. Never opens the file itself: closing any descriptor of it would
// drop the process's locks.
RecordError stateOfPath(const std::string& path, struct stat& st)
{
    if (::stat(path.c_str(), &st) != 0) return errorOf(kFileNotFound);
    if (RecordError refused = refusalOfPath(st); refused.code != kNoError) return refused;
    return st.st_size == 0 ? errorOf(kFileNotFound) : RecordError{};
}

// The rollback journal needs a writable folder beside the file.
bool writable(const std::string& path, const struct stat& st)
{
    return write_permission::mayWrite(path.c_str(), st) && ::access(".", W_OK) == 0;
}

using Links = std::vector<std::pair<int, int>>;

// The child records linked to the parent's values in `parentOld`. When the links lead one of
// the child's optional keys, its in-key test is added so that its partial index serves;
// not for blank values, whose children that key leaves out.
std::string linkedRecords(const Layout& parent, const Layout& child, const Links& links, const void* parentOld)
{
    std::string sql;
    std::vector<int> childColumns;
    bool allBlank = true;
    for (const auto& [p, c] : links) {
        sql += (sql.empty() ? "" : " AND ") + sql::quoted(child.columns[std::size_t(c)].name) + " = ?";
        childColumns.push_back(c);
        allBlank = allBlank && parent.columns[std::size_t(p)].isBlank(parentOld);
    }
    if (allBlank) return sql;
    for (const Key& k : child.keys) {
        if (!k.optional() || k.components.size() < childColumns.size()) continue;
        if (std::is_permutation(childColumns.begin(), childColumns.end(), k.components.begin()))
            return sql + " AND " + sql::inKeyTest(child, k);
    }
    return sql;
}

}  // namespace

RecordFile::RecordFile(const Layout& layout, void* buffer)
    : layout_(layout), queries_(std::make_unique<Queries>(layout)), buffer_(buffer)
{
}

RecordFile::~RecordFile() { close(); }

int RecordFile::open(OpenAccess access)
{
    close();
    const std::string& path = layout_.diskName;
    struct stat st;
    if (RecordError state = stateOfPath(path, st); state.code != kNoError) {
        error_ = state;
        return error_.code;
    }
    const bool write = access == OpenAccess::ReadWrite;
    if (write && !writable(path, st)) return fail(kAccessDenied);

    Connection db = openConnection(path, write ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY, error_);
    if (!db) return error_.code;
    if (write && sqlite3_db_readonly(db.get(), "main") == 1) return fail(kAccessDenied);
    if (const int verdict = schema::check(db.get(), "main", layout_, error_)) return verdict;
    if (write) {
        if (const int rc = setWriteModes(db.get(), "main"); rc != SQLITE_OK) {
            error_ = errorOfSqlite(rc, path);
            return error_.code;
        }
    }
    if (const int code = bringFoldedCopiesUpToDate(db.get())) return code;
    db_ = db.release();
    readOnly_ = !write;
    {
        OpenFiles& registry = openFiles();
        std::lock_guard lock(registry.mutex);
        registry.files.push_back(this);
    }
    // SQLite has rolled back a hot journal of the file by now (its first read)
    removeLeftoverJournals(path);
    return 0;
}

int RecordFile::bringFoldedCopiesUpToDate(sqlite3* db)
{
    bool current = false;
    if (const int code = schema::foldedCopiesCurrent(db, layout_, current, error_); code || current) return code;
    // Over a large file this takes seconds: made on a connection of its own beside the
    // program, while the opening thread waits without stopping the other windows.
    std::atomic<bool> done = false;
    RecordError error;
    int code = 0;
    std::thread upgrade([&] {
        Connection own = openConnection(layout_.diskName, SQLITE_OPEN_READWRITE, error);
        if (!own) {
            code = error.code;
        } else if (const int rc = setWriteModes(own.get(), "main"); rc != SQLITE_OK) {
            error = errorOfSqlite(rc, layout_.diskName);
            code = error.code;
        } else {
            code = schema::upgradeFoldedCopies(own.get(), layout_, error);
        }
        done = true;
    });
    const auto start = std::chrono::steady_clock::now();
    bool told = false;
    while (!done) {
        sleeping::sleepFor(kUpgradeWaitStepMs);
        if (!told && upgradeObserver() && std::chrono::steady_clock::now() - start >= kUpgradeShownAfter) {
            told = true;
            upgradeObserver()(layout_.diskName, true);
        }
    }
    upgrade.join();
    if (told) upgradeObserver()(layout_.diskName, false);
    if (code) error_ = error;
    return code;
}

void RecordFile::setUpgradeObserver(UpgradeObserver observer) { upgradeObserver() = std::move(observer); }

int RecordFile::create() { return schema::createFile(layout_, error_); }

int RecordFile::rebuildKeys()
{
    Connection own;
    sqlite3* db = db_;
    if (!db) {
        own = openConnection(layout_.diskName, SQLITE_OPEN_READWRITE, error_);
        if (!own) return error_.code;
        if (const int rc = setWriteModes(own.get(), "main"); rc != SQLITE_OK) {
            error_ = errorOfSqlite(rc, layout_.diskName);
            return error_.code;
        }
        db = own.get();
    }
    return schema::rebuildKeys(db, layout_, error_);
}

void RecordFile::close()
{
    if (!db_) return;
    {
        OpenFiles& registry = openFiles();
        std::lock_guard lock(registry.mutex);
        std::erase(registry.files, this);
    }
    statements_.clear();
    attached_.clear();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    readOnly_ = false;
}

void RecordFile::forEachOpen(const std::function<void(RecordFile&)>& fn)
{
    std::vector<RecordFile*> files;
    {
        OpenFiles& registry = openFiles();
        std::lock_guard lock(registry.mutex);
        files = registry.files;
    }
    // called without the lock, so that `fn` may close the file
    for (RecordFile* f : files) fn(*f);
}

sqlite3_stmt* RecordFile::statement(const std::string& sql)
{
    if (!db_) {
        fail(kFileNotOpen);
        return nullptr;
    }
    if (auto it = statements_.find(sql); it != statements_.end()) return it->second->stmt;
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v3(db_, sql.c_str(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        failFromSqlite(rc);
        return nullptr;
    }
    statements_.emplace(sql, std::make_unique<Statement>(stmt));
    return stmt;
}

int RecordFile::fail(int code)
{
    error_ = errorOf(code);
    return code;
}

int RecordFile::failFromSqlite(int sqliteResult)
{
    error_ = errorOfSqlite(sqliteResult, layout_.diskName);
    return error_.code;
}

int RecordFile::fetch(Position pos, void* record)
{
    StatementUse s(statement(queries_->fetch));
    if (!s) return error_.code;
    sqlite3_bind_int64(s.get(), 1, pos);
    const int rc = s.step();
    if (rc == SQLITE_DONE) return fail(kRecordNotFound);
    if (rc != SQLITE_ROW) return failFromSqlite(rc);
    readRecord(layout_, s.get(), record ? record : buffer_);
    if (!record) position_ = pos;
    return 0;
}

int RecordFile::add()
{
    StatementUse s(statement(queries_->add));
    if (!s) return error_.code;
    for (std::size_t i = 0; i < layout_.columns.size(); ++i) layout_.columns[i].bind(s.get(), int(i) + 1, buffer_);
    if (const int rc = s.step(); rc != SQLITE_DONE) return failFromSqlite(rc);
    position_ = sqlite3_last_insert_rowid(db_);
    return 0;
}

int RecordFile::put()
{
    StatementUse s(statement(queries_->put));
    if (!s) return error_.code;
    const int n = int(layout_.columns.size());
    for (int i = 0; i < n; ++i) layout_.columns[std::size_t(i)].bind(s.get(), i + 1, buffer_);
    sqlite3_bind_int64(s.get(), n + 1, position_);
    if (const int rc = s.step(); rc != SQLITE_DONE) return failFromSqlite(rc);
    return sqlite3_changes(db_) == 0 ? fail(kRecordNotFound) : 0;
}

int RecordFile::remove()
{
    StatementUse s(statement(queries_->remove));
    if (!s) return error_.code;
    sqlite3_bind_int64(s.get(), 1, position_);
    if (const int rc = s.step(); rc != SQLITE_DONE) return failFromSqlite(rc);
    return sqlite3_changes(db_) == 0 ? fail(kRecordNotFound) : 0;
}

int RecordFile::get(int key)
{
    const Key& k = layout_.keys[std::size_t(key)];
    StatementUse s(statement(queries_->keys[std::size_t(key)].get));
    if (!s) return error_.code;
    bindComponents(layout_, k, 0, int(k.components.size()), buffer_, s.get(), 1);
    const int rc = s.step();
    if (rc == SQLITE_DONE) return fail(kRecordNotFound);
    if (rc != SQLITE_ROW) return failFromSqlite(rc);
    position_ = sqlite3_column_int64(s.get(), 0);
    readRecord(layout_, s.get(), buffer_);
    return 0;
}

int RecordFile::duplicateKey(const void* record, Position except)
{
    for (std::size_t i = 0; i < layout_.keys.size(); ++i) {
        const Key& k = layout_.keys[i];
        if (!k.unique() || (k.optional() && layout_.outOfKey(k, record))) continue;
        StatementUse s(statement(queries_->keys[i].duplicate));
        if (!s) return -1;
        const int next = bindComponents(layout_, k, 0, int(k.components.size()), record, s.get(), 1);
        sqlite3_bind_int64(s.get(), next, except);
        const int rc = s.step();
        if (rc == SQLITE_ROW) return int(i);
        if (rc != SQLITE_DONE) {
            failFromSqlite(rc);
            return -1;
        }
    }
    return -1;
}

int RecordFile::highestComponent(int key, int component, const void* record, std::int64_t& value, bool& found)
{
    found = false;
    const Key& k = layout_.keys[std::size_t(key)];
    const Column& c = layout_.columns[std::size_t(k.components[std::size_t(component)])];
    if (c.kind != ColumnKind::Integer)
        programmingError("key " + k.name + " of " + layout_.label + " numbers the non-integer field " + c.name);
    StatementUse s(statement(queries_->keys[std::size_t(key)].highest[std::size_t(component)]));
    if (!s) return error_.code;
    const int next = bindComponents(layout_, k, 0, component, record, s.get(), 1);
    sqlite3_bind_int64(s.get(), next, c.maxValue);
    const int rc = s.step();
    if (rc == SQLITE_DONE) return 0;
    if (rc != SQLITE_ROW) return failFromSqlite(rc);
    value = sqlite3_column_int64(s.get(), 0);
    found = true;
    return 0;
}

int RecordFile::write(const std::function<int()>& body)
{
    if (!db_) return fail(kFileNotOpen);
    if (readOnly_) return body();  // no lock to take
    int code = kNoError;
    const int rc = inWriteTransaction(db_, [&] {
        code = body();
        if (code == kNoError) return SQLITE_OK;
        // a lock met inside is waited for as one at the start; any other failure ends the write
        return code == kLocked ? SQLITE_BUSY : SQLITE_ABORT;
    });
    if (rc == SQLITE_OK) return kNoError;
    if (rc == SQLITE_ABORT && code != kNoError) return code;  // the body's own failure, in error_
    return failFromSqlite(rc);
}

bool RecordFile::isIdle() const
{
    if (!db_) return true;
    if (!sqlite3_get_autocommit(db_)) return false;
    for (sqlite3_stmt* s = sqlite3_next_stmt(db_, nullptr); s; s = sqlite3_next_stmt(db_, s))
        if (sqlite3_stmt_busy(s)) return false;
    return true;
}

int RecordFile::attach(const Layout& related)
{
    if (!db_) return fail(kFileNotOpen);
    const std::string& alias = related.label;
    if (std::find(attached_.begin(), attached_.end(), alias) != attached_.end()) return 0;
    const std::string& path = related.diskName;
    struct stat st;
    bool write = !readOnly_;
    const RecordError state = stateOfPath(path, st);
    if (state.code == kFileNotFound) {
        if (const int code = schema::createFile(related, error_)) return code;
    } else if (state.code != kNoError) {
        error_ = state;
        return error_.code;
    } else {
        // A related file that may not be written is attached read-only, so that a cascade into
        // it fails as its own write would (the superuser's writes ignore the permissions).
        write = write && writable(path, st);
    }
    {
        StatementUse s(statement("ATTACH DATABASE ? AS " + sql::quoted(alias)));
        if (!s) return error_.code;
        const std::string name = write ? path : "file:" + path + "?mode=ro";
        sqlite3_bind_text(s.get(), 1, name.data(), int(name.size()), SQLITE_TRANSIENT);
        if (const int rc = s.step(); rc != SQLITE_DONE) return failFromSqlite(rc);
    }
    int code = schema::check(db_, alias, related, error_);
    if (code == 0 && write) {
        if (const int rc = setWriteModes(db_, alias); rc != SQLITE_OK) code = failFromSqlite(rc);
    }
    if (code != 0) {
        execute(db_, "DETACH DATABASE " + sql::quoted(alias));
        return code;
    }
    attached_.push_back(alias);
    return 0;
}

void RecordFile::detachAll()
{
    for (const std::string& alias : attached_) execute(db_, "DETACH DATABASE " + sql::quoted(alias));
    attached_.clear();
}

int RecordFile::cascadeUpdate(const Layout& child, const std::vector<std::pair<int, int>>& links,
                              const void* parentOld, const void* parentNew, std::int64_t* changed)
{
    if (std::find(attached_.begin(), attached_.end(), child.label) == attached_.end()) return fail(kFileNotOpen);
    std::string assignments;
    for (const auto& link : links)
        assignments += (assignments.empty() ? "" : ",") + sql::quoted(child.columns[std::size_t(link.second)].name) + " = ?";
    StatementUse s(statement("UPDATE " + sql::quoted(child.label) + '.' + sql::kTable + " SET " + assignments +
                             " WHERE " + linkedRecords(layout_, child, links, parentOld)));
    if (!s) return error_.code;
    int index = 1;
    for (const auto& link : links) layout_.columns[std::size_t(link.first)].bind(s.get(), index++, parentNew);
    for (const auto& link : links) layout_.columns[std::size_t(link.first)].bind(s.get(), index++, parentOld);
    if (const int rc = s.step(); rc != SQLITE_DONE) return failFromSqlite(rc);
    if (changed) *changed = sqlite3_changes64(db_);
    return 0;
}

int RecordFile::cascadeDelete(const Layout& child, const std::vector<std::pair<int, int>>& links,
                              const void* parentOld, std::int64_t* changed)
{
    if (std::find(attached_.begin(), attached_.end(), child.label) == attached_.end()) return fail(kFileNotOpen);
    StatementUse s(statement("DELETE FROM " + sql::quoted(child.label) + '.' + sql::kTable + " WHERE " +
                             linkedRecords(layout_, child, links, parentOld)));
    if (!s) return error_.code;
    int index = 1;
    for (const auto& link : links) layout_.columns[std::size_t(link.first)].bind(s.get(), index++, parentOld);
    if (const int rc = s.step(); rc != SQLITE_DONE) return failFromSqlite(rc);
    if (changed) *changed = sqlite3_changes64(db_);
    return 0;
}

int RecordFile::exchange(Position a, const void* recordA, Position b, const void* recordB, int column)
{
    const Column& c = layout_.columns[std::size_t(column)];
    const std::string name = sql::quoted(c.name);
    const std::string pos = sql::kPosition;
    StatementUse s(statement("UPDATE " + std::string(sql::kTable) + " SET " + name + " = CASE " + pos +
                             " WHEN ? THEN ? ELSE ? END WHERE " + pos + " IN (?, ?)"));
    if (!s) return error_.code;
    sqlite3_bind_int64(s.get(), 1, a);
    c.bind(s.get(), 2, recordB);
    c.bind(s.get(), 3, recordA);
    sqlite3_bind_int64(s.get(), 4, a);
    sqlite3_bind_int64(s.get(), 5, b);
    if (const int rc = s.step(); rc != SQLITE_DONE) return failFromSqlite(rc);
    return sqlite3_changes(db_) == 2 ? 0 : fail(kRecordNotFound);
}

int RecordFile::exchangeLinked(const Layout& child, const Links& links, const void* first, const void* second)
{
    if (std::find(attached_.begin(), attached_.end(), child.label) == attached_.end()) return fail(kFileNotOpen);
    const std::string ofFirst = '(' + linkedRecords(layout_, child, links, first) + ')';
    const std::string ofSecond = '(' + linkedRecords(layout_, child, links, second) + ')';
    std::string assignments;
    for (const auto& link : links) {
        const std::string column = sql::quoted(child.columns[std::size_t(link.second)].name);
        assignments += (assignments.empty() ? "" : ",") + column + " = CASE WHEN " + ofFirst + " THEN ? ELSE ? END";
    }
    StatementUse s(statement("UPDATE " + sql::quoted(child.label) + '.' + sql::kTable + " SET " + assignments +
                             " WHERE " + ofFirst + " OR " + ofSecond));
    if (!s) return error_.code;
    // each CASE reads the values as they were before the statement: no child is met twice
    int index = 1;
    const auto bindLinks = [&](const void* record) {
        for (const auto& link : links) layout_.columns[std::size_t(link.first)].bind(s.get(), index++, record);
    };
    for (const auto& link : links) {
        bindLinks(first);
        layout_.columns[std::size_t(link.first)].bind(s.get(), index++, second);
        layout_.columns[std::size_t(link.first)].bind(s.get(), index++, first);
    }
    bindLinks(first);
    bindLinks(second);
    if (const int rc = s.step(); rc != SQLITE_DONE) return failFromSqlite(rc);
    return 0;
}

}  // namespace records
