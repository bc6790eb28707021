#include "platform/ui/report/report_engine.h"
#include "platform/ui/report/text_wrap.h"
#include "tests/support/fixed_cell_measurer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace ui::report;

// At 8 points a cell is 80 wide and a line 160 high.
struct Record {
    int estimate, section;
    const char* amount;
    QString name = QStringLiteral("работа");
};

class ReportEngineTest : public ::testing::Test {
protected:
    ReportEngineTest()
    {
        layout.lineArea = QRect(100, 1000, 4000, 1000);
        layout.pageHeader = FixedBand{100, 500, 4000, Band{200, {label(0, 0, QStringLiteral("HDR"))}, {}}};
        layout.pageFooter = FixedBand{100, 2100, 4000, Band{200, {pageNumber(0, 0, QStringLiteral("pСтр <<<#p"))}, {}}};
        const auto amount = [this] { return *Decimal::parse(current.amount); };
        const auto section = [this] { return Decimal(current.section); };
        Group estimate;
        estimate.key = [this] { return current.estimate; };
        estimate.headers = {Band{200, {label(0, 0, QStringLiteral("EST"))}, {}}};
        estimate.footers = {Band{200, {label(0, 0, QStringLiteral("E")), sum(1000, 0, QStringLiteral("n9.2"), amount)}, {}}};
        Group sections;
        sections.key = [this] { return current.section; };
        sections.headers = {Band{200, {label(0, 0, QStringLiteral("S")), field(200, 0, QStringLiteral("n_3"), section)}, {}}};
        sections.footers = {Band{200,
                                 {label(0, 0, QStringLiteral("F")), field(200, 0, QStringLiteral("n_3"), section),
                                  sum(1000, 0, QStringLiteral("n9.2"), amount)},
                                 {}}};
        layout.groups = {estimate, sections};
        layout.line = Band{200,
                           {field(1000, 0, QStringLiteral("n9.2"), amount), text(2000, 0, 800, [this] { return current.name; }),
                            label(3000, 160, QStringLiteral("below"))},
                           {}};
    }

    PageModel run(const std::vector<Record>& records)
    {
        ReportEngine engine(layout, measurer);
        for (const Record& r : records) {
            current = r;
            engine.printLine();
        }
        engine.finish();
        return engine.takePages();
    }

    static QStringList texts(const Page& page)
    {
        QStringList out;
        for (const Item& i : page.items)
            if (i.kind == Item::Text && i.text.trimmed() != QStringLiteral("работа")) out << i.text.trimmed();
        return out;
    }
    static const Item* find(const Page& page, const QString& text)
    {
        for (const Item& i : page.items)
            if (i.kind == Item::Text && i.text.trimmed() == text) return &i;
        return nullptr;
    }

    ReportLayout layout;
    test::FixedCellMeasurer measurer;
    Record current{};
};

TEST_F(ReportEngineTest, GroupsBreakFromTheInnermostOutWithTheFinishedGroupsValuesAndSumsRestart)
{
    layout.lineArea.setHeight(2000);
    // the driver prints no line of section 2: it opens nothing
    const PageModel m = run({{1, 1, "10"}, {1, 1, "20"}, {1, 3, "5"}});
    ASSERT_EQ(m.pages.size(), 1u);
    EXPECT_EQ(texts(m.pages[0]), (QStringList{"HDR", "EST", "S", "1", "10.00", "below", "20.00", "below", "F", "1",
                                              "30.00", "S", "3", "5.00", "below", "F", "3", "5.00", "E", "35.00",
                                              "Стр    1"}));
}

TEST_F(ReportEngineTest, NothingPrintedGivesNoPage)
{
    EXPECT_TRUE(run({}).pages.empty());
}

TEST_F(ReportEngineTest, GrowingTextPushesDownWhatLiesBelowItsBottom)
{
    // 14 characters in a width of 10: two lines, one of them growth
    const PageModel m = run({{1, 1, "1", QStringLiteral("aaaa bbbb cccc")}});
    const Page& p = m.pages[0];
    // the line band starts after the estimate and section headers at 1000 + 200 + 200
    EXPECT_EQ(find(p, QStringLiteral("1.00"))->rect.y(), 1400);
    EXPECT_EQ(find(p, QStringLiteral("aaaa bbbb"))->rect.y(), 1400);
    EXPECT_EQ(find(p, QStringLiteral("cccc"))->rect.y(), 1400 + 160);
    EXPECT_EQ(find(p, QStringLiteral("below"))->rect.y(), 1400 + 160 + 160);
    // the band grew by 160: the footer follows it
    EXPECT_EQ(find(p, QStringLiteral("F"))->rect.y(), 1400 + 360);
}

