#pragma once
// The header rates of the worked totals fixture: K 0.1, indices 1.2 / 1.1 / 1.05, overheads
// 0.95, one charge of 1.02 and VAT 0.18; the totals the output tests expect follow from them.

#include "data/files/headers.h"
#include "platform/core/decimal.h"

namespace test {

inline void setWorkedRates(HeadersRecord& h)
{
    const auto d = [](const char* text) { return *Decimal::parse(text); };
    h.KSTESN_EM = d("0.1");
    h.KIND_TZ = d("1.2");
    h.KIND_EM = d("1.1");
    h.KIND_MAT = d("1.05");
    h.DOPNACH9_1 = d("0.95");
    h.CDOPNACH1 = "Зимнее удорожание";
    h.DOPNACH1 = d("1.02");
    h.KNDS = d("0.18");
}

}  // namespace test
