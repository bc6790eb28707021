#pragma once
// The money of one work line: its four amounts from the unit prices and the quantity, and the
// recalculation that raises its unit prices by a coefficient. Every product is exact and
// stored rounded half away from zero; a result its field cannot hold is never wrapped: the
// whole change is refused and the line stays as it was.

#include "data/files/wrks_in_smt.h"
#include "platform/core/decimal.h"

// The line amounts from the unit prices and the quantity; false, and the line unchanged, when
// an amount would not fit its field.
bool CostLine(WrksInSmtRecord& line);

// With a coefficient of at least 0.0001 the unit prices are raised by it (the materials part
// kept as it was), the name is marked with it and the accumulated coefficient takes it; then,
// with any coefficient, the amounts follow. False, and the line unchanged, when a price, the
// accumulated coefficient or an amount would not fit its field.
bool RecalculateLine(WrksInSmtRecord& line, const Decimal& k);
