#pragma once
// `NSBRAZ` (rate categories): the record buffer and its layout.

#include "platform/records/layout.h"

#include <cstdint>

struct NSBRAZRecord {
    FixedString<8> KEY_ROOT;
    FixedString<120> NAME;
};

const records::Layout& NSBRAZLayout();
