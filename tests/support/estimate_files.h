#pragma once
// The three estimate files the archive keeps (Headers, WrksInSmt, GroupsWks): written through
// record files as a window's thread writes them, and read back beside the record layer.

#include "data/files/groups_wks.h"
#include "data/files/headers.h"
#include "data/files/wrks_in_smt.h"
#include "platform/records/record_file.h"
#include "platform/records/sql_text.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace test {

// One stored record: its position and its values as SQLite gives them back as text.
struct Row {
    records::Position position = 0;
    std::string values;
};

// Every record of the file at `path`, in position order; none when there is no such file.
inline std::vector<Row> rowsOf(const std::string& path, const records::Layout& layout)
{
    std::vector<Row> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        const std::string sql = records::sql::selectRecord(layout) + " ORDER BY pos";
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
        while (s && sqlite3_step(s) == SQLITE_ROW) {
            Row row{sqlite3_column_int64(s, 0), {}};
            for (int c = 1; c < sqlite3_column_count(s); ++c) {
                const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
                row.values += std::string(t ? t : "", std::size_t(sqlite3_column_bytes(s, c))) + '|';
            }
            rows.push_back(std::move(row));
        }
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return rows;
}

inline std::vector<std::string> valuesOf(const std::vector<Row>& rows)
{
    std::vector<std::string> out;
    for (const Row& r : rows) out.push_back(r.values);
    return out;
}

// In the order the archive copies them.
inline const std::vector<const records::Layout*>& archivedLayouts()
{
    static const std::vector<const records::Layout*> layouts = {&HeadersLayout(), &WrksInSmtLayout(),
                                                               &GroupsWksLayout()};
    return layouts;
}

// The values of the three files in `folder` ("" or "sav/"), file by file.
inline std::vector<std::vector<std::string>> contentsOf(const std::string& folder)
{
    std::vector<std::vector<std::string>> out;
    for (const records::Layout* l : archivedLayouts()) out.push_back(valuesOf(rowsOf(folder + l->diskName, *l)));
    return out;
}

// The three estimate files open for writing, as one window's thread has them.
struct EstimateFiles {
    EstimateFiles()
    {
        for (records::RecordFile* f : {&headers, &groups, &lines}) {
            EXPECT_EQ(f->create(), 0);
            EXPECT_EQ(f->open(records::OpenAccess::ReadWrite), 0) << f->lastError().text.toStdString();
        }
    }

    records::Position addHeader(int number, const char* name)
    {
        header = HeadersRecord{};
        header.NUMBER = std::int16_t(number);
        header.NAME = name;
        header.TOTALSUM.setScaled(1234567);
        header.Primechanie = QStringLiteral("примечание к смете");
        EXPECT_EQ(headers.add(), 0) << headers.lastError().text.toStdString();
        return headers.position();
    }
    void addGroup(int smeta, int number, const char* name)
    {
        group = GroupsWksRecord{};
        group.NUMSMET = std::int16_t(smeta);
        group.NUMINSMETA = std::int16_t(number);
        group.NAME = name;
        EXPECT_EQ(groups.add(), 0) << groups.lastError().text.toStdString();
    }
    void addLine(int smeta, int group, int number, const char* name)
    {
        line = WrksInSmtRecord{};
        line.CODER = std::int16_t(smeta);
        line.GRINSMETA = std::uint8_t(group);
        line.NUMINGROUP = std::int16_t(number);
        line.NAME = name;
        line.KOOEFF.setScaled(12345);
        EXPECT_EQ(lines.add(), 0) << lines.lastError().text.toStdString();
    }
    // two estimates, three sections, four lines; the first estimate's position
    records::Position fill()
    {
        const records::Position first = addHeader(1, "Ремонт кровли");
        addHeader(2, "Фасад");
        addGroup(1, 1, "Демонтаж");
        addGroup(1, 2, "Монтаж");
        addGroup(2, 1, "Штукатурка");
        addLine(1, 1, 1, "Разборка покрытий");
        addLine(1, 2, 1, "Устройство кровли");
        addLine(1, 2, 2, "Устройство водостоков");
        addLine(2, 1, 1, "Оштукатуривание");
        return first;
    }

    HeadersRecord header;
    GroupsWksRecord group;
    WrksInSmtRecord line;
    records::RecordFile headers{HeadersLayout(), &header};
    records::RecordFile groups{GroupsWksLayout(), &group};
    records::RecordFile lines{WrksInSmtLayout(), &line};
};

}  // namespace test
