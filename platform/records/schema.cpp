#include "platform/records/schema.h"

#include "platform/core/collation.h"
#include "platform/records/connection.h"
#include "platform/records/sql_text.h"
#include "platform/records/sqlite_error.h"

#include <sqlite3.h>

#include <map>
#include <vector>

namespace records::schema {
namespace {

const char* const kMetaTable = "tolvex_meta";

// Text columns of a NoCase key compare by our collation, declared on the column itself so
// that every comparison and index on it agrees.
bool collatesNoCase(const Layout& layout, int column)
{
    if (layout.columns[std::size_t(column)].kind != ColumnKind::Text) return false;
    for (const Key& k : layout.keys)
        for (int c : k.components)
            if (c == column && k.noCase()) return true;
    return false;
}

// "schema". in front of the names of a schema's objects
std::string in(const std::string& schemaName) { return sql::quoted(schemaName) + '.'; }

std::string createTable(const std::string& schemaName, const Layout& layout)
{
    std::string sql = "CREATE TABLE " + in(schemaName) + sql::kTable + " (" + sql::kPosition +
                      " INTEGER PRIMARY KEY AUTOINCREMENT";
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        const Column& c = layout.columns[i];
        sql += ", " + sql::quoted(c.name);
        switch (c.kind) {
        case ColumnKind::Integer:
        case ColumnKind::Decimal: sql += " INTEGER NOT NULL DEFAULT 0"; break;
        case ColumnKind::Text: sql += " TEXT NOT NULL DEFAULT ''"; break;
        case ColumnKind::Memo: sql += " BLOB NOT NULL DEFAULT x''"; break;
        }
        if (collatesNoCase(layout, int(i))) {
            sql += " COLLATE ";
            sql += kNoCaseCollation;
        }
    }
    for (const Column& c : layout.columns)
        if (!c.folded.empty()) sql += ", " + sql::quoted(c.folded) + " TEXT NOT NULL DEFAULT ''";
    return sql + ')';
}

// Which texts have a folded copy and the folding they were made with; empty when none has.
std::string foldedSignature(const Layout& layout)
{
    std::string out;
    for (const Column& c : layout.columns)
        if (!c.folded.empty()) out += (out.empty() ? "" : ";") + c.name;
    return out.empty() ? out : out + " " + std::to_string(collation::kVersion);
}

// The trigram index of each folded copy (what the "contains" searches of few records use): its
// own case folding off, the copy being folded already.
std::vector<std::string> createTrigramIndexes(const std::string& schemaName, const Layout& layout)
{
    std::vector<std::string> out;
    for (const Column& c : layout.columns)
        if (!c.folded.empty())
            out.push_back("CREATE VIRTUAL TABLE " + in(schemaName) + sql::quoted(sql::trigramTable(c)) + " USING fts5(" +
                          sql::quoted(c.folded) + ", content='', tokenize='trigram case_sensitive 1')");
    return out;
}

// The triggers that keep a folded copy and its trigram index right through every write of any
// connection that knows the folding function (every one of the program's, whichever path
// writes the text). A text rewritten as it was (every put writes every field) costs nothing
// more; its collation would take a change of case for none.
std::vector<std::string> createFoldTriggers(const std::string& schemaName, const Layout& layout)
{
    std::vector<std::string> out;
    const std::string pos = sql::kPosition;
    for (const Column& c : layout.columns) {
        if (c.folded.empty()) continue;
        const std::string folded = sql::quoted(c.folded), trigrams = sql::quoted(sql::trigramTable(c));
        const std::string newFolded = std::string(kUpperFunction) + "(NEW." + sql::quoted(c.name) + ")";
        const std::string refresh = std::string("UPDATE ") + sql::kTable + " SET " + folded + " = " + newFolded +
                                    " WHERE " + pos + " = NEW." + pos + "; INSERT INTO " + trigrams + "(rowid, " +
                                    folded + ") VALUES (NEW." + pos + ", " + newFolded + "); ";
        const std::string forget = "INSERT INTO " + trigrams + "(" + trigrams + ", rowid, " + folded +
                                   ") VALUES ('delete', OLD." + pos + ", OLD." + folded + "); ";
        const std::string trigger = "CREATE TRIGGER " + in(schemaName);
        out.push_back(trigger + sql::quoted(c.folded + "_add") + " AFTER INSERT ON " + sql::kTable + " BEGIN " + refresh +
                      "END");
        out.push_back(trigger + sql::quoted(c.folded + "_put") + " AFTER UPDATE OF " + sql::quoted(c.name) + " ON " +
                      sql::kTable + " WHEN OLD." + sql::quoted(c.name) + " IS NOT NEW." + sql::quoted(c.name) +
                      " COLLATE BINARY BEGIN " + forget + refresh + "END");
        out.push_back(trigger + sql::quoted(c.folded + "_remove") + " AFTER DELETE ON " + sql::kTable + " BEGIN " +
                      forget + "END");
    }
    return out;
}

// SQLite ends every index with the row id, so a DUP key reads in position order within a
// value without naming the position. The table is the one of the index's schema.
std::string createIndex(const std::string& schemaName, const Layout& layout, const Key& key)
{
    std::string columns;
    for (int c : key.components) {
        if (!columns.empty()) columns += ',';
        columns += sql::quoted(layout.columns[std::size_t(c)].name);
    }
    std::string sql = std::string("CREATE ") + (key.unique() ? "UNIQUE " : "") + "INDEX " + in(schemaName) +
                      sql::quoted(key.sqlName) + " ON " + sql::kTable + " (" + columns + ')';
    const std::string inKey = sql::inKeyTest(layout, key);
    if (!inKey.empty()) sql += " WHERE " + inKey;
    return sql;
}

// What the stored values mean: names, kinds, places and collations (widths do not matter,
// values are cut to them on reading).
std::string columnSignature(const Layout& layout)
{
    std::string out;
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        const Column& c = layout.columns[i];
        if (!out.empty()) out += ';';
        out += c.name;
        switch (c.kind) {
        case ColumnKind::Integer: out += " INTEGER"; break;
        case ColumnKind::Decimal: out += " DECIMAL." + std::to_string(c.places); break;
        case ColumnKind::Text: out += " TEXT"; break;
        case ColumnKind::Memo: out += " MEMO"; break;
        }
        if (collatesNoCase(layout, int(i))) out += " NOCASE";
    }
    return out;
}

