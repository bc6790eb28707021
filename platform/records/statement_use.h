#pragma once
// One use of a cached statement: reset as soon as the operation ends, so that no statement
// stays active (and holds a read lock) between operations. Its first step waits for another
// connection's lock as every operation does (see lock_wait.h).

#include "platform/records/lock_wait.h"

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
    int step()
    {
        const int rc = stepped_ ? sqlite3_step(stmt_) : firstStep(stmt_);
        stepped_ = true;
        return rc;
    }

private:
    sqlite3_stmt* stmt_;
    bool stepped_ = false;
};

}  // namespace records
