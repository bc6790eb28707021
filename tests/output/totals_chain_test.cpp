#include "output/totals/totals_chain.h"
#include "tests/support/worked_rates.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Decimal d(const char* text) { return *Decimal::parse(text); }

QString right(const QString& text, int width) { return text.rightJustified(width); }
QString sp(int n) { return QString(n, u' '); }
const QString crlf = QStringLiteral("\r\n");

// A line with its unit values and the amounts stored for its quantity.
WrksInSmtRecord line(const char* quantity, const char* price, const char* wages, const char* machines,
                     const char* machinists)
{
    WrksInSmtRecord r{};
    const Decimal q = d(quantity);
    r.CHELCH = q;
    r.CENA_OB = d(price);
    r.CENA_TZ = d(wages);
    r.EKSPLM = d(machines);
    r.ZARPLM = d(machinists);
    r.KCHELCHM = q * d(price);
    r.VOZVRAT = q * d(wages);
    r.ITEXPMASH = q * d(machines);
    r.ITZARPMASH = q * d(machinists);
    return r;
}

HeadersRecord workedHeader()
{
    HeadersRecord h{};
    test::setWorkedRates(h);
    return h;
}

TotalsResult run(TotalsMode mode, const std::vector<WrksInSmtRecord>& lines, const HeadersRecord& header)
{
    TotalsSums sums;
    for (const auto& l : lines) sums.add(mode, l);
    return chainTotals(sums, header);
}

TEST(TotalsChain, WorkedEstimateGivesTheWholeTextByteForByte)
{
    const TotalsResult r = run(TotalsMode::Estimate,
                               {line("10", "100", "30", "20", "5"), line("5", "100", "20", "20", "4")}, workedHeader());
    const QString expected =
        QStringLiteral("СТЕСНЕННОСТЬ") + sp(70) + crlf +                                                  //
        QStringLiteral(" на стесненность от рабочей силы") + sp(7) + right("0.1000", 9) + sp(8) + right("40.00", 9) + crlf +
        QStringLiteral(" на стесненность от экспл. машин") + sp(7) + right("0.1000", 9) + sp(8) + right("30.00", 9) + crlf +
        QStringLiteral(" на стесненность от зарплаты машинистов") + right("0.1000", 9) + sp(8) + right("7.00", 9) + crlf +
        QStringLiteral(" ИТОГО") + sp(14) + QStringLiteral("З/П=") + right("440.00", 11) + QStringLiteral(" Э/М=") +
        right("330.00", 11) + "(" + right("77.00", 12) + ")" + crlf + crlf +                               //
        QStringLiteral("Рыночное удорожание работ") + crlf +                                               //
        QStringLiteral(" Заработная плата с к =") + sp(18) + right("1.20", 9) + right("528.00", 15) + crlf +
        QStringLiteral(" Эксплуатация машин и механизмов с к =") + sp(3) + right("1.10", 9) + right("363.00", 15) + crlf +
        QStringLiteral(" Материалы с к =") + sp(25) + right("1.05", 9) + right("840.00", 15) + crlf +     //
        QStringLiteral(" ИТОГО") + sp(44) + right("1,731.00", 15) + crlf + crlf +                          //
        QStringLiteral("Накладные расходы (") + right("440.00", 8) + "+" + right("77.00", 8) + ")*" + right("1.20", 8) +
        "*" + "0.95" + "=" + right("589.38", 13) + crlf +                                                 //
        QStringLiteral("ИТОГО") + sp(45) + right("2,320.38", 15) + crlf +                                  //
        QStringLiteral("Зимнее удорожание").leftJustified(30) + QStringLiteral(" с к = ") + right("1.0200", 12) +
        right("2,366.79", 16) + crlf +                                                                     //
        QStringLiteral("НДС . . . . . . . . . . . . . . . . .") + right("0.1800", 12) + right("426.02", 16) + crlf +
        QStringLiteral("ВСЕГО . . . . . . . . . . . . . . . . . . . . . .") + " " + right("2,792.81", 15) + crlf;
    EXPECT_EQ(r.text, expected);
    EXPECT_EQ(r.grandTotal, d("2792.81"));
    EXPECT_FALSE(r.wageIndexSetToOne);
    EXPECT_FALSE(r.overflow);
}

TEST(TotalsChain, ActModeSumsActQuantityTimesUnitValuesRoundingEachWorkingValue)
{
    WrksInSmtRecord first = line("10", "100", "30", "20", "5"), second = line("5", "100", "20", "20", "4");
    first.ONAKT = d("2.5");
    second.ONAKT = d("0");
    const TotalsResult r = run(TotalsMode::Act, {first, second}, workedHeader());
    EXPECT_TRUE(r.text.contains(QStringLiteral("=") + right("109.73", 13) + crlf)) << r.text.toStdString();
    EXPECT_EQ(r.grandTotal, d("482.02"));
}

