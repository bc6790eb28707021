#include "estimate/lines/line_costing.h"

#include "platform/core/picture.h"

namespace {

// The smallest coefficient the form's four places hold.
const Decimal kSmallest = Decimal::fromScaled(1, 4);

}  // namespace

bool CostLine(WrksInSmtRecord& line)
{
    WrksInSmtRecord next = line;
    const Decimal quantity = line.CHELCH;
    if (!next.ITZARPMASH.checkedStore(line.ZARPLM * quantity) || !next.ITEXPMASH.checkedStore(line.EKSPLM * quantity) ||
        !next.VOZVRAT.checkedStore(line.CENA_TZ * quantity) || !next.KCHELCHM.checkedStore(line.CENA_OB * quantity))
        return false;
    line = next;
    return true;
}

bool RecalculateLine(WrksInSmtRecord& line, const Decimal& k)
{
    WrksInSmtRecord next = line;
    if (k >= kSmallest) {
        DecimalField<9, 2> materials;
        if (!materials.checkedStore(line.CENA_OB - (line.CENA_TZ + line.EKSPLM))) return false;
        if (!next.EKSPLM.checkedStore(line.EKSPLM * k) || !next.CENA_TZ.checkedStore(line.CENA_TZ * k) ||
            !next.ZARPLM.checkedStore(line.ZARPLM * k))
            return false;
        // a name already full keeps no room for the mark: it is cut at the field's width
        next.NAME = line.NAME.toQString() + QStringLiteral(";с К=") + Format(k, u"@N6.2");
        if (!next.CENA_OB.checkedStore(materials + next.CENA_TZ + next.EKSPLM)) return false;
        if (!next.KOOEFF.checkedStore(line.KOOEFF * k)) return false;
    }
    if (!CostLine(next)) return false;
    line = next;
    return true;
}
