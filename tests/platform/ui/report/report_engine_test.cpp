#include "platform/ui/report/report_engine.h"
#include "platform/ui/report/text_wrap.h"
#include "tests/support/fixed_cell_measurer.h"
#include "tests/support/report_pages.h"
#include "tests/support/temp_workdir.h"

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
                           {field(1000, 0, QStringLiteral("n9.2"), amount), text(2000, 0, 800, [this] { return current.name; })},
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
    EXPECT_EQ(texts(m.pages[0]), (QStringList{"HDR", "EST", "S", "1", "10.00", "20.00", "F", "1", "30.00", "S", "3",
                                              "5.00", "F", "3", "5.00", "E", "35.00", "Стр    1"}));
}

TEST_F(ReportEngineTest, NothingPrintedGivesNoPage)
{
    EXPECT_TRUE(run({}).pages.empty());
}

TEST_F(ReportEngineTest, StackedGrowingTextsPushByTheirSummedGrowthSideBySideTextsDoNot)
{
    // 10 characters a line: "a" grows by 2 lines, "b" under it by 1, "s" beside them by 1
    const auto words = [](const char* s) { return [s] { return QString::fromUtf8(s); }; };
    layout.line = Band{480,
                       {text(0, 0, 800, words("a1 a1 a1 a2 a2 a2 a3")), text(0, 160, 800, words("b1 b1 b1 b2")),
                        label(0, 320, QStringLiteral("under both")), text(1000, 0, 800, words("s1 s1 s1 s2")),
                        label(1000, 160, QStringLiteral("under s")), label(2000, 320, QStringLiteral("apart"))},
                       {}};
    layout.lineArea.setHeight(2000);
    const PageModel m = run({{1, 1, "1"}});
    // the line band starts after the estimate and section headers at 1000 + 200 + 200
    EXPECT_EQ(dump(m.pages[0]).split(u'\n').mid(4, 10).join(u'\n').toStdString(),
              std::string("T 100 1400 800 160 |a1 a1 a1|\n"
                          "T 100 1560 800 160 |a2 a2 a2|\n"
                          "T 100 1720 800 160 |a3|\n"
                          "T 100 1880 800 160 |b1 b1 b1|\n"
                          "T 100 2040 800 160 |b2|\n"
                          "T 100 2200 800 160 |under both|\n"
                          "T 1100 1400 800 160 |s1 s1 s1|\n"
                          "T 1100 1560 800 160 |s2|\n"
                          "T 1100 1720 560 160 |under s|\n"
                          "T 2100 1720 400 160 |apart|"));
    // the band ends at its declared 480 moved by the 480 its texts grew: the footer follows
    EXPECT_EQ(find(m.pages[0], QStringLiteral("F"))->rect.y(), 1400 + 960);
}

TEST_F(ReportEngineTest, ABandThatDoesNotFitGoesToTheNextPageWithItsHeaderAndNumber)
{
    // 1000 high: two headers and three lines (1000), the fourth line goes over
    const PageModel m = run({{1, 1, "1"}, {1, 1, "2"}, {1, 1, "3"}, {1, 1, "4"}, {1, 1, "5"}});
    ASSERT_EQ(m.pages.size(), 2u);
    EXPECT_EQ(texts(m.pages[0]), (QStringList{"HDR", "EST", "S", "1", "1.00", "2.00", "3.00", "Стр    1"}));
    EXPECT_EQ(texts(m.pages[1]), (QStringList{"HDR", "4.00", "5.00", "F", "1", "15.00", "E", "15.00", "Стр    2"}));
    EXPECT_EQ(find(m.pages[1], QStringLiteral("4.00"))->rect.y(), 1000);
    EXPECT_EQ(find(m.pages[1], QStringLiteral("Стр    2"))->rect.y(), 2100);
}

// The texts of the pages that start with `prefix`, page by page.
static std::vector<QStringList> linesOf(const PageModel& m, const QString& prefix)
{
    std::vector<QStringList> out;
    for (const Page& p : m.pages) {
        out.emplace_back();
        for (const Item& i : p.items)
            if (i.kind == Item::Text && i.text.startsWith(prefix)) out.back() << i.text;
    }
    return out;
}

TEST_F(ReportEngineTest, ABandTallerThanTheAreaGoesOnOverThePagesCutBetweenLines)
{
    QStringList lines;
    for (int i = 0; i < 12; ++i) lines << QStringLiteral("line%1").arg(i);
    const QString tall = lines.join(QStringLiteral("\r\n"));
    const PageModel m = run({{1, 1, "1"}, {1, 1, "2", tall}, {1, 1, "3"}});
    ASSERT_EQ(m.pages.size(), 4u);
    // page 1 has no room left for it; on page 2 it is cut below the last whole line
    EXPECT_EQ(linesOf(m, QStringLiteral("line")),
              (std::vector<QStringList>{{}, {"line0", "line1", "line2", "line3", "line4", "line5"},
                                        {"line6", "line7", "line8", "line9", "line10", "line11"}, {}}));
    for (const Page& p : m.pages)
        for (const Item& i : p.items)
            if (i.rect.y() >= 1000 && i.rect.y() < 2100) {
                EXPECT_LE(i.rect.y() + i.rect.height(), 2000) << i.text.toStdString();
            }
    EXPECT_EQ(find(m.pages[1], QStringLiteral("2.00"))->rect.y(), 1000);
    EXPECT_EQ(find(m.pages[2], QStringLiteral("line6"))->rect.y(), 1000);
    EXPECT_EQ(find(m.pages[2], QStringLiteral("HDR"))->rect.y(), 500);
    EXPECT_EQ(find(m.pages[2], QStringLiteral("Стр    3"))->rect.y(), 2100);
    EXPECT_EQ(find(m.pages[3], QStringLiteral("3.00"))->rect.y(), 1000);
}

