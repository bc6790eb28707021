#pragma once
// `MatLst` (materials list): the record buffer and its layout.

#include "platform/records/layout.h"

#include <cstdint>

struct MatLstRecord {
    std::int16_t CODER{};
    std::int16_t NPP{};
    FixedString<35> NAME;
    FixedString<25> EDIZM;
    DecimalField<7, 2> CENA_OB;
};

const records::Layout& MatLstLayout();
