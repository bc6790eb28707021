#pragma once
// A plain SQLite connection beside the record layer, as another program would have; it
// knows our collation, without which it could not change a NoCase key's columns, and our
// case-folding function.

#include "platform/core/collation.h"
#include "platform/records/connection.h"

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class RawConnection {
public:
    explicit RawConnection(const char* path)
    {
        sqlite3_open(path, &db_);
        sqlite3_busy_timeout(db_, 5000);
        sqlite3_create_collation(
            db_, "TLX_NOCASE", SQLITE_UTF8, nullptr, [](void*, int na, const void* a, int nb, const void* b) {
                return collation::compareNoCaseUtf8(std::string_view(static_cast<const char*>(a), std::size_t(na)),
                                                    std::string_view(static_cast<const char*>(b), std::size_t(nb)));
            });
        records::addUpperFunction(db_);
    }
    ~RawConnection() { sqlite3_close(db_); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    sqlite3* get() const { return db_; }
    int exec(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }
    // the first column of every row
    std::vector<std::string> column(const std::string& sql)
    {
        std::vector<std::string> out;
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr);
        while (sqlite3_step(s) == SQLITE_ROW) {
            const auto* t = sqlite3_column_text(s, 0);
            out.emplace_back(t ? reinterpret_cast<const char*>(t) : "", std::size_t(sqlite3_column_bytes(s, 0)));
        }
        sqlite3_finalize(s);
        return out;
    }
    // the first column of every row as integers
    std::vector<std::int64_t> integers(const std::string& sql)
    {
        std::vector<std::int64_t> out;
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr);
        while (sqlite3_step(s) == SQLITE_ROW) out.push_back(sqlite3_column_int64(s, 0));
        sqlite3_finalize(s);
        return out;
    }

private:
    sqlite3* db_ = nullptr;
};