std::string keySignature(const Layout& layout)
{
    std::string out;
    for (const Key& k : layout.keys) {
        if (!out.empty()) out += ';';
        out += k.sqlName + '(';
        for (std::size_t i = 0; i < k.components.size(); ++i)
            out += (i ? "," : "") + layout.columns[std::size_t(k.components[i])].name;
        out += ')';
        out += k.unique() ? " UNIQUE" : " DUP";
        if (k.optional()) out += " OPT";
    }
    return out;
}

int writeMeta(sqlite3* db, const std::string& schemaName, const std::string& name, const std::string& value)
{
    sqlite3_stmt* stmt = nullptr;
    const std::string sql = "INSERT OR REPLACE INTO " + in(schemaName) + kMetaTable + "(name, value) VALUES (?, ?)";
    int rc = sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) return rc;
    sqlite3_bind_text(stmt, 1, name.data(), int(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(stmt, 2, value.data(), int(value.size()), SQLITE_TRANSIENT);
    rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int writeKeyMeta(sqlite3* db, const std::string& schemaName, const Layout& layout)
{
    int rc = writeMeta(db, schemaName, "keys", keySignature(layout));
    if (rc == SQLITE_OK) rc = writeMeta(db, schemaName, "collation", std::to_string(collation::kVersion));
    return rc;
}

int createStructure(sqlite3* db, const std::string& schemaName, const Layout& layout)
{
    std::vector<std::string> steps = {
        createTable(schemaName, layout),
        "CREATE TABLE " + in(schemaName) + kMetaTable + " (name TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID",
        "PRAGMA " + in(schemaName) + "application_id = " + std::to_string(kApplicationId),
        "PRAGMA " + in(schemaName) + "user_version = " + std::to_string(layout.version),
    };
    for (const Key& k : layout.keys) steps.push_back(createIndex(schemaName, layout, k));
    for (std::string& index : createTrigramIndexes(schemaName, layout)) steps.push_back(std::move(index));
    for (std::string& trigger : createFoldTriggers(schemaName, layout)) steps.push_back(std::move(trigger));
    for (const std::string& sql : steps)
        if (int rc = execute(db, sql); rc != SQLITE_OK) return rc;
    int rc = writeMeta(db, schemaName, "label", layout.label);
    if (rc == SQLITE_OK) rc = writeMeta(db, schemaName, "columns", columnSignature(layout));
    if (rc == SQLITE_OK) rc = writeKeyMeta(db, schemaName, layout);
    if (rc == SQLITE_OK) rc = writeMeta(db, schemaName, "folded", foldedSignature(layout));
    return rc;
}

int readFoldedSignature(sqlite3* db, const std::string& schemaName, std::string& signature)
{
    signature.clear();
    return forEachRow(db, "SELECT value FROM " + in(schemaName) + kMetaTable + " WHERE name = 'folded'",
                      [&](sqlite3_stmt* stmt) {
                          const auto* t = sqlite3_column_text(stmt, 0);
                          signature.assign(t ? reinterpret_cast<const char*>(t) : "",
                                           std::size_t(sqlite3_column_bytes(stmt, 0)));
                      });
}

bool hasColumn(sqlite3* db, const std::string& schemaName, const std::string& column, int& rc)
{
    bool found = false;
    rc = forEachRow(db, "PRAGMA " + in(schemaName) + "table_info(" + sql::kTable + ")", [&](sqlite3_stmt* stmt) {
        const auto* t = sqlite3_column_text(stmt, 1);
        if (t && column == reinterpret_cast<const char*>(t)) found = true;
    });
    return found;
}

// Within the caller's transaction: the columns, trigram indexes, triggers and contents of the
// folded copies.
int makeFoldedCopies(sqlite3* db, const Layout& layout)
{
    std::vector<std::string> steps;
    for (const Column& c : layout.columns) {
        if (c.folded.empty()) continue;
        int rc = SQLITE_OK;
        const bool present = hasColumn(db, "main", c.folded, rc);
        if (rc != SQLITE_OK) return rc;
        if (!present)
            steps.push_back(std::string("ALTER TABLE ") + sql::kTable + " ADD COLUMN " + sql::quoted(c.folded) +
                            " TEXT NOT NULL DEFAULT ''");
        for (const char* suffix : {"_add", "_put", "_remove"})
            steps.push_back("DROP TRIGGER IF EXISTS " + sql::quoted(c.folded + suffix));
        steps.push_back("DROP TABLE IF EXISTS " + sql::quoted(sql::trigramTable(c)));
        steps.push_back(std::string("UPDATE ") + sql::kTable + " SET " + sql::quoted(c.folded) + " = " + kUpperFunction +
                        "(" + sql::quoted(c.name) + ")");
    }
    for (std::string& index : createTrigramIndexes("main", layout)) steps.push_back(std::move(index));
    for (const Column& c : layout.columns)
        if (!c.folded.empty())
            steps.push_back("INSERT INTO " + sql::quoted(sql::trigramTable(c)) + "(rowid, " + sql::quoted(c.folded) +
                            ") SELECT " + sql::kPosition + ", " + sql::quoted(c.folded) + " FROM " + sql::kTable);
    for (std::string& trigger : createFoldTriggers("main", layout)) steps.push_back(std::move(trigger));
    for (const std::string& sql : steps)
        if (const int rc = execute(db, sql); rc != SQLITE_OK) return rc;
    return writeMeta(db, "main", "folded", foldedSignature(layout));
}

// A schema without any object and without our application id: a new or empty file.
int isEmpty(sqlite3* db, const std::string& schemaName, bool& empty)
{
    std::int64_t objects = 0, applicationId = 0;
    int rc = queryInteger(db, "SELECT count(*) FROM " + in(schemaName) + "sqlite_master", objects);
    if (rc == SQLITE_OK) rc = queryInteger(db, "PRAGMA " + in(schemaName) + "application_id", applicationId);
    empty = rc == SQLITE_OK && objects == 0 && applicationId == 0;
    return rc;
}

int failed(int rc, const Layout& layout, RecordError& error)
{
    error = errorOfSqlite(rc, layout.diskName);
    return error.code;
}

int refused(int code, RecordError& error)
{
    error = errorOf(code);
    return code;
}

}  // namespace

int createFile(const Layout& layout, RecordError& error)
{
    Connection db = openConnection(layout.diskName, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
    if (!db) {
        // a file that cannot be made is refused, not missing
        if (error.code == kFileNotFound) error = errorOf(kAccessDenied);
        return error.code;
    }
    int rc = setWriteModes(db.get(), "main");
    if (rc == SQLITE_OK) {
        rc = inWriteTransaction(db.get(), [&] {
            // another connection may have made it while we waited for the lock
            bool empty = false;
            const int r = isEmpty(db.get(), "main", empty);
            return empty ? createStructure(db.get(), "main", layout) : r;
        });
    }
    return rc == SQLITE_OK ? 0 : failed(rc, layout, error);
}

int makeOrCheck(sqlite3* db, const std::string& schemaName, const Layout& layout, RecordError& error)
{
    bool empty = false;
    if (const int rc = isEmpty(db, schemaName, empty); rc != SQLITE_OK) return failed(rc, layout, error);
    if (!empty) return check(db, schemaName, layout, error);
    if (const int rc = createStructure(db, schemaName, layout); rc != SQLITE_OK) return failed(rc, layout, error);
    return 0;
}

int check(sqlite3* db, const std::string& schemaName, const Layout& layout, RecordError& error)
{
    const std::string schema = in(schemaName);
    std::int64_t applicationId = 0, version = 0;
    int rc = queryInteger(db, "PRAGMA " + schema + "application_id", applicationId);
    if (rc == SQLITE_OK) rc = queryInteger(db, "PRAGMA " + schema + "user_version", version);
    if (rc != SQLITE_OK) return failed(rc, layout, error);
    if (applicationId != kApplicationId || version != layout.version) return refused(kBadFileStructure, error);

    std::map<std::string, std::string> meta;
    rc = forEachRow(db, "SELECT name, value FROM " + schema + kMetaTable, [&](sqlite3_stmt* stmt) {
        auto text = [&](int column) {
            const auto* t = sqlite3_column_text(stmt, column);
            return std::string(t ? reinterpret_cast<const char*>(t) : "", std::size_t(sqlite3_column_bytes(stmt, column)));
        };
        meta[text(0)] = text(1);
    });
    if (rc == SQLITE_ERROR) return refused(kBadFileStructure, error);  // no meta table
    if (rc != SQLITE_OK) return failed(rc, layout, error);

    if (meta["label"] != layout.label || meta["columns"] != columnSignature(layout))
        return refused(kBadFileStructure, error);
    if (meta["keys"] != keySignature(layout) || meta["collation"] != std::to_string(collation::kVersion))
        return refused(kKeysToRebuild, error);
    return 0;
}

int foldedCopiesCurrent(sqlite3* db, const Layout& layout, bool& current, RecordError& error)
{
    std::string signature;
    if (const int rc = readFoldedSignature(db, "main", signature); rc != SQLITE_OK) return failed(rc, layout, error);
    current = signature == foldedSignature(layout);
    return 0;
}

int upgradeFoldedCopies(sqlite3* db, const Layout& layout, RecordError& error)
{
    const int rc = inWriteTransaction(db, [&] {
        // another connection may have done it while we waited for the lock
        std::string signature;
        if (const int r = readFoldedSignature(db, "main", signature); r != SQLITE_OK) return r;
        return signature == foldedSignature(layout) ? SQLITE_OK : makeFoldedCopies(db, layout);
    });
    return rc == SQLITE_OK ? 0 : failed(rc, layout, error);
}

int rebuildKeys(sqlite3* db, const Layout& layout, RecordError& error)
{
    if (int verdict = check(db, "main", layout, error); verdict != 0 && verdict != kKeysToRebuild) return verdict;
    const int rc = inWriteTransaction(db, [&] {
        std::vector<std::string> indexes;
        std::string list = "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = '";
        list += sql::kTable;
        list += "' AND sql IS NOT NULL";
        int r = forEachRow(db, list, [&](sqlite3_stmt* stmt) {
            indexes.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        });
        if (r != SQLITE_OK) return r;
        for (const std::string& name : indexes)
            if ((r = execute(db, "DROP INDEX " + sql::quoted(name))) != SQLITE_OK) return r;
        for (const Key& k : layout.keys)
            if ((r = execute(db, createIndex("main", layout, k))) != SQLITE_OK) return r;
        return writeKeyMeta(db, "main", layout);
    });
    return rc == SQLITE_OK ? 0 : failed(rc, layout, error);
}

}  // namespace records::schema
