#pragma once
// `GroupsWks` (sections of an estimate): the record buffer and its layout.

#include "platform/records/layout.h"

#include <cstdint>

struct GroupsWksRecord {
    std::int16_t NUMSMET{};
    std::int16_t NUMINSMETA{};
    FixedString<80> NAME;
    DecimalField<9, 2> ITOGOONGROUP;
};

const records::Layout& GroupsWksLayout();
