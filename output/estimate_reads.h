#pragma once
// What the outputs of an estimate read: its sections, and the lines of a section, each in key
// order through a key range.

#include "data/thread_data.h"

#include <cstdint>
#include <vector>

// False when a read failed (reported).
bool readEstimateSections(std::int32_t estimate, std::vector<GroupsWksRecord>& out);
// The lines hold their section in one byte: a section beyond it has none.
bool readSectionWorks(const GroupsWksRecord& section, std::vector<WrksInSmtRecord>& out);