TEST_F(ReportEngineTest, ABandThatDoesNotFitGoesToTheNextPageWithItsHeaderAndNumber)
{
    // 1000 high: two headers and three lines (800), the fourth line goes over
    const PageModel m = run({{1, 1, "1"}, {1, 1, "2"}, {1, 1, "3"}, {1, 1, "4"}, {1, 1, "5"}});
    ASSERT_EQ(m.pages.size(), 2u);
    EXPECT_EQ(texts(m.pages[0]), (QStringList{"HDR", "EST", "S", "1", "1.00", "below", "2.00", "below", "3.00", "below",
                                              "Стр    1"}));
    EXPECT_EQ(texts(m.pages[1]), (QStringList{"HDR", "4.00", "below", "5.00", "below", "F", "1", "15.00", "E", "15.00",
                                              "Стр    2"}));
    EXPECT_EQ(find(m.pages[1], QStringLiteral("4.00"))->rect.y(), 1000);
    EXPECT_EQ(find(m.pages[1], QStringLiteral("Стр    2"))->rect.y(), 2100);
}

TEST_F(ReportEngineTest, ABandTallerThanTheAreaStandsAloneAndIsClipped)
{
    QString tall;
    for (int i = 0; i < 12; ++i) tall += QStringLiteral("line%1\r\n").arg(i);
    const PageModel m = run({{1, 1, "1"}, {1, 1, "2", tall}, {1, 1, "3"}});
    ASSERT_EQ(m.pages.size(), 3u);
    const Page& alone = m.pages[1];
    EXPECT_NE(find(alone, QStringLiteral("line6")), nullptr);
    EXPECT_EQ(find(alone, QStringLiteral("line7")), nullptr);  // 1000 + 7 * 160 is beyond the area
    for (const Item& i : alone.items)
        if (i.text.startsWith(QStringLiteral("line"))) {
            EXPECT_LT(i.rect.bottom(), 2000) << i.text.toStdString();
        }
    EXPECT_EQ(find(m.pages[2], QStringLiteral("3.00"))->rect.y(), 1000);
}

TEST_F(ReportEngineTest, AControlWithoutWidthIsAsWideAsItsPictureAndNumbersAlignRight)
{
    const PageModel m = run({{1, 1, "12345678901.5"}});
    const Item* amount = find(m.pages[0], QStringLiteral("12,345,678,901.50"));
    ASSERT_NE(amount, nullptr);  // wider than its picture: every digit shown
    EXPECT_EQ(amount->rect.x(), 1100);
    EXPECT_EQ(amount->rect.width(), 9 * 80);
    EXPECT_EQ(amount->align, Qt::AlignRight);
}

TEST_F(ReportEngineTest, APictureIsPlacedInItsBoxAndAnEmptyOneDrawsNothing)
{
    QImage logo(20, 10, QImage::Format_RGB32);
    for (const bool present : {true, false}) {
        layout.line.controls = {image(50, 0, 500, 300, [&] { return present ? logo : QImage(); })};
        const PageModel m = run({{1, 1, "1"}});
        int pictures = 0;
        for (const Item& i : m.pages[0].items) {
            if (i.kind != Item::Picture) continue;
            ++pictures;
            EXPECT_EQ(i.rect, QRect(150, 1400, 500, 300));
        }
        EXPECT_EQ(pictures, present ? 1 : 0);
    }
}

TEST(TextWrap, BreaksAtBlanksKeepsInnerRunsAndBreaksLongWords)
{
    test::FixedCellMeasurer m;
    const ResolvedFont f{QStringLiteral("Arial Cyr"), 8, false};  // 80 a character
    const struct {
        QString text;
        int chars;
        QStringList lines;
    } cases[] = {
        {QStringLiteral("ИТОГО     12.00   "), 20, {QStringLiteral("ИТОГО     12.00")}},
        {QStringLiteral("one two three"), 7, {QStringLiteral("one two"), QStringLiteral("three")}},
        {QStringLiteral("abcdefghij"), 4, {QStringLiteral("abcd"), QStringLiteral("efgh"), QStringLiteral("ij")}},
        {QStringLiteral("a\r\n\r\n  b  \r\nc"), 10, {QStringLiteral("a"), QString(), QStringLiteral("  b"), QStringLiteral("c")}},
    };
    for (const auto& c : cases) EXPECT_EQ(wrapText(c.text, c.chars * 80, f, m), c.lines) << c.text.toStdString();
}

}  // namespace
