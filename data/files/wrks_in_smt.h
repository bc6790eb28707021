#pragma once
// `WrksInSmt` (work lines of estimates): the record buffer and its layout.

#include "platform/records/layout.h"

#include <cstdint>

struct WrksInSmtRecord {
    std::int16_t CODER{};
    std::uint8_t GRINSMETA{};
    std::int16_t NUMINGROUP{};
    FixedString<36> NRAS;
    FixedString<220> NAME;
    FixedString<25> EDIZM;
    DecimalField<7, 2> CENA_OB;
    DecimalField<7, 2> CENA_TZ;
    DecimalField<7, 2> EKSPLM;
    DecimalField<7, 2> ZARPLM;
    DecimalField<7, 2> CENA_M;
    DecimalField<7, 2> CHELCH;
    DecimalField<11, 2> KCHELCHM;
    DecimalField<11, 2> VOZVRAT;
    DecimalField<11, 2> ITEXPMASH;
    DecimalField<11, 2> ITZARPMASH;
    DecimalField<7, 2> ONAKT;
    DecimalField<11, 4> KOOEFF;
};

const records::Layout& WrksInSmtLayout();
