#include "platform/core/dates.h"

namespace {

// Julian day numbers of day 0 (28 December 1800) and of 31 December 9999
constexpr qint64 kJulianDayOfDay0 = 2378858;
constexpr qint64 kLastJulianDay = 5373484;

bool inRange(qint64 julianDay) { return julianDay > kJulianDayOfDay0 && julianDay <= kLastJulianDay; }

}  // namespace

namespace dates {

DayNumber fromYmd(int y, int m, int d) { return fromQDate(QDate(y, m, d)); }

bool toYmd(DayNumber day, int& y, int& m, int& d)
{
    QDate date = toQDate(day);
    if (!date.isValid()) return false;
    date.getDate(&y, &m, &d);
    return true;
}

QDate toQDate(DayNumber day)
{
    qint64 julianDay = kJulianDayOfDay0 + day;
    return inRange(julianDay) ? QDate::fromJulianDay(julianDay) : QDate();
}

DayNumber fromQDate(const QDate& date)
{
    if (!date.isValid() || !inRange(date.toJulianDay())) return 0;
    return DayNumber(date.toJulianDay() - kJulianDayOfDay0);
}

DayNumber today() { return fromQDate(QDate::currentDate()); }

}  // namespace dates
