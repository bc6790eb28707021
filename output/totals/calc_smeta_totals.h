#pragma once
// `CalcSmetaTotals`: the totals chain over an estimate's work lines and header, read through
// the calling thread's record buffers, storing the grand total into the header. The report
// that calls it has opened `WrksInSmt` with its related files.

#include "output/totals/totals_chain.h"

#include <QString>

#include <cstdint>

struct SmetaTotals {
    QString text;          // the totals text
    Decimal runningTotal;  // ends as the grand total
};

// False when the chain could not finish (a read of the lines failed, or a sum does not fit):
// the message has been shown and nothing is stored.
bool CalcSmetaTotals(TotalsMode mode, std::int32_t estimate, SmetaTotals& out);

// The message of a sum too large for the chain's working values.
void ShowTotalsOverflow();

// The two file steps of the chain, apart for their tests.
namespace totals_detail {
// The estimate's header into the thread's buffer; false when there is none (the buffer then
// holds zero coefficients).
bool readHeader(std::int32_t estimate);
// Writes the grand total (and the wage index 1 the overheads took, where the file still holds
// 0) into the header as the file holds it at this moment; nothing when there is no header.
void storeTotals(std::int32_t estimate, const TotalsResult& result);
}  // namespace totals_detail
