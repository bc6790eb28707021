#include "platform/records/scan_slice.h"

#include <sqlite3.h>

namespace records::scan {
namespace {

std::chrono::microseconds& configuredTime()
{
    static std::chrono::microseconds time{10000};
    return time;
}

// the slice running on this OS thread (every logical thread shares the GUI thread, and no
// statement stays active across a wait)
thread_local Slice* running = nullptr;

void seen(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (running) running->note(sqlite3_value_int64(argv[0]));
    sqlite3_result_int(context, 1);
}

}  // namespace

void addSeenFunction(sqlite3* db)
{
    // not deterministic: it must run for every record, never once for the statement
    sqlite3_create_function_v2(db, kSeenFunction, 1, SQLITE_UTF8 | SQLITE_INNOCUOUS, nullptr, seen, nullptr, nullptr,
                               nullptr);
}

std::chrono::microseconds sliceTime() { return configuredTime(); }
void setSliceTime(std::chrono::microseconds time) { configuredTime() = time; }

Slice::Slice(sqlite3* db, std::chrono::microseconds time) : db_(db), deadline_(std::chrono::steady_clock::now() + time)
{
    running = this;
    sqlite3_progress_handler(db_, 1000, onProgress, this);
}

Slice::~Slice()
{
    sqlite3_progress_handler(db_, 0, nullptr, nullptr);
    running = nullptr;
}

int Slice::onProgress(void* slice)
{
    return std::chrono::steady_clock::now() >= static_cast<Slice*>(slice)->deadline_ ? 1 : 0;
}

}  // namespace records::scan
