#pragma once
// Reading a record file in the order of one of its keys, both ways, optionally within a range
// (equal leading components) and limited by a condition that SQL tests. A cursor holds no statement between steps:
// it remembers the key values and position of the record it stands on, and each step is one
// short indexed query from there. A long run of equal values in a DUP key costs one index seek
// per step: first the rows with an equal key and a greater position, then the greater keys.

#include "platform/records/condition.h"
#include "platform/records/record_file.h"

#include <functional>
#include <string>
#include <vector>

namespace records {

class Cursor {
public:
    Cursor(RecordFile& file, int key);

    int key() const { return key_; }

    // Only the records whose first `leading` key components equal those of `record` (the
    // file's buffer when null); 0 removes the range. Position the cursor after setting it.
    void setRange(int leading, const void* record = nullptr);
    // Only the records the condition accepts; an empty one removes it. Position the cursor
    // after setting it.
    void setCondition(Condition condition);
    // Reads limited by a condition (unless it is bounded) run in slices of time (scan::sliceTime()); `between` runs
    // after each slice with nothing of the record layer active (it may wait), and false from
    // it abandons the read, which then gives what it has and abandoned() holds. Unset: reads
    // run whole.
    void setSlicing(std::function<bool()> between);
    // Reads fill only these fields (column indexes) of the records they give, and the key's
    // own; the others are left unread, their contents unspecified. Empty: every field.
    // Position the cursor after setting it.
    void setColumns(std::vector<int> columns);
    // The last read was abandoned between two slices.
    bool abandoned() const { return abandoned_; }

    // Positioning, without reading.
    void toStart();  // next() gives the first record
    void toEnd();    // previous() gives the last record
    // next() gives the first record whose key is equal to or greater than the key fields of
    // `record` (the buffer when null); previous() the last one before that.
    void toKeyOf(const void* record = nullptr);
    // Stands on the record at `pos` with the key values of `record` (the buffer when null):
    // next() and previous() give its neighbours.
    void toRecord(Position pos, const void* record = nullptr);

    // Reads the next or previous record into `into` (the buffer when null) and stands on it.
    // kRecordNotAvailable at the end; the file's position() follows the record read when
    // reading into the buffer.
    int next(void* into = nullptr);
    int previous(void* into = nullptr);
    Position position() const { return position_; }

    // Up to `count` records onward (forward or backward) from where the cursor stands, each
    // given to `take` with its position (the record memory is valid during the call only);
    // the cursor stands on the last one given. Returns the number given, or -1 on a failure.
    int read(bool forward, int count, const std::function<void(Position, const void* record)>& take);

private:
    using Take = std::function<void(Position, const void*)>;
    enum class Anchor { Start, End, Record };  // a position of 0 with Record: before the key values
    enum class Part { FromEnd, EqualKey, BeyondKey };
    enum class Outcome { Failed, Exhausted, More, Sliced };
    // The query texts of one direction, rebuilt when the range changes.
    struct Queries {
        std::string fromEnd;    // from the start (forward) or the end (backward)
        std::string equalKey;   // the rest of the run of records with the key stood on
        std::string beyondKey;  // the greater (forward) or smaller keys; empty when the range fixes all
    };

    void buildQueries();
    void standOn(Anchor anchor, Position pos, const void* record);
    int readOne(bool forward, void* into);
    int step(bool forward, int count, const Take& take);
    Outcome run(bool forward, Part part, int limit, int count, int& given, const Take& take);
    // After a slice stopped: the cursor stands after the records it has wholly examined.
    // False when it examined none.
    bool standAfterSlice(std::int64_t beforeLast, bool gaveLast);
    bool sliced() const { return between_ && condition_ && !condition_.bounded; }

    RecordFile& file_;
    int key_;
    int rangeLeading_ = 0;
    std::vector<unsigned char> range_;    // record holding the range values
    std::vector<unsigned char> current_;  // the record stood on (its key values)
    std::vector<unsigned char> row_;      // the row being read
    Condition condition_;
    Anchor anchor_ = Anchor::Start;
    Position position_ = 0;
    Queries queries_[2];  // [forward]
    std::vector<int> columns_;  // the fields read, in column order; empty: every field
    std::function<bool()> between_;
    bool abandoned_ = false;
    int sliceFactor_ = 1;  // grows while a slice examines no record
};

}  // namespace records