struct Case {
    const char* name;
    std::vector<const char*> costs;  // line totals (no wages or machines)
    void (*header)(HeadersRecord&);
    std::vector<QString> present, absent;
    const char* total;
};

TEST(TotalsChain, ThresholdsChargesAndEmptyEstimates)
{
    const Case cases[] = {
        {"a charge of 0.001 is left out, one of 0.0011 applies",
         {"100"},
         [](HeadersRecord& h) {
             h.CDOPNACH1 = "Первая";
             h.DOPNACH1 = d("0.001");
             h.CDOPNACH2 = "Вторая";
             h.DOPNACH2 = d("0.0011");
         },
         {QStringLiteral("Вторая") + sp(24) + QStringLiteral(" с к = ") + right("0.0011", 12) + right("0.11", 16)},
         {QStringLiteral("Первая")},
         "0.11"},
        {"two charges of 1.1 compound",
         {"100"},
         [](HeadersRecord& h) {
             h.CDOPNACH1 = "Первая";
             h.DOPNACH1 = d("1.1");
             h.CDOPNACH3 = "Третья";
             h.DOPNACH3 = d("1.1");
         },
         {right("110.00", 16) + crlf, right("121.00", 16) + crlf},
         {},
         "121"},
        {"all coefficients zero: the market caption, its total and the grand total only",
         {"100", "23.45"},
         [](HeadersRecord&) {},
         {QStringLiteral("Рыночное удорожание работ") + crlf + QStringLiteral(" ИТОГО") + sp(44) + right("123.45", 15) +
          crlf + crlf + QStringLiteral("ВСЕГО . . . . . . . . . . . . . . . . . . . . . . ") + right("123.45", 15) + crlf},
         {QStringLiteral("с к"), QStringLiteral("Накладные"), QStringLiteral("НДС")},
         "123.45"},
        {"no lines: every applied step shows 0.00",
         {},
         [](HeadersRecord& h) { h = workedHeader(); },
         {QStringLiteral(" Заработная плата с к =") + sp(18) + right("1.20", 9) + right("0.00", 15),
          right("0.00", 13) + crlf, right("0.00", 16) + crlf, right("0.00", 15) + crlf},
         {},
         "0"},
        {"the wage index 0 with overheads takes the factor 1",
         {"100"},
         [](HeadersRecord& h) { h.DOPNACH9_1 = d("0.5"); },
         {QStringLiteral(")*") + right("1.00", 8) + "*"},
         {QStringLiteral("Заработная плата")},
         "100"},
        {"an index at its threshold is left out",
         {"100"},
         [](HeadersRecord& h) {
             h.KIND_MAT = d("0.0001");
             h.KNDS = d("0.001");
         },
         {},
         {QStringLiteral("Материалы"), QStringLiteral("НДС")},
         "100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<WrksInSmtRecord> lines;
        for (const char* cost : c.costs) {
            WrksInSmtRecord l{};
            l.KCHELCHM = d(cost);
            lines.push_back(l);
        }
        HeadersRecord h{};
        c.header(h);
        const TotalsResult r = run(TotalsMode::Estimate, lines, h);
        for (const QString& p : c.present) EXPECT_TRUE(r.text.contains(p)) << r.text.toStdString();
        for (const QString& a : c.absent) EXPECT_FALSE(r.text.contains(a)) << r.text.toStdString();
        EXPECT_EQ(r.grandTotal, d(c.total));
        EXPECT_FALSE(r.overflow);
    }
}

TEST(TotalsChain, WageIndexZeroWithOverheadsAsksForOneToBeStored)
{
    HeadersRecord h{};
    h.DOPNACH9_1 = d("0.5");
    EXPECT_TRUE(run(TotalsMode::Estimate, {line("1", "100", "10", "0", "0")}, h).wageIndexSetToOne);
    h.DOPNACH9_1 = d("0.001");
    EXPECT_FALSE(run(TotalsMode::Estimate, {line("1", "100", "10", "0", "0")}, h).wageIndexSetToOne);
}

TEST(TotalsChain, LargeWagesNeverWrapAndATotalBeyondItsFieldIsRefused)
{
    // two lines of 600 million wages: the overheads base holds 1.2 billion, not its low digits
    HeadersRecord h{};
    h.KIND_TZ = d("1");
    h.DOPNACH9_1 = d("0.5");
    const auto big = line("1", "600000000", "600000000", "0", "0");
    TotalsResult r = run(TotalsMode::Estimate, {big, big}, h);
    EXPECT_FALSE(r.overflow);
    EXPECT_TRUE(r.text.contains(right("600,000,000.00", 13))) << r.text.toStdString();
    EXPECT_EQ(r.grandTotal, d("1800000000"));

    // 120 billion does not fit the header's DECIMAL(13,2) total
    h.CDOPNACH1 = "Сотня";
    h.DOPNACH1 = d("100");
    EXPECT_TRUE(run(TotalsMode::Estimate, {big, big}, h).overflow);
}

}  // namespace