TEST_F(ReportEngineTest, AFooterMemoNearThePageBottomGoesOnOnTheNextPageWithEveryLineOnce)
{
    QStringList expected;
    for (int i = 1; i <= 12; ++i) expected << QStringLiteral("memo%1").arg(i);
    const QString memo = expected.join(QStringLiteral("\r\n"));
    layout.lineArea.setHeight(1500);
    layout.pageFooter->y = 2600;
    layout.groups[0].footers[0].controls.push_back(text(0, 160, 3000, [memo] { return memo; }));
    layout.groups[0].footers[0].controls.push_back(label(0, 360, QStringLiteral("SIGN")));
    const PageModel m = run({{1, 1, "1"}, {1, 1, "2"}, {1, 1, "3"}, {1, 1, "4"}});
    ASSERT_EQ(m.pages.size(), 3u);
    QStringList all;
    for (const QStringList& page : linesOf(m, QStringLiteral("memo"))) all += page;
    EXPECT_EQ(all, expected);
    // the footer did not fit under the lines: it starts the next page, and its signature
    // follows the memo's last line
    EXPECT_EQ(find(m.pages[1], QStringLiteral("E"))->rect.y(), 1000);
    const Item* sign = find(m.pages[2], QStringLiteral("SIGN"));
    ASSERT_NE(sign, nullptr);
    EXPECT_EQ(sign->rect.y(), find(m.pages[2], QStringLiteral("memo12"))->rect.y() + 160 + 40);
    EXPECT_NE(find(m.pages[2], QStringLiteral("Стр    3")), nullptr);
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

TEST(ReportEngineFonts, GrownTextsReadBackFromThePdfEachOnItsOwnLineInOrderAndOnce)
{
    // the fonts' own metrics: stacked texts, and a footer memo cut over two pages
    test::TempWorkDir dir;
    FontMeasurer measurer;
    const auto lines = [](const QString& prefix, int n) {
        QStringList out;
        for (int i = 1; i <= n; ++i) out << QStringLiteral("%1 %2").arg(prefix).arg(i);
        return out;
    };
    int record = 0;
    ReportLayout layout;
    layout.lineArea = QRect(500, 500, 7000, 1500);
    layout.pageFooter = FixedBand{500, 2100, 7000, Band{200, {pageNumber(0, 0, QStringLiteral("pСтр <<<#p"))}, {}}};
    const auto joined = [&](const char* what, int n) {
        return [&, what, n] { return lines(QStringLiteral("%1 %2").arg(QString::fromUtf8(what)).arg(record), n).join(QStringLiteral("\r\n")); };
    };
    layout.line = Band{500,
                       {text(0, 0, 3000, joined("Наименование", 3)), text(0, 150, 3000, joined("Объект", 2)),
                        label(0, 300, QStringLiteral("Основание"))},
                       {}};
    const QStringList memo = lines(QStringLiteral("Примечание"), 12);
    layout.groups = {Group{[] { return std::int64_t(1); },
                           {},
                           {Band{300,
                                 {text(0, 0, 3000, [&] { return memo.join(QStringLiteral("\r\n")); }),
                                  label(0, 200, QStringLiteral("Подпись"))},
                                 {}}}}};
    ReportEngine engine(layout, measurer);
    for (record = 1; record <= 2; ++record) engine.printLine();
    engine.finish();
    const PageModel& m = engine.pages();
    ASSERT_EQ(m.pages.size(), 4u);
    QStringList expected;
    for (int r = 1; r <= 2; ++r)
        expected << lines(QStringLiteral("Наименование %1").arg(r), 3) << lines(QStringLiteral("Объект %1").arg(r), 2)
                 << QStringLiteral("Основание");
    expected << memo << QStringLiteral("Подпись");
    QStringList read;
    for (const QString& l : test::pdfText(m, dir.file(QStringLiteral("grown.pdf"))).split(u'\n'))
        if (!l.trimmed().isEmpty() && !l.trimmed().startsWith(QStringLiteral("Стр"))) read << l.simplified();
    EXPECT_EQ(read, expected);
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
    for (const auto& c : cases) {
        QStringList lines;
        for (const WrappedLine& l : wrapText(c.text, c.chars * 80, f, m)) {
            lines << l.text;
            EXPECT_EQ(l.width, l.text.size() * 80) << l.text.toStdString();  // measured once, with the line
        }
        EXPECT_EQ(lines, c.lines) << c.text.toStdString();
    }
}

}  // namespace
