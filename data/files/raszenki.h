#pragma once
// `Raszenki` (rates of the catalogue): the record buffer and its layout.

#include "platform/records/layout.h"

#include <cstdint>

struct RaszenkiRecord {
    std::int16_t CODER{};
    FixedString<8> GROUP;
    FixedString<36> NRAS;
    FixedString<220> NAME;
    FixedString<25> EDIZM;
    DecimalField<7, 2> CENA_OB;
    DecimalField<7, 2> CENA_TZ;
    DecimalField<7, 2> EKSPLM;
    DecimalField<7, 2> ZARPLM;
    DecimalField<7, 2> CENA_M;
    DecimalField<7, 2> CHELCH;
    DecimalField<7, 2> KCHELCHM;
    DecimalField<7, 2> VOZVRAT;
    DecimalField<7, 2> METKA;
};

const records::Layout& RaszenkiLayout();
