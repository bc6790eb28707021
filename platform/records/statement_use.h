#pragma once
// One use of a cached statement: reset as soon as the operation ends, so that no statement
// stays active (and holds a read lock) between operations.

#include <sqlite3.h>

namespace records {

class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~StatementUse()
    {
        if (stmt_) sqlite3_reset(stmt_);
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

    explicit operator bool() const { return stmt_ != nullptr; }
    sqlite3_stmt* get() const { return stmt_; }
    int step() { return sqlite3_step(stmt_); }

private:
    sqlite3_stmt* stmt_;
};

}  // namespace records
