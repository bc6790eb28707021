#pragma once
// The totals chain of an estimate: the sums of its work lines carried through the header's
// cramped-conditions coefficient, price indices, overheads, nine charges and VAT to the grand
// total, with the totals text the printed reports show. Pure: no file is touched here.

#include "data/files/headers.h"
#include "data/files/wrks_in_smt.h"
#include "platform/core/decimal.h"

#include <QString>

#include <cstdint>

enum class TotalsMode {
    Estimate,  // the stored line amounts
    Act,       // the act quantity times the unit values
};

// The sums of the lines. Every sum is a DECIMAL(15,2) working value: rounded to 2 places at
// each addition; a sum that does not fit is never kept wrapped, it marks the sums overflowed.
class TotalsSums {
public:
    void add(TotalsMode mode, const WrksInSmtRecord& line);

    Decimal costs() const { return Decimal::fromScaled(scaled_[0], 2); }
    Decimal wages() const { return Decimal::fromScaled(scaled_[1], 2); }
    Decimal machines() const { return Decimal::fromScaled(scaled_[2], 2); }
    Decimal machinistWages() const { return Decimal::fromScaled(scaled_[3], 2); }
    bool overflow() const { return overflow_; }

private:
    // in hundredths: every addend has at most 4 places, so whole numbers do it exactly
    std::int64_t scaled_[4] = {};
    bool overflow_ = false;
};

struct TotalsResult {
    QString text;          // lines end with CR LF
    Decimal grandTotal;    // the running total at its end
    bool wageIndexSetToOne = false;  // the overheads took the wage index 0 as 1
    bool overflow = false;           // a working value or the grand total does not fit its field
};

TotalsResult chainTotals(const TotalsSums& sums, const HeadersRecord& header);
