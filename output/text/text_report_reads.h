#pragma once
// The records the estimate's text report reads: the sections of the estimate, and the lines of a
// section, each in key order through a key range.

#include "data/thread_data.h"

#include <cstdint>
#include <vector>

namespace text_report {

// False when a read failed (reported).
bool sections(std::int32_t estimate, std::vector<GroupsWksRecord>& out);
// The lines hold their section in one byte: a section beyond it has none.
bool works(const GroupsWksRecord& section, std::vector<WrksInSmtRecord>& out);

}  // namespace text_report
