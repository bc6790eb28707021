#pragma once
// `Headers` (estimate headers): the record buffer and its layout.

#include "platform/records/layout.h"

#include <cstdint>

struct HeadersRecord {
    std::int16_t CODE{};
    std::int16_t NUMBER{};
    FixedString<200> NAME;
    FixedString<200> NAMEOBJECT;
    FixedString<100> OSNOV;
    FixedString<40> ZAKAZCHIK;
    FixedString<20> ZAK_DOL;
    FixedString<30> ZAK_FIO;
    FixedString<40> PODRJADCHI;
    FixedString<20> POD_DOL;
    FixedString<20> POD_FIO;
    std::int32_t DATEACT{};
    std::int32_t NDOG{};
    std::int32_t DATEDOG{};
    DecimalField<13, 2> TOTALSUM;
    std::uint8_t NO_1{};
    DecimalField<7, 2> KIND_MAT;
    DecimalField<7, 2> KIND_TZ;
    DecimalField<7, 2> KIND_EM;
    DecimalField<7, 3> KSTESN_EM;
    std::uint8_t NO_2{};
    FixedString<30> CDOPNACH1;
    DecimalField<11, 4> DOPNACH1;
    DecimalField<11, 4> DOPNACH1_1;
    FixedString<30> CDOPNACH2;
    DecimalField<11, 4> DOPNACH2;
    DecimalField<11, 4> DOPNACH2_1;
    FixedString<30> CDOPNACH3;
    DecimalField<11, 4> DOPNACH3;
    DecimalField<11, 4> DOPNACH3_1;
    FixedString<30> CDOPNACH4;
    DecimalField<11, 4> DOPNACH4;
    DecimalField<11, 4> DOPNACH4_1;
    FixedString<30> CDOPNACH5;
    DecimalField<11, 4> DOPNACH5;
    DecimalField<11, 4> DOPNACH5_1;
    FixedString<30> CDOPNACH6;
    DecimalField<11, 4> DOPNACH6;
    DecimalField<11, 4> DOPNACH6_1;
    FixedString<30> CDOPNACH7;
    DecimalField<11, 4> DOPNACH7;
    DecimalField<11, 4> DOPNACH7_1;
    FixedString<30> CDOPNACH8;
    DecimalField<11, 4> DOPNACH8;
    DecimalField<11, 4> DOPNACH8_1;
    FixedString<30> CDOPNACH9;
    DecimalField<11, 4> DOPNACH9;
    DecimalField<11, 4> DOPNACH9_1;
    DecimalField<7, 4> KNDS;
    MemoField<1000> Primechanie;
};

const records::Layout& HeadersLayout();
