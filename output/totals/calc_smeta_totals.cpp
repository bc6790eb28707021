#include "output/totals/calc_smeta_totals.h"

#include "data/thread_data.h"
#include "data/key_range.h"
#include "platform/core/message.h"

#include <limits>

namespace {

bool fitsShort(std::int32_t v)
{
    return v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max();
}

// The lines of the estimate in key order; false when a read failed (reported).
bool sumLines(TotalsMode mode, std::int32_t estimate, TotalsSums& sums)
{
    if (!fitsShort(estimate)) return true;  // a SHORT never holds it: no line matches
    WrksInSmtRecord range{};
    range.CODER = std::int16_t(estimate);
    // only the fields the sums take: the names are most of a line's reading
    const auto take = [&](const void* record) { sums.add(mode, *static_cast<const WrksInSmtRecord*>(record)); };
    if (mode == TotalsMode::Estimate)
        return readKeyRangeColumns(FileId::WrksInSmt, "NSB:ONSMETNUM", 1, &range,
                                   {"KCHELCHM", "VOZVRAT", "ITEXPMASH", "ITZARPMASH"}, take);
    return readKeyRangeColumns(FileId::WrksInSmt, "NSB:ONSMETNUM", 1, &range,
                               {"ONAKT", "CENA_OB", "CENA_TZ", "EKSPLM", "ZARPLM"}, take);
}

}  // namespace

namespace totals_detail {

bool readHeader(std::int32_t estimate)
{
    HeadersRecord& header = DFL();
    header = HeadersRecord{};
    if (!fitsShort(estimate)) return false;
    header.NUMBER = std::int16_t(estimate);
    FileAccess& access = Access(FileId::Headers);
    const bool found = access.TryFetch(HeadersLayout().keyIndex("DFL:BYNUM")) == records::Level::Benign;
    if (!found) {
        header = HeadersRecord{};
        header.NUMBER = std::int16_t(estimate);
    }
    return found;
}

// Only the fields the chain changes are written, so a header change another window saved since
// the header was read stays.
void storeTotals(std::int32_t estimate, const TotalsResult& result)
{
    FileAccess& access = Access(FileId::Headers);
    if (access.UseFile() != records::Level::Benign) return;
    records::RecordFile& file = access.file();
    HeadersRecord& header = DFL();
    // without a header nothing is written: the write then rolls back
    file.write([&] {
        header = HeadersRecord{};
        header.NUMBER = std::int16_t(estimate);
        if (const int code = file.get(HeadersLayout().keyIndex("DFL:BYNUM"))) return code;
        header.TOTALSUM = result.grandTotal;
        if (result.wageIndexSetToOne && header.KIND_TZ.isZero()) header.KIND_TZ = Decimal(1);
        return file.put();
    });
}

}  // namespace totals_detail

void ShowTotalsOverflow()
{
    Message(QStringLiteral("Сумма по смете слишком велика для расчета итогов."), QStringLiteral("Итоги сметы"),
            MessageIcon::Exclamation, BUTTON_OK);
}

bool CalcSmetaTotals(TotalsMode mode, std::int32_t estimate, SmetaTotals& out)
{
    out = SmetaTotals{};
    TotalsSums sums;
    if (!sumLines(mode, estimate, sums)) return false;
    const bool hasHeader = totals_detail::readHeader(estimate);
    const TotalsResult result = chainTotals(sums, DFL());
    if (result.overflow) {
        ShowTotalsOverflow();
        return false;
    }
    out.text = result.text;
    out.runningTotal = result.grandTotal;
    if (hasHeader) totals_detail::storeTotals(estimate, result);
    return true;
}
