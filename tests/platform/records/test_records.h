#pragma once
// A small record file for the record-layer tests, and a fresh working folder for each test.

#include "platform/core/collation.h"
#include "platform/records/cursor.h"
#include "platform/records/layout.h"
#include "platform/records/record_file.h"
#include "tests/support/cp1251.h"
#include "tests/support/raw_sqlite.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct Item {
    FixedString<12> CODE;
    std::int16_t GROUP = 0;
    std::int16_t NUM = 0;
    FixedString<30> NAME;
    DecimalField<9, 2> PRICE;
    MemoField<64> NOTE;
};

inline records::LayoutBuilder<Item> itemBuilder(int version = 1, const char* label = "ItemsOfTests")
{
    using namespace records;
    LayoutBuilder<Item> b(label, "ITM", version);
    b.field<&Item::CODE>("CODE")
        .field<&Item::GROUP>("GROUP")
        .field<&Item::NUM>("NUM")
        .field<&Item::NAME>("NAME")
        .field<&Item::PRICE>("PRICE")
        .field<&Item::NOTE>("NOTE")
        .key("ITM:BYCODE", {"CODE"}, NoCase | Opt | Primary)
        .key("ITM:BYGROUP", {"GROUP", "NUM"}, Dup | NoCase)
        .key("ITM:BYNAME", {"NAME"}, Dup | NoCase | Opt);
    return b;
}

enum ItemKey { kByCode, kByGroup, kByName };

inline Item item(const char* code, int group, int num, const char* name = "")
{
    Item i;
    i.CODE = code;
    i.GROUP = std::int16_t(group);
    i.NUM = std::int16_t(num);
    i.NAME = name;
    return i;
}

class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    // creates the file and opens it for writing
    static void openNew(records::RecordFile& file)
    {
        ASSERT_EQ(file.create(), 0) << file.lastError().text.toStdString();
        ASSERT_EQ(file.open(records::OpenAccess::ReadWrite), 0) << file.lastError().text.toStdString();
    }

    // adds `record` through the file's buffer; its position
    static records::Position add(records::RecordFile& file, const Item& record)
    {
        *static_cast<Item*>(file.buffer()) = record;
        EXPECT_EQ(file.add(), 0) << file.lastError().text.toStdString();
        return file.position();
    }

    static QByteArray bytesOf(const char* path)
    {
        QFile f(QString::fromLatin1(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    const records::Layout layout_ = itemBuilder().build();
    Item buffer_;

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Every record read by the cursor in one direction, as (position, record).
inline std::vector<std::pair<records::Position, Item>> readAll(records::Cursor& cursor, bool forward)
{
    std::vector<std::pair<records::Position, Item>> out;
    Item into;
    while ((forward ? cursor.next(&into) : cursor.previous(&into)) == 0) out.emplace_back(cursor.position(), into);
    return out;
}

inline std::vector<records::Position> positionsOf(const std::vector<std::pair<records::Position, Item>>& rows)
{
    std::vector<records::Position> out;
    for (const auto& r : rows) out.push_back(r.first);
    return out;
}

// The SQL of every statement `operation` runs on the connection.
inline std::vector<std::string> statementsRunBy(sqlite3* db, const std::function<void()>& operation)
{
    std::vector<std::string> texts;
    sqlite3_trace_v2(
        db, SQLITE_TRACE_STMT,
        [](unsigned, void* context, void* stmt, void*) {
            static_cast<std::vector<std::string>*>(context)->push_back(sqlite3_sql(static_cast<sqlite3_stmt*>(stmt)));
            return 0;
        },
        &texts);
    operation();
    sqlite3_trace_v2(db, 0, nullptr, nullptr);
    return texts;
}

// EXPLAIN QUERY PLAN of `sql`, its lines joined by "; "
inline std::string queryPlanOf(sqlite3* db, const std::string& sql)
{
    std::string plan;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, ("EXPLAIN QUERY PLAN " + sql).c_str(), -1, &s, nullptr) != SQLITE_OK)
        return sqlite3_errmsg(db);
    while (sqlite3_step(s) == SQLITE_ROW) {
        if (!plan.empty()) plan += "; ";
        plan += reinterpret_cast<const char*>(sqlite3_column_text(s, 3));
    }
    sqlite3_finalize(s);
    return plan;
}

// A seek in the index: no scan of the table or the index, no sorting.
inline bool seeksIn(const std::string& plan, const std::string& index)
{
    return plan.find("SEARCH") != std::string::npos && plan.find("INDEX " + index + " ") != std::string::npos &&
           plan.find("SCAN") == std::string::npos && plan.find("TEMP B-TREE") == std::string::npos;
}
