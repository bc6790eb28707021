// The money of a work line without a window: the amounts, the recalculation by a coefficient
// (compounding, the name's mark, coefficients that change only the amounts) and the results
// too wide for their fields, which change nothing.
#include "estimate/lines/line_costing.h"

#include <gtest/gtest.h>


namespace {

Decimal d(const char* text) { return *Decimal::parse(text); }

struct Prices {
    const char *total, *wages, *machines, *machinists, *quantity;
};

WrksInSmtRecord lineOf(const Prices& p, const QString& name = QStringLiteral("Кладка"))
{
    WrksInSmtRecord line;
    line.NAME = name;
    line.CENA_OB = d(p.total);
    line.CENA_TZ = d(p.wages);
    line.EKSPLM = d(p.machines);
    line.ZARPLM = d(p.machinists);
    line.CENA_M = d("7.77");
    line.CHELCH = d(p.quantity);
    line.KOOEFF = d("1");
    return line;
}

// total, wages, machines, machinists (amounts, then unit prices), the accumulated coefficient
std::string amounts(const WrksInSmtRecord& l)
{
    return l.KCHELCHM.value().toFixedString(2) + " " + l.VOZVRAT.value().toFixedString(2) + " " +
           l.ITEXPMASH.value().toFixedString(2) + " " + l.ITZARPMASH.value().toFixedString(2);
}
std::string prices(const WrksInSmtRecord& l);
// all the costing touches
std::string everything(const WrksInSmtRecord& l)
{
    return prices(l) + " " + amounts(l) + " " + l.CENA_M.value().toFixedString(2) + " " + l.NAME.toQString().toStdString();
}
std::string prices(const WrksInSmtRecord& l)
{
    return l.CENA_OB.value().toFixedString(2) + " " + l.CENA_TZ.value().toFixedString(2) + " " +
           l.EKSPLM.value().toFixedString(2) + " " + l.ZARPLM.value().toFixedString(2) + " k" +
           l.KOOEFF.value().toFixedString(4);
}

const Prices kSample{"120.50", "30.25", "10.10", "4.05", "2.5"};

TEST(LineCosting, AmountsAreExactProductsRoundedHalfAwayFromZero)
{
    WrksInSmtRecord line = lineOf(kSample);
    ASSERT_TRUE(CostLine(line));
    EXPECT_EQ(amounts(line), "301.25 75.63 25.25 10.13");

    line = lineOf({"-120.50", "-30.25", "0", "0", "2.5"});  // half away from zero both ways
    ASSERT_TRUE(CostLine(line));
    EXPECT_EQ(amounts(line), "-301.25 -75.63 0.00 0.00");
}

TEST(LineCosting, EachRecalculationCompoundsPricesMarkAndCoefficient)
{
    WrksInSmtRecord line = lineOf(kSample);
    ASSERT_TRUE(RecalculateLine(line, d("1.1")));
    EXPECT_EQ(prices(line), "124.54 33.28 11.11 4.46 k1.1000");
    EXPECT_EQ(line.NAME.toQString(), "Кладка;с К=  1.10");
    EXPECT_EQ(amounts(line), "311.35 83.20 27.78 11.15");
    ASSERT_TRUE(RecalculateLine(line, d("1.1")));
    EXPECT_EQ(prices(line), "128.98 36.61 12.22 4.91 k1.2100");
    EXPECT_EQ(line.NAME.toQString(), "Кладка;с К=  1.10;с К=  1.10");
    EXPECT_EQ(line.CENA_M.value().toFixedString(2), "7.77");  // never recalculated

    // the mark shows two places while the prices scale by all four
    line = lineOf(kSample);
    ASSERT_TRUE(RecalculateLine(line, d("1.125")));
    EXPECT_EQ(line.NAME.toQString(), "Кладка;с К=  1.13");
    EXPECT_EQ(prices(line), "125.54 34.03 11.36 4.56 k1.1250");
}

TEST(LineCosting, CoefficientsBelowTheSmallestChangeOnlyTheAmounts)
{
    for (const char* k : {"0", "-1", "0.00009"}) {
        WrksInSmtRecord line = lineOf(kSample);
        ASSERT_TRUE(RecalculateLine(line, d(k))) << k;
        EXPECT_EQ(prices(line), "120.50 30.25 10.10 4.05 k1.0000") << k;
        EXPECT_EQ(line.NAME.toQString(), "Кладка") << k;
        EXPECT_EQ(amounts(line), "301.25 75.63 25.25 10.13") << k;
    }
    WrksInSmtRecord line = lineOf(kSample);
    ASSERT_TRUE(RecalculateLine(line, d("0.0001")));
    EXPECT_EQ(prices(line), "80.15 0.00 0.00 0.00 k0.0001");
    EXPECT_EQ(line.NAME.toQString(), "Кладка;с К=  0.00");
}

TEST(LineCosting, TheMarkIsCutAtTheNamesWidth)
{
    struct Case {
        int length;
        QString name;
    } cases[] = {{215, QString(215, QChar(u'ж')) + ";с К="}, {220, QString(220, QChar(u'ж'))}};
    for (const Case& c : cases) {
        WrksInSmtRecord line = lineOf(kSample, QString(c.length, QChar(u'ж')) + "   ");
        ASSERT_TRUE(RecalculateLine(line, d("1.1")));
        EXPECT_EQ(line.NAME.toQString(), c.name) << c.length;
    }
    // a coefficient wider than the mark's six places is written in full
    WrksInSmtRecord line = lineOf(kSample);
    ASSERT_TRUE(RecalculateLine(line, d("1000")));
    EXPECT_EQ(line.NAME.toQString(), "Кладка;с К=1,000.00");
    EXPECT_EQ(prices(line), "40430.15 30250.00 10100.00 4050.00 k1000.0000");
}

TEST(LineCosting, ResultsTooWideForTheirFieldsChangeNothing)
{
    struct Case {
        const char* name;
        Prices prices;
        const char* kooeff;
        const char* k;  // null: only the amounts
    } cases[] = {
        {"an amount past DECIMAL(11,2)", {"60000", "0", "0", "0", "20000"}, "1", nullptr},
        {"the largest prices by the largest quantity", {"99999.99", "99999.99", "99999.99", "99999.99", "99999.99"}, "1", nullptr},
        {"wages scaled past DECIMAL(7,2)", {"20000", "20000", "0", "0", "1"}, "1", "10"},
        {"machinists' wages scaled past it", {"1", "0", "0", "20000", "1"}, "1", "10"},
        {"a unit price past it", {"99000", "9000", "9000", "0", "1"}, "1", "1.2"},
        {"the accumulated coefficient past DECIMAL(11,4)", {"1", "0", "0", "0", "1"}, "9000000", "1000"},
        {"the amounts of a recalculated price", {"10", "10", "0", "0", "99999.99"}, "1", "9999"},
    };
    for (const Case& c : cases) {
        WrksInSmtRecord line = lineOf(c.prices);
        line.KOOEFF = d(c.kooeff);
        line.KCHELCHM = d("1.23");
        const std::string before = everything(line);
        const bool done = c.k ? RecalculateLine(line, d(c.k)) : CostLine(line);
        EXPECT_FALSE(done) << c.name;
        EXPECT_EQ(everything(line), before) << c.name;
    }
    // compounding until the price no longer fits: the last press is refused whole
    WrksInSmtRecord line = lineOf({"30000", "30000", "0", "0", "1"});
    ASSERT_TRUE(RecalculateLine(line, d("2")));
    ASSERT_TRUE(RecalculateLine(line, d("1.5")));
    const std::string before = everything(line);
    EXPECT_FALSE(RecalculateLine(line, d("1.2")));
    EXPECT_EQ(everything(line), before);
    EXPECT_EQ(prices(line), "90000.00 90000.00 0.00 0.00 k3.0000");
}

}  // namespace
