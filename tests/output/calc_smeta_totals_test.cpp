#include "output/totals/calc_smeta_totals.h"

#include "tests/support/raw_sqlite.h"
#include "tests/support/test_threads.h"

#include <gtest/gtest.h>

namespace {

Decimal d(const char* text) { return *Decimal::parse(text); }

class CalcSmetaTotalsTest : public test::ThreadsFixture {
protected:
    void addHeader(int number, bool worked = true)
    {
        addRecords(FileId::Headers, 1, [&](int) {
            DFL().NUMBER = std::int16_t(number);
            DFL().NAME = "Смета";
            DFL().TOTALSUM = d("5");
            if (!worked) return;
            DFL().KSTESN_EM = d("0.1");
            DFL().KIND_EM = d("1.1");
            DFL().KIND_MAT = d("1.05");
            DFL().DOPNACH9_1 = d("0.95");
            DFL().CDOPNACH1 = "Зимнее удорожание";
            DFL().DOPNACH1 = d("1.02");
            DFL().KNDS = d("0.18");
        });
    }
    // (estimate, section, total, wages, machines, machinists) per line
    struct L {
        int estimate, section;
        const char *total, *wages, *machines, *machinists;
    };
    void addLines(const std::vector<L>& lines)
    {
        addRecords(FileId::WrksInSmt, int(lines.size()), [&](int i) {
            const L& l = lines[std::size_t(i)];
            NSB().CODER = std::int16_t(l.estimate);
            NSB().GRINSMETA = std::uint8_t(l.section);
            NSB().NUMINGROUP = std::int16_t(i + 1);
            NSB().KCHELCHM = d(l.total);
            NSB().VOZVRAT = d(l.wages);
            NSB().ITEXPMASH = d(l.machines);
            NSB().ITZARPMASH = d(l.machinists);
        });
    }
    std::vector<std::string> headerColumn(const char* column)
    {
        return RawConnection("HEADERS.TPS").column(std::string("SELECT ") + column + " FROM records ORDER BY NUMBER");
    }
    bool calc(int estimate, SmetaTotals& out)
    {
        bool ok = false;
        onThread([&] {
            Relate(FileId::WrksInSmt).Open();
            ok = CalcSmetaTotals(TotalsMode::Estimate, estimate, out);
            Relate(FileId::WrksInSmt).Close();
        });
        return ok;
    }
};

TEST_F(CalcSmetaTotalsTest, SumsEveryLineOfTheEstimateWhateverItsSectionAndStoresTheGrandTotal)
{
    addHeader(7);
    addHeader(8);
    // the wage index 0 with overheads: stored as 1
    addLines({{7, 1, "1000", "300", "200", "50"}, {8, 1, "999", "9", "9", "9"}, {7, 250, "500", "100", "100", "20"}});
    SmetaTotals out;
    ASSERT_TRUE(calc(7, out));
    EXPECT_TRUE(out.text.startsWith(QStringLiteral("СТЕСНЕННОСТЬ")));
    // wages 440 not indexed; overheads (440 + 77) * 1 * 0.95 = 491.15
    EXPECT_TRUE(out.text.contains(QStringLiteral("=       491.15\r\n"))) << out.text.toStdString();
    EXPECT_EQ(headerColumn("TOTALSUM"), (std::vector<std::string>{std::to_string(out.runningTotal.scaledRounded(2).get_si()), "500"}));
    EXPECT_EQ(headerColumn("KIND_TZ"), (std::vector<std::string>{"100", "0"}));

    // a number no SHORT holds matches no line (7 + 65536 would wrap to 7)
    ASSERT_TRUE(calc(7 + 65536, out));
    EXPECT_EQ(out.runningTotal, Decimal(0));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(CalcSmetaTotalsTest, OnlyTheTotalIsWrittenIntoTheHeaderAsTheFileHoldsItNow)
{
    addHeader(7);
    TotalsResult result;
    result.grandTotal = d("12.34");
    result.wageIndexSetToOne = true;
    onThread([&] {
        Relate(FileId::WrksInSmt).Open();
        ASSERT_TRUE(totals_detail::readHeader(7));
        // another window saves the header meanwhile, with its own wage index
        RawConnection("HEADERS.TPS").exec("UPDATE records SET NAME = 'Новое имя', KIND_TZ = 250");
        totals_detail::storeTotals(7, result);
        Relate(FileId::WrksInSmt).Close();
    });
    EXPECT_EQ(headerColumn("NAME"), std::vector<std::string>{"Новое имя"});
    EXPECT_EQ(headerColumn("KIND_TZ"), std::vector<std::string>{"250"});
    EXPECT_EQ(headerColumn("TOTALSUM"), std::vector<std::string>{"1234"});
}

TEST_F(CalcSmetaTotalsTest, AnEstimateWithoutHeaderWritesNothing)
{
    addHeader(7);
    addLines({{9, 1, "100", "0", "0", "0"}});
    SmetaTotals out;
    ASSERT_TRUE(calc(9, out));
    EXPECT_EQ(out.runningTotal, d("100"));
    EXPECT_EQ(headerColumn("NUMBER"), std::vector<std::string>{"7"});
    EXPECT_EQ(headerColumn("TOTALSUM"), std::vector<std::string>{"500"});
}

TEST_F(CalcSmetaTotalsTest, AFailedReadOrATotalTooLargeStoresNothing)
{
    addHeader(7);
    addLines({{7, 1, "999999999.99", "0", "0", "0"}, {7, 2, "999999999.99", "0", "0", "0"}});
    onThread([&] {
        DFL().NUMBER = 7;
        Relate(FileId::Headers).Open();
        Access(FileId::Headers).TryFetch(HeadersLayout().keyIndex("DFL:BYNUM"));
        DFL().DOPNACH1 = d("100");
        Relate(FileId::Headers).Update();
        Relate(FileId::Headers).Close();
    });
    SmetaTotals out;
    EXPECT_FALSE(calc(7, out));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Итоги сметы"));
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Сумма по смете слишком велика для расчета итогов."));
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(headerColumn("TOTALSUM"), std::vector<std::string>{"500"});

    messages.clear();
    bool ok = true;
    onThread([&] {
        Relate(FileId::WrksInSmt).Open();
        Access(FileId::WrksInSmt).UseFile();
        // the lines' file changes under the open file: its reads fail
        RawConnection("WRKSINSM.TPS").exec("ALTER TABLE records RENAME COLUMN KCHELCHM TO GONE");
        ok = CalcSmetaTotals(TotalsMode::Estimate, 7, out);
        Relate(FileId::WrksInSmt).Close();
    });
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка доступа к записи"));
    EXPECT_EQ(headerColumn("TOTALSUM"), std::vector<std::string>{"500"});
}

}  // namespace
