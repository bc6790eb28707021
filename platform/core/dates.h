#pragma once
// Dates are whole day counts: day 4 is 1 January 1801 (Gregorian calendar), so day 1 is
// 29 December 1800. 0 is the blank date; the last date is 31 December 9999.

#include <QDate>

#include <cstdint>

using DayNumber = std::int32_t;

namespace dates {

// 0 for an invalid date or one outside 29 December 1800 .. 31 December 9999
DayNumber fromYmd(int y, int m, int d);
// false (y, m, d unchanged) for day numbers <= 0 or after 31 December 9999
bool toYmd(DayNumber day, int& y, int& m, int& d);
// an invalid QDate where toYmd fails
QDate toQDate(DayNumber day);
// 0 for an invalid date or one outside the range of fromYmd
DayNumber fromQDate(const QDate& date);
// by the local clock
DayNumber today();

}  // namespace dates
