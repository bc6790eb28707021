#pragma once
// What the outputs of an estimate read: its sections, and the lines of a section, each in key
// order through a key range; and the walk of the exports over both.

#include "data/thread_data.h"

#include <cstdint>
#include <functional>
#include <vector>

// False when a read failed (reported).
bool readEstimateSections(std::int32_t estimate, std::vector<GroupsWksRecord>& out);
// The lines hold their section in one byte: a section beyond it has none.
bool readSectionWorks(const GroupsWksRecord& section, std::vector<WrksInSmtRecord>& out);

// The walk of an export: each section in key order with GRO: set to it, then each of its lines
// with NSB: set to it. Sections count from 1 in the walk, lines over the whole estimate.
struct EstimateWalk {
    std::function<void(int, const GroupsWksRecord&)> section;
    std::function<void(int, const WrksInSmtRecord&)> work;
    std::function<void()> sectionEnd = [] {};
};
// False when a read failed (reported).
bool walkEstimate(std::int32_t estimate, const EstimateWalk& walk);
