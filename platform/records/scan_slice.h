#pragma once
// A long filtered read in slices of time. A statement that has run for a slice is stopped
// (SQLite's progress handler) and tells the last records it examined (a function of ours,
// called for every record the read passes, before the filter), so that the reader can stand
// after what it has examined, give the event loop back, and go on from there.

#include <chrono>
#include <cstdint>

struct sqlite3;

namespace records::scan {

// tlx_seen(pos): 1, noting the position in the running slice.
inline constexpr const char* kSeenFunction = "tlx_seen";
// Gives a connection the function (every record file's connection has it).
void addSeenFunction(sqlite3* db);

// How long a slice runs before it stops: short enough that the program never stands still
// for a person (the tests set it shorter, to slice small files).
std::chrono::microseconds sliceTime();
void setSliceTime(std::chrono::microseconds time);

// One slice of statements on a connection, from its construction to its end; slices do not nest.
class Slice {
public:
    Slice(sqlite3* db, std::chrono::microseconds time);
    ~Slice();
    Slice(const Slice&) = delete;
    Slice& operator=(const Slice&) = delete;

    // The last record examined, and the one before it, which was also wholly passed on (0: none).
    std::int64_t last() const { return last_; }
    std::int64_t beforeLast() const { return beforeLast_; }

    // The function's call for a record.
    void note(std::int64_t pos)
    {
        beforeLast_ = last_;
        last_ = pos;
    }

private:
    static int onProgress(void* slice);

    sqlite3* db_;
    std::chrono::steady_clock::time_point deadline_;
    std::int64_t last_ = 0, beforeLast_ = 0;
};

}  // namespace records::scan
