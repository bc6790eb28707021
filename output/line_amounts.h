#pragma once
// The amounts of a work line: as the estimate stores them, or as its act has them (the act
// quantity times each unit value, rounded half away from zero to 2 places and kept at any size,
// so a product too wide for a line's amount field is never cut to it).

#include "data/files/wrks_in_smt.h"
#include "platform/core/decimal.h"

struct LineAmounts {
    Decimal total, wages, machines, machinistWages;
};

LineAmounts storedAmounts(const WrksInSmtRecord& line);
LineAmounts actAmounts(const WrksInSmtRecord& line);
