#pragma once
// Waiting for a lock that another connection or program holds on a record file. SQLite's own
// waiting happens inside the call, which would stop every window of the program; here SQLite
// answers "busy" at once, and the short operation that met the lock is given up (its statement
// reset, its transaction rolled back) and tried again after a sleep that suspends only the
// waiting logical thread. Nothing is held while it sleeps.

#include <chrono>

struct sqlite3;
struct sqlite3_stmt;

namespace records {

// How long an operation waits for the locks another connection or program holds.
inline constexpr int kLockWaitMs = 2000;

// An SQLite result that another connection's lock caused.
bool isLockResult(int sqliteResult);

class LockWait {
public:
    LockWait() : start_(Clock::now()) {}
    // After a lock refused the operation: sleeps a step and says whether to try again (false
    // once the lock wait is over).
    bool again();

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point start_;
};

// The first step of a statement. Outside a transaction a lock is waited for, the statement
// being reset meanwhile; inside one the result comes at once (the whole transaction is tried
// again, see inWriteTransaction).
int firstStep(sqlite3_stmt* stmt);

}  // namespace records
