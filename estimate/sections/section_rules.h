#pragma once
// What a section of an estimate may be given, and how it is written with its work lines.
//
// A work line knows its section only by the estimate and section numbers, and its section
// number is one byte. So a new or renumbered section takes a number from 0 to 255, a number
// pair no other section holds and an estimate that has a header; and the lines of a section
// follow it when it is renumbered or deleted, in the same transaction, unless another section
// (older files may hold duplicates) still holds the old numbers.

#include "data/files/groups_wks.h"
#include "platform/records/record_file.h"

enum class SectionProblem { None, NumberOutOfRange, NoEstimate, NumberTaken };

// Checks the section in `now` against what it was (`before`); `isNew` for a section being
// added. `self` is the section's own position, which never counts as another section. Reads
// the thread's GroupsWks and Headers files (not their buffers).
SectionProblem CheckSection(const GroupsWksRecord& now, const GroupsWksRecord& before, bool isNew,
                            records::Position self);

// Whether a section of the estimate holds the number (reads the thread's GroupsWks file).
bool SectionExists(std::int16_t estimate, std::int16_t number);

enum class SectionWrite { Update, Delete };

// Writes the thread's GroupsWks buffer back over the section read last (or deletes it), and
// moves (or deletes) the work lines of its old numbers with it. 0 or the record layer's code of
// the failure; `began` tells whether the transaction started.
int WriteSectionWithLines(SectionWrite what, bool& began);
