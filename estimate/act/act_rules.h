#pragma once
// The act of completed work lives in the work lines (NSB:ONAKT): how a line's act quantity is
// shown against its plan (NSB:CHELCH) and what the fill gives it.

#include "data/files/wrks_in_smt.h"
#include "platform/core/decimal.h"
#include "platform/ui/browse/browse_column.h"

// The plan's cell: on silver.
ui::CellColors PlanColors();
// The act's cell: yellow on red above the plan, red on yellow above 0, the list's own
// otherwise; its selected colours always the list's own.
ui::CellColors ActColors(const WrksInSmtRecord& line);

// The fill's act quantity: the plan × share, rounded half away from zero to 2 places.
Decimal FillValue(const Decimal& plan, const Decimal& share);
