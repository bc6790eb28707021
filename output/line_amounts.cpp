#include "output/line_amounts.h"

namespace {

// Two 2-place fields multiplied give 4 places, exact in 64 bits; rounded to 2.
Decimal product(const DecimalField<7, 2>& act, const DecimalField<7, 2>& unit)
{
    const std::int64_t tenThousandths = act.scaled() * unit.scaled();
    const std::int64_t half = tenThousandths < 0 ? -50 : 50;
    return Decimal::fromScaled((tenThousandths + half) / 100, 2);
}

}  // namespace

LineAmounts storedAmounts(const WrksInSmtRecord& line)
{
    return {line.KCHELCHM.value(), line.VOZVRAT.value(), line.ITEXPMASH.value(), line.ITZARPMASH.value()};
}

LineAmounts actAmounts(const WrksInSmtRecord& line)
{
    return {product(line.ONAKT, line.CENA_OB), product(line.ONAKT, line.CENA_TZ), product(line.ONAKT, line.EKSPLM),
            product(line.ONAKT, line.ZARPLM)};
}
