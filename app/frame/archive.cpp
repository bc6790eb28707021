#include "app/frame/archive.h"

#include "data/files/groups_wks.h"
#include "data/files/headers.h"
#include "data/files/wrks_in_smt.h"
#include "platform/records/connection.h"
#include "platform/records/schema.h"
#include "platform/records/sql_text.h"

#include <sqlite3.h>

#include <array>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

using records::Layout;

constexpr const char* kArchiveFolder = "sav";

const std::array<const Layout*, 3>& archivedLayouts()
{
    static const std::array<const Layout*, 3> layouts{&HeadersLayout(), &WrksInSmtLayout(), &GroupsWksLayout()};
    return layouts;
}

enum class Side { Working, Archive };

std::string pathOf(const Layout& layout, Side side)
{
    return side == Side::Working ? layout.diskName : std::string(kArchiveFolder) + '/' + layout.diskName;
}

// SQLite leaves an empty file where it opened a missing one: such a file holds no copy.
bool isPresent(const std::string& path)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return !ec && size > 0;
}

bool makeArchiveFolder()
{
    std::error_code ec;
    std::filesystem::create_directory(kArchiveFolder, ec);
    return std::filesystem::is_directory(kArchiveFolder, ec);
}

int presentArchiveFiles()
{
    int present = 0;
    for (const Layout* layout : archivedLayouts()) present += isPresent(pathOf(*layout, Side::Archive)) ? 1 : 0;
    return present;
}

// Keys built under another collation still hold every record, and the archive reads and
// writes whole tables only: the file managers rebuild them when a window next opens the file.
bool acceptable(int verdict) { return verdict == 0 || verdict == records::kKeysToRebuild; }

// Opens (`schema` "main") or attaches one file of a copy. A file that holds anything must be
// ours before the connection sets its journal mode, so that a foreign file stays untouched.
bool addFile(sqlite3* db, const Layout& layout, const std::string& path, const std::string& schema)
{
    if (schema != "main" &&
        records::execute(db, "ATTACH DATABASE '" + path + "' AS " + records::sql::quoted(schema)) != SQLITE_OK)
        return false;
    records::RecordError error;
    if (isPresent(path) && !acceptable(records::schema::check(db, schema, layout, error))) return false;
    return records::setWriteModes(db, schema) == SQLITE_OK;
}

// Replaces every record of the three files on side `to` by those of the other side, in one
// transaction over one connection: the first file of `to` is its main database (a real file,
// so that the commit over the attached files is atomic), the five others are attached. Files
// still missing get their structure in the same transaction. Positions are given anew, in the
// order of the copied ones, so that a position an open window holds never names another record.
bool copyRecords(Side to)
{
    const Side from = to == Side::Working ? Side::Archive : Side::Working;
    const auto& layouts = archivedLayouts();
    auto schemaOf = [&](const Layout& layout, Side side) -> std::string {
        if (&layout == layouts.front() && side == to) return "main";
        return (side == Side::Working ? "work_" : "sav_") + layout.label;
    };

    records::RecordError error;
    records::Connection db =
        records::openConnection(pathOf(*layouts.front(), to), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
    if (!db) return false;
    for (Side side : {to, from})
        for (const Layout* layout : layouts)
            if (!addFile(db.get(), *layout, pathOf(*layout, side), schemaOf(*layout, side))) return false;

    const int rc = records::inWriteTransaction(db.get(), [&] {
        for (const Layout* layout : layouts) {
            for (Side side : {from, to})
                if (!acceptable(records::schema::makeOrCheck(db.get(), schemaOf(*layout, side), *layout, error)))
                    return SQLITE_ERROR;
            const std::string source = records::sql::quoted(schemaOf(*layout, from)) + '.' + records::sql::kTable;
            const std::string target = records::sql::quoted(schemaOf(*layout, to)) + '.' + records::sql::kTable;
            const std::string columns = records::sql::columnList(*layout);
            if (int r = records::execute(db.get(), "DELETE FROM " + target); r != SQLITE_OK) return r;
            const int r = records::execute(db.get(), "INSERT INTO " + target + " (" + columns + ") SELECT " + columns +
                                                         " FROM " + source + " ORDER BY " + records::sql::kPosition);
            if (r != SQLITE_OK) return r;
        }
        return SQLITE_OK;
    });
    return rc == SQLITE_OK;
}

}  // namespace

bool saveArchive() { return makeArchiveFolder() && copyRecords(Side::Archive); }

RestoreResult restoreArchive()
{
    if (!makeArchiveFolder()) return RestoreResult::Failed;
    const int present = presentArchiveFiles();
    if (present == 0) return RestoreResult::NothingToRestore;
    if (present < int(archivedLayouts().size())) return RestoreResult::Incomplete;
    return copyRecords(Side::Working) ? RestoreResult::Restored : RestoreResult::Failed;
}

namespace archive {

QString incompleteText() { return QStringLiteral("Архив неполон: восстановление не выполнено."); }
QString restoreWarningCaption() { return QStringLiteral("Предупреждение!"); }
QString restoreFailedText() { return QStringLiteral("Не удалось восстановить сметы из архива."); }
QString saveFailedText() { return QStringLiteral("Не удалось сохранить сметы в архив."); }
QString saveFailedCaption() { return QStringLiteral("Сметы"); }

}  // namespace archive
