#pragma once
// `EdIzmer` (units of measure): the record buffer and its layout.

#include "platform/records/layout.h"

#include <cstdint>

struct EdIzmerRecord {
    FixedString<25> EDIZM;
};

const records::Layout& EdIzmerLayout();
