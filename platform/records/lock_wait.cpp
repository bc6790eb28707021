#include "platform/records/lock_wait.h"

#include "platform/core/sleeping.h"

#include <sqlite3.h>

namespace records {
namespace {

// Steps of a millisecond: a program writing one short transaction after another leaves the
// file free only for moments, and a longer step (SQLite's own back off to 100 ms) would miss
// them for seconds.
constexpr int kStepMs = 1;

}  // namespace

bool isLockResult(int sqliteResult) { return (sqliteResult & 0xff) == SQLITE_BUSY; }

bool LockWait::again()
{
    if (Clock::now() - start_ >= std::chrono::milliseconds(kLockWaitMs)) return false;
    sleeping::sleepFor(kStepMs);
    return true;
}

int firstStep(sqlite3_stmt* stmt)
{
    LockWait wait;
    for (;;) {
        const int rc = sqlite3_step(stmt);
        if (!isLockResult(rc) || !sqlite3_get_autocommit(sqlite3_db_handle(stmt))) return rc;
        sqlite3_reset(stmt);
        if (!wait.again()) return rc;
    }
}

}  // namespace records
