#pragma once
// The view of a printed estimate: the work lines of one estimate in `NSB:ONSMETNUM` order,
// read in batches, each joined to the first section record of its number.

#include "data/files/wrks_in_smt.h"
#include "platform/records/cursor.h"

#include <cstdint>
#include <memory>
#include <vector>

class EstimateLines {
public:
    explicit EstimateLines(std::int32_t estimate);

    // The next line into the thread's `WrksInSmt` buffer and its section into `GroupsWks` (the
    // section's fields cleared when it has no record); false at the end or after a failed read,
    // which has been reported.
    bool next();
    bool failed() const { return failed_; }
    // The highest section number among the estimate's lines (0 for none).
    int lastSection();

private:
    void joinSection();

    std::int32_t estimate_;
    bool inRange_;
    std::unique_ptr<records::Cursor> cursor_;
    std::vector<WrksInSmtRecord> batch_;
    std::size_t nextInBatch_ = 0;
    bool exhausted_ = false;
    bool failed_ = false;
    int joinedSection_ = -1;
};
