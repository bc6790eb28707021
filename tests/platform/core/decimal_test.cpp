#include "platform/core/decimal.h"

#include <gtest/gtest.h>

namespace {

Decimal dec(const char* text) { return *Decimal::parse(text); }

struct StoreCase {
    const char* value;
    std::int64_t scaled;  // stored into DECIMAL(7,2)
};

TEST(DecimalField, StoreRoundsHalfAwayFromZero)
{
    const StoreCase cases[] = {
        {"1.005", 101}, {"-0.005", -1}, {"1.004", 100}, {"-1.005", -101}, {"0.0049", 0}, {"12345.675", 1234568},
    };
    for (const auto& c : cases) {
        DecimalField<7, 2> f = dec(c.value);
        EXPECT_EQ(f.scaled(), c.scaled) << c.value;
    }
}

TEST(DecimalField, ExpressionsAreExactUntilStored)
{
    DecimalField<7, 2> qty = dec("2.5");
    DecimalField<7, 2> price = dec("30.25");
    DecimalField<11, 2> total = qty * price;  // 75.625
    EXPECT_EQ(total.scaled(), 7563);
    EXPECT_EQ(Decimal(qty) * price, dec("75.625"));

    DecimalField<9, 3> coeff = dec("1.150");
    EXPECT_EQ(coeff.scaled(), 1150);
    EXPECT_EQ(Decimal(coeff).toPlainString(), "1.15");

    // thirds stay exact inside the expression
    EXPECT_EQ(Decimal(1) / 3 * 3, Decimal(1));
}

TEST(DecimalField, TooWideKeepsLowOrderDigitsOrIsRefused)
{
    DecimalField<13, 2> f = dec("12345678901234.56");  // 14 integer digits
    EXPECT_EQ(f.scaled(), 45678901234'56LL);  // 45678901234.56
    DecimalField<13, 2> g = dec("-98765432109876.5");
    EXPECT_EQ(g.scaled(), -65432109876'50LL);

    DecimalField<13, 2> checked = dec("1.00");
    EXPECT_FALSE(checked.checkedStore(dec("123456789012.34") * 10));
    EXPECT_EQ(checked.scaled(), 100);
    EXPECT_TRUE(checked.checkedStore(dec("99999999999.994")));
    EXPECT_EQ(checked.scaled(), 9999999999999LL);
}

TEST(Decimal, DivisionByZeroGivesZero)
{
    EXPECT_EQ(Decimal(5) / 0, Decimal(0));
    Decimal d = dec("7.5");
    d /= Decimal();
    EXPECT_TRUE(d.isZero());
}

TEST(Decimal, Text)
{
    EXPECT_EQ(dec("-1.50").toFixedString(2), "-1.50");
    EXPECT_EQ(dec("0.005").toFixedString(2), "0.01");
    EXPECT_EQ(dec("-0.004").toPlainString(2), "0");
    EXPECT_EQ(Decimal(1).toPlainString(), "1");
    EXPECT_FALSE(Decimal::parse(" 1").has_value());
    EXPECT_FALSE(Decimal::parse("1e3").has_value());
    EXPECT_FALSE(Decimal::parse("").has_value());
    EXPECT_EQ(*Decimal::parse(".5"), dec("0.5"));
}

TEST(Decimal, TextToNumber)
{
    const std::pair<const char*, const char*> cases[] = {
        {"  12.5abc", "12.5"}, {"-3", "-3"}, {"abc", "0"}, {"", "0"},  {"1.2.3", "1.2"},
        {"+7", "7"},           {"-", "0"},   {".", "0"},   {"5.", "5"}, {"  -.25", "-0.25"},
        {"1,5", "1"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(textToNumber(std::string_view(text)), dec(expected)) << text;
}

TEST(IntegerFields, AssignmentTruncatesAndWraps)
{
    EXPECT_EQ(assignInteger<std::int16_t>(dec("2.9")), 2);
    EXPECT_EQ(assignInteger<std::int16_t>(dec("-2.9")), -2);
    EXPECT_EQ(assignInteger<std::int16_t>(Decimal(32768)), -32768);
    EXPECT_EQ(assignInteger<std::uint8_t>(Decimal(256 + 7)), 7);
    EXPECT_EQ(assignInteger<std::uint8_t>(Decimal(-1)), 255);
    EXPECT_EQ(assignInteger<std::int32_t>(Decimal(2147483648LL)), -2147483647 - 1);

    std::int16_t s = 5;
    EXPECT_FALSE(checkedAssignInteger(Decimal(32768), s));
    EXPECT_EQ(s, 5);
    EXPECT_TRUE(checkedAssignInteger(dec("32767.9"), s));
    EXPECT_EQ(s, 32767);
    std::uint8_t b = 0;
    EXPECT_FALSE(checkedAssignInteger(Decimal(-1), b));
}

}  // namespace
