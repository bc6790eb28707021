#include "platform/core/dates.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct KnownDay {
    int y, m, d;
    DayNumber day;
};

// Day numbers worked out apart from the code (proleptic Gregorian ordinals).
const KnownDay kKnownDays[] = {
    {1800, 12, 29, 1}, {1801, 1, 1, 4},         {1900, 3, 1, 36222},
    {2000, 2, 29, 72746}, {2009, 3, 5, 76038}, {2009, 10, 16, 76263}, {9999, 12, 31, 2994626},
};

TEST(Dates, KnownDaysBothWays)
{
    for (const KnownDay& k : kKnownDays) {
        EXPECT_EQ(dates::fromYmd(k.y, k.m, k.d), k.day) << k.y << "-" << k.m << "-" << k.d;
        int y = 0, m = 0, d = 0;
        ASSERT_TRUE(dates::toYmd(k.day, y, m, d)) << k.day;
        EXPECT_EQ(std::make_tuple(y, m, d), std::make_tuple(k.y, k.m, k.d)) << k.day;
        EXPECT_EQ(dates::toQDate(k.day), QDate(k.y, k.m, k.d));
        EXPECT_EQ(dates::fromQDate(QDate(k.y, k.m, k.d)), k.day);
    }
}

TEST(Dates, LeapYearsFollowTheGregorianRule)
{
    EXPECT_EQ(dates::fromYmd(1900, 2, 29), 0);  // a century year not divisible by 400
    EXPECT_EQ(dates::fromYmd(1900, 3, 1) - dates::fromYmd(1900, 2, 28), 1);
    EXPECT_EQ(dates::fromYmd(2000, 3, 1) - dates::fromYmd(2000, 2, 28), 2);
    EXPECT_EQ(dates::fromYmd(2004, 3, 1) - dates::fromYmd(2004, 2, 29), 1);
    EXPECT_EQ(dates::fromYmd(2005, 2, 29), 0);
}

TEST(Dates, InvalidDatesAndDayNumbers)
{
    const int invalid[][3] = {{2009, 13, 1}, {2009, 0, 1}, {2009, 4, 31}, {2009, 1, 0}, {1800, 12, 28}, {10000, 1, 1}};
    for (const auto& v : invalid) EXPECT_EQ(dates::fromYmd(v[0], v[1], v[2]), 0) << v[0] << "-" << v[1] << "-" << v[2];
    EXPECT_EQ(dates::fromQDate(QDate()), 0);

    for (DayNumber day : {0, -1, 2994627}) {
        int y = 7, m = 7, d = 7;
        EXPECT_FALSE(dates::toYmd(day, y, m, d)) << day;
        EXPECT_EQ(std::make_tuple(y, m, d), std::make_tuple(7, 7, 7));
        EXPECT_FALSE(dates::toQDate(day).isValid());
    }
}

TEST(Dates, EveryDayRoundTripsAndFollowsTheLastOne)
{
    int prevY = 1800, prevM = 12, prevD = 28;
    for (DayNumber day = 1; day <= 80000; ++day) {
        int y = 0, m = 0, d = 0;
        ASSERT_TRUE(dates::toYmd(day, y, m, d));
        ASSERT_EQ(dates::fromYmd(y, m, d), day);
        ASSERT_EQ(QDate(prevY, prevM, prevD).addDays(1), QDate(y, m, d)) << day;
        prevY = y, prevM = m, prevD = d;
    }
}

TEST(Dates, TodayIsTheLocalDate)
{
    DayNumber before = dates::fromQDate(QDate::currentDate());
    DayNumber today = dates::today();
    DayNumber after = dates::fromQDate(QDate::currentDate());
    EXPECT_TRUE(today == before || today == after);  // the clock may pass midnight in between
    EXPECT_GT(today, dates::fromYmd(2020, 1, 1));
}

}  // namespace
