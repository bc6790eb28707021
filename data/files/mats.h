#pragma once
// `MATS` (materials of estimates): the record buffer and its layout.

#include "platform/records/layout.h"

#include <cstdint>

struct MATSRecord {
    std::int16_t CODE{};
    std::int16_t NPP{};
    FixedString<35> NAME;
    FixedString<25> EDIZM;
    DecimalField<7, 2> KOL_VO;
    DecimalField<7, 2> CENA_OB;
    DecimalField<9, 2> ST_OB;
    std::int16_t NUMBER{};
    std::int16_t CODEM{};
};

const records::Layout& MATSLayout();
