#include "app/frame/procedures.h"
#include "data/globals.h"
#include "platform/core/codepage.h"
#include "platform/ui/windows/procedures.h"
#include "platform/ui/windows/window.h"
#include "tests/support/act_estimate.h"
#include "tests/support/text_report_file.h"

#include <gtest/gtest.h>

namespace {

QString b(int n) { return QString(n, QLatin1Char(' ')); }
QString u(const char* utf8) { return QString::fromUtf8(utf8); }
QString pad(const char* utf8, int width) { return u(utf8).leftJustified(width, QLatin1Char(' ')); }

const QString kRule(182, QLatin1Char('-'));

class PrintAktToTextTest : public test::ActEstimateFixture {
protected:
    PrintAktToTextTest()
    {
        registerProgramProcedures();
        InitProgramGlobals();
        ui::registerProcedure(QStringLiteral("ShowTextFile"),
                              [this](const ui::ProcedureArgs& args) { viewed.push_back(args.value(0).toString()); });
    }
    ~PrintAktToTextTest() override
    {
        EXPECT_TRUE(test::pumpUntil([] { return ui::Scheduler::instance().runningThreads().empty(); }));
    }

    // Started on a new thread by name, as the act window starts it.
    void report(const char* dlm = "|")
    {
        DLM = dlm;
        NumSmeta = 5;
        const ui::ThreadId t = ui::startProcedure(QStringLiteral("PrintAktToText"));
        ASSERT_NE(t, 0);
        ASSERT_TRUE(test::waitEnded(t, 30000));
    }
    static std::vector<QString> fileLines() { return test::textReportLines(); }
    static std::vector<QString> bodyLines() { return test::textReportBody(); }

    std::vector<QString> viewed;
};

TEST_F(PrintAktToTextTest, TheFixtureGivesTheActHeadingItsLineWithoutSeparatorsAndTheActTotal)
{
    addActEstimate();
    report();
    const std::vector<QString> all = fileLines();
    ASSERT_GT(all.size(), 11u);
    const std::vector<QString> heading = {
        QChar(0x0E) + b(14) + u("АКТ"),
        b(29) + u("к смете №      5"),
        b(23) + u("Ремонт кровли") + b(24) + QChar(0x1B) + QChar(0x46),
        u("Дефектная ведомость"),
        QChar(0x0F) + b(5) + u("Составлен в ценах 1984 года с пересчетом на текущие цены") + b(9) + u(" 5/03/2009"),
        kRule,
    };
    EXPECT_EQ(std::vector<QString>(all.begin(), all.begin() + 6), heading);
    const std::vector<QString> body = {
        QString(),
        b(11) + u("Раздел") + b(2) + u("   1") + b(4) + u("Земляные работы"),
        // line 2 has no act: neither written nor summed
        u("  1 ") + pad("Е01-01-1", 15) + pad("Разработка грунта", 60) + u(" ") + pad("м3", 16) +
            u("      2.50   100.00    30.00    20.00     5.00     250.00     75.00     50.00    12.50"),
        b(5) + u("|| Итого по разделу    1") + b(99) + u("|||||||") + u("     250.00|      75.00|      50.00|      12.50|"),
        QString(),
        b(11) + u("Раздел") + b(2) + u("   2") + b(4) + u("Кровля"),
        b(5) + u("|| Итого по разделу    2") + b(99) + u("|||||||") + u("       0.00|       0.00|       0.00|       0.00|"),
    };
    EXPECT_EQ(bodyLines(), body);
    const auto totals = std::find(all.begin() + 11, all.end(), kRule);
    ASSERT_LT(totals + 1, all.end());
    EXPECT_EQ(totals[1], b(11) + u("||") + pad("Итого прямые затраты", 114) + u("|||||||") +
                             u("     250.00|      75.00|      50.00|       12.50|"));
    EXPECT_TRUE(std::any_of(totals, all.end(), [](const QString& l) {
        return l.contains(u("Накладные расходы")) && l.endsWith(u("109.73"));  // 109.725
    }));
    EXPECT_EQ(all.back(), b(12) + u("||") + pad("ВСЕГО", 99) + u("|") + u("482.02").rightJustified(17));
    EXPECT_TRUE(test::pumpUntil([&] { return !viewed.empty(); }));
    EXPECT_EQ(viewed, std::vector<QString>{QStringLiteral("TEXTREP")});
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PrintAktToTextTest, LinesWithoutActAreCountedButNeitherWrittenNorSummed)
{
    const QString a = QString(60, u'а'), p2 = QString(60, u'б'), p3 = QString(60, u'в');
    addActEstimate({{1, "1", "1", "1", "0", "0", "0", a + p2 + p3 + QString(40, u'г')},
                    {1, "0", "1", "5", "0", "0", "0"},
                    {1, "-1", "1", "7", "0", "0", "0"},
                    {1, "2.5", "3", "10.01", "0", "0", "0", a + b(60) + u("ввв")},
                    {1, "0.01", "1", "100", "0", "0", "0"}});
    report(" ");
    auto number = [](const QString& line) { return line.left(3).trimmed(); };
    std::vector<QString> numbers, pieces;
    for (const QString& line : bodyLines()) {
        if (line.size() > 3 && !number(line).isEmpty() && line[3] == u' ' && line.size() == 182) numbers.push_back(number(line));
        if (line.startsWith(b(19)) && !line.contains(u("Раздел"))) pieces.push_back(line);
    }
    EXPECT_EQ(numbers, (std::vector<QString>{"1", "4", "5"}));
    // pieces 61-120 and 121-180 each on its own, never 181-220
    EXPECT_EQ(pieces, (std::vector<QString>{b(19) + p2, b(19) + p3, b(19) + u("ввв")}));
    const std::vector<QString> body = bodyLines();
    const auto fourth = std::find_if(body.begin(), body.end(), [&](const QString& l) { return number(l) == u("4"); });
    ASSERT_NE(fourth, body.end());
    EXPECT_EQ(fourth->mid(96, 10), u("      2.50"));
    EXPECT_EQ(fourth->mid(142, 11), u("      25.03"));  // 25.025 half away from zero
    // 1.00 + 25.03 + 1.00: the line without act and the negative one add nothing
    EXPECT_TRUE(std::any_of(body.begin(), body.end(), [](const QString& l) {
        return l.contains(u("Итого по разделу    1")) && l.mid(135, 11) == u("      27.03");
    }));
}

TEST_F(PrintAktToTextTest, AnActAmountTooWideForALineFieldIsWrittenWhole)
{
    addActEstimate({{1, "99999.99", "1", "99999.99", "0", "0", "0"}});
    report(" ");
    const std::vector<QString> body = bodyLines();
    ASSERT_GE(body.size(), 3u);
    // 9,999,998,000.0001 would keep 999,998,000.00 in a DECIMAL(11,2)
    EXPECT_TRUE(body[2].contains(u("9,999,998,000.00"))) << body[2].toStdString();
    EXPECT_TRUE(body[3].contains(u("9,999,998,000.00"))) << body[3].toStdString();
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PrintAktToTextTest, TheActReportIsRefusedWhileTheEstimateReportRuns)
{
    addActEstimate();
    NumSmeta = 5;
    const ui::ThreadId first = ui::startProcedure(QStringLiteral("PrintToTextFile"));
    ASSERT_NE(test::waitWindowTitled(first, QStringLiteral("Processing Records")), nullptr);
    report();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Текстовый отчет уже формируется."));
    ASSERT_TRUE(test::waitEnded(first, 20000));
    EXPECT_TRUE(fileLines().at(0).contains(u("СМЕТА")));
}

}  // namespace
