#include "estimate/headers/header_priming.h"

#include "data/globals.h"
#include "data/thread_data.h"

#include <array>

bool PrimeNewHeader()
{
    HeadersRecord& h = DFL();
    const std::array<FixedString<30>*, 10> names = {nullptr,     &h.CDOPNACH1, &h.CDOPNACH2, &h.CDOPNACH3, &h.CDOPNACH4,
                                                    &h.CDOPNACH5, &h.CDOPNACH6, &h.CDOPNACH7, &h.CDOPNACH8, &h.CDOPNACH9};
    const std::array<DecimalField<11, 4>*, 10> rates = {nullptr,    &h.DOPNACH1, &h.DOPNACH2, &h.DOPNACH3, &h.DOPNACH4,
                                                        &h.DOPNACH5, &h.DOPNACH6, &h.DOPNACH7, &h.DOPNACH8, &h.DOPNACH9};
    for (int n = 1; n <= 9; ++n) *names[std::size_t(n)] = GLO::NakrutkiName[std::size_t(n)];
    for (int n = 1; n <= 9; ++n) *rates[std::size_t(n)] = GLO::Nakrutki[std::size_t(n)];
    h.PODRJADCHI = FirmName;
    h.POD_FIO = Director;
    bool allTaken = true;
    const std::pair<DecimalField<7, 2>*, const DecimalField<9, 3>*> indices[] = {
        {&h.KIND_TZ, &GLO::ZarpCoeff}, {&h.KIND_MAT, &GLO::MaterCoeff}, {&h.KIND_EM, &GLO::ZarpMashCoeff}};
    for (const auto& [index, preset] : indices) {
        if (index->checkedStore(*preset)) continue;
        index->setScaled(0);
        allTaken = false;
    }
    return allTaken;
}
