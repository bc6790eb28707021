#include "app/frame/procedures.h"
#include "data/globals.h"
#include "output/text/text_viewer.h"
#include "platform/core/codepage.h"
#include "platform/core/dates.h"
#include "platform/core/picture.h"
#include "platform/ui/windows/procedures.h"
#include "platform/ui/windows/window.h"
#include "tests/support/raw_sqlite.h"
#include "tests/support/test_threads.h"
#include "tests/support/text_report_file.h"
#include "tests/support/worked_rates.h"

#include <QDir>
#include <QFontInfo>
#include <QFile>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <cstring>

namespace {

Decimal d(const char* text) { return *Decimal::parse(text); }
QString b(int n) { return QString(n, QLatin1Char(' ')); }
QString pad(const char* utf8, int width) { return QString::fromUtf8(utf8).leftJustified(width, QLatin1Char(' ')); }
QString rj(const char* text, int width) { return QString::fromUtf8(text).rightJustified(width, QLatin1Char(' ')); }
QString u(const char* utf8) { return QString::fromUtf8(utf8); }

class PrintToTextFileTest : public test::ThreadsFixture {
protected:
    PrintToTextFileTest()
    {
        registerProgramProcedures();
        InitProgramGlobals();
        // the viewer is a window of its own; here it only records what it was started on
        ui::registerProcedure(QStringLiteral("ShowTextFile"),
                              [this](const ui::ProcedureArgs& args) { viewed.push_back(args.value(0).toString()); });
    }
    // The stand-ins a report started on threads of their own record into this fixture: none may
    // run after it.
    ~PrintToTextFileTest() override
    {
        EXPECT_TRUE(test::pumpUntil([] { return ui::Scheduler::instance().runningThreads().empty(); }));
    }

    struct Work {
        int section;
        QString name;
        const char *quantity, *price, *wages, *machines, *machinists;
    };
    void addEstimate(const std::function<void()>& header = {}, std::vector<Work> works = {})
    {
        addRecords(FileId::Headers, 1, [&](int) {
            DFL().NUMBER = 5;
            DFL().NAME = "Ремонт кровли";
            DFL().OSNOV = "Дефектная ведомость";
            DFL().DATEACT = dates::fromYmd(2009, 3, 5);
            test::setWorkedRates(DFL());
            if (header) header();
        });
        const char* sections[] = {"Земляные работы", "Пустой раздел"};
        addRecords(FileId::GroupsWks, 2, [&](int i) {
            GRO().NUMSMET = 5;
            GRO().NUMINSMETA = std::int16_t(i + 1);
            GRO().NAME = sections[i];
        });
        if (works.empty())
            works = {{1, u("Разработка грунта"), "10", "100", "30", "20", "5"},
                     {1, u("Засыпка"), "5", "100", "20", "20", "4"},
                     {3, u("Без раздела"), "1", "1", "1", "1", "1"}};
        addRecords(FileId::WrksInSmt, int(works.size()), [&](int i) {
            const Work& w = works[std::size_t(i)];
            NSB().CODER = 5;
            NSB().GRINSMETA = std::uint8_t(w.section);
            NSB().NUMINGROUP = std::int16_t(i + 1);
            NSB().NRAS = QStringLiteral("Е01-01-%1").arg(i + 1);
            NSB().NAME = w.name;
            NSB().EDIZM = "м3";
            NSB().CHELCH = d(w.quantity);
            NSB().CENA_OB = d(w.price);
            NSB().CENA_TZ = d(w.wages);
            NSB().EKSPLM = d(w.machines);
            NSB().ZARPLM = d(w.machinists);
            NSB().KCHELCHM = d(w.quantity) * d(w.price);
            NSB().VOZVRAT = d(w.quantity) * d(w.wages);
            NSB().ITEXPMASH = d(w.quantity) * d(w.machines);
            NSB().ITZARPMASH = d(w.quantity) * d(w.machinists);
        });
    }

    void print(const char* dlm = " ")
    {
        onThread([&] {
            DLM = dlm;
            NumSmeta = 5;
            ui::callProcedure(QStringLiteral("PrintToTextFile"));
        });
    }

    static std::vector<QString> fileLines() { return test::textReportLines(); }
    static std::vector<QString> bodyLines() { return test::textReportBody(); }
    static std::vector<QString> totalsLines() { return test::textReportTotals(); }

    std::vector<QString> viewed;
};

const QString kRule(182, QLatin1Char('-'));

TEST_F(PrintToTextFileTest, TheFixtureGivesEveryLineInColumnsWithTheSeparatorAndStartsTheViewer)
{
    addEstimate();
    {
        QFile old(QStringLiteral("TEXTREP"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100, 'x').append("\r\n").repeated(100));
    }
    print("|");
    const QString dd = QStringLiteral("||");
    const QString amounts1 = QStringLiteral("   10.00|  100.00|   30.00|   20.00|    5.00|  1,000.00|   300.00|   200.00|   50.00|");
    const QString amounts2 = QStringLiteral("    5.00|  100.00|   20.00|   20.00|    4.00|    500.00|   100.00|   100.00|   20.00|");
    const std::vector<QString> expected = {
        QChar(0x0E) + b(14) + u("СМЕТА") + b(30) + u("Утверждаю"),
        b(23) + u("Ремонт кровли") + b(24) + QChar(0x1B) + QChar(0x46),
        QChar(0x0F) + pad("Дефектная ведомость", 100) + b(45) + u(" 5/03/2009"),
        kRule,
        u("N пп| Шифр ед. расц. | Наименование работы                                         | Ед. изм.   |Кол-во   |  Стоимость ед.  | Стоим.Экспл.маш |          Общая стоим.                 |"),
        u("    |                |                                                             |            |         | Прямая | З/пл   | Прямая |  З/пл. | Всего    |З/пл.    |Э/маш    |З/пмаш  |"),
        kRule,
        u("  1 |        2       |                              3                              |      4     |    5    |    6   |    7   |    8   |    9   |   10     |   11    |    12   |   13   |"),
        kRule,
        QString(),
        b(11) + u("Раздел") + b(2) + u("   1") + b(4) + u("Земляные работы"),
        u("  1|") + pad("Е01-01-1", 16) + u("|") + pad("Разработка грунта", 60) + u("|") + pad("м3", 15) + u("|") + amounts1,
        u("  2|") + pad("Е01-01-2", 16) + u("|") + pad("Засыпка", 60) + u("|") + pad("м3", 15) + u("|") + amounts2,
        b(5) + dd + u(" Итого по разделу ") + u("   1") + b(99) + u("|||||||") +
            u("   1,500.00|     400.00|     300.00|      70.00|"),
        QString(),
        b(11) + u("Раздел") + b(2) + u("   2") + b(4) + u("Пустой раздел"),
        b(5) + dd + u(" Итого по разделу ") + u("   2") + b(99) + u("|||||||") +
            u("       0.00|       0.00|       0.00|       0.00|"),
        kRule,
        b(11) + dd + pad("Итого прямые затраты по смете", 114) + u("|||||||") +
            u("   1,500.00|     400.00|     300.00|       70.00|"),
        b(11) + dd + pad("   Стесненность от рабочей силы", 40) + u(" 10%|") + b(81) + u("|") + rj("40.00", 17) + u("|"),
        b(11) + dd + pad("   Стесненность от эксплуатации машин", 40) + u(" 10%|") + b(92) + dd + rj("30.00", 17),
        b(11) + dd + pad("   Стесненность от зарплаты машинистов", 40) + u(" 10%|") + b(104) + u("|||") + rj("7.00", 17),
        b(10) + dd + pad(" ИТОГО", 123) + u("|   1,570.00|     440.00|     330.00|      77.00"),
        b(11) + dd + u("Рыночное удорожание работ"),
        b(12) + dd + u("а) Зарплата           с К= ") + rj("1.20", 12) + b(60) + u("|") + rj("528.00", 17),
        b(12) + dd + u("б) Эксплуатация машин с К= ") + rj("1.10", 12) + b(60) + u("|") + rj("363.00", 17),
        b(12) + dd + u("в) Материалы          с К= ") + rj("1.05", 12) + b(60) + u("|") + rj("840.00", 17),
        b(12) + dd + pad("ИТОГО", 99) + u("|") + rj("1,731.00", 17),
        b(12) + dd + u(" Накладные расходы (") + rj("440.00", 9) + u("+") + rj("77.00", 9) + u("*") + rj("1.20", 9) +
            u("*") + rj("0.95", 12) + b(37) + u("|") + rj("589.38", 17),
        b(12) + dd + pad("ИТОГО", 99) + u("|") + rj("2,320.38", 17),
        b(12) + dd + pad("Зимнее удорожание", 30) + rj("1.0200", 9) + b(60) + u("|") + rj("2,366.79", 17),
        b(12) + dd + u("НДС   18%") + b(90) + u("|") + rj("426.02", 17),
        b(12) + dd + pad("ВСЕГО", 99) + u("|") + rj("2,792.81", 17),
    };
    EXPECT_EQ(fileLines(), expected);
    EXPECT_TRUE(test::pumpUntil([&] { return !viewed.empty(); }));
    EXPECT_EQ(viewed, std::vector<QString>{QStringLiteral("TEXTREP")});
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PrintToTextFileTest, RatesApplyAtTheirStoredPlacesAndShowAsTheyAre)
{
    addEstimate();
    struct Case {
        int kThousandths, vatTenThousandths;
        const char *percent, *wageIncrease, *vatLine, *grandTotal;
    };
    const Case cases[] = {
        // 1500 direct, 400 wages, 300 machines, 70 machinists' wages
        {155, 1750, "15.5%", "62.00", "НДС 17.5%", "2,869.69"},
        {4, 1800, "0.4%", "1.60", "НДС   18%", "2,637.30"},
        {100, 10, nullptr, nullptr, nullptr, "2,366.79"},
    };
    for (const Case& c : cases) {
        const std::string rates = "KSTESN_EM = " + std::to_string(c.kThousandths) + ", KNDS = " + std::to_string(c.vatTenThousandths);
        RawConnection("HEADERS.TPS").exec("UPDATE records SET " + rates);
        print("|");
        const std::vector<QString> t = totalsLines();
        ASSERT_GE(t.size(), 3u);
        if (c.percent) {
            // a longer percentage takes the blanks before it: the separator keeps its column 58
            const QString label = pad("   Стесненность от рабочей силы", 40);
            EXPECT_EQ(t[2], b(11) + u("||") + label.left(43 - int(std::strlen(c.percent)) + 1) +
                                u(c.percent).rightJustified(4) + u("|") + b(81) + u("|") + rj(c.wageIncrease, 17) + u("|"));
            EXPECT_EQ(t[2].indexOf(QLatin1Char('|'), 14), 57);
        }
        const auto vat = std::find_if(t.begin(), t.end(), [](const QString& l) { return l.contains(u("НДС")); });
        if (c.vatLine) {
            ASSERT_NE(vat, t.end());
            EXPECT_EQ(vat->left(23), b(12) + u("||") + u(c.vatLine));
        } else {
            // 0.0010 is not above the threshold
            EXPECT_EQ(vat, t.end());
        }
        EXPECT_EQ(t.back(), b(12) + u("||") + pad("ВСЕГО", 99) + u("|") + rj(c.grandTotal, 17));
    }
}

TEST_F(PrintToTextFileTest, LongNamesContinueUnderThemPieceByPieceAndControlCharactersAreBlanks)
{
    const QString a = QString(60, u'а'), p2 = QString(60, u'б'), p3 = QString(60, u'в');
    // a header name of 120 characters: two lines of 50, centred in 60; the rest is not written
    addEstimate([] { DFL().NAME = QString(50, u'к') + QString(50, u'л') + QString(20, u'м'); }, {{1, a, "1", "1", "0", "0", "0"},
                     {1, a + u("б"), "1", "1", "0", "0", "0"},
                     {1, a + u("бб"), "1", "1", "0", "0", "0"},
                     {1, a + p2 + u("в"), "1", "1", "0", "0", "0"},
                     {1, a + p2 + p3 + u("г"), "1", "1", "0", "0", "0"},
                     {1, a + p2 + p3 + QString(40, u'г'), "1", "1", "0", "0", "0"},
                     {1, a + b(60) + u("ввв"), "1", "1", "0", "0", "0"},
                     {1, u("Раз\tработка\r\nгрунта\x7f"), "1", "1", "0", "0", "0"}});
    print("|");
    auto piece = [](const QString& text) { return b(3) + u("|") + b(16) + u("|") + text.leftJustified(60) + u("|"); };
    std::vector<QString> names;
    for (const QString& line : bodyLines())
        if (line.size() > 81 && line[3] == u'|' && line[20] == u'|') names.push_back(line.mid(0, 3) + line.mid(21, 61));
    const QString w = QStringLiteral("|");
    const std::vector<QString> expected = {
        u("  1") + a + w,
        u("  2") + a + w, piece(u("б")).mid(0, 3) + piece(u("б")).mid(21),
        u("  3") + a + w, piece(u("бб")).mid(0, 3) + piece(u("бб")).mid(21),
        u("  4") + a + w, b(3) + p2 + w, b(3) + pad("в", 60) + w,
        u("  5") + a + w, b(3) + p2 + w, b(3) + p3 + w, b(3) + pad("г", 60) + w,
        u("  6") + a + w, b(3) + p2 + w, b(3) + p3 + w, b(3) + QString(40, u'г').leftJustified(60) + w,
        // a blank piece 2 does not hide the pieces after it
        u("  7") + a + w, b(3) + pad("ввв", 60) + w,
        u("  8") + pad("Раз работка  грунта ", 60) + w,
    };
    EXPECT_EQ(names, expected);
    const std::vector<QString> all = fileLines();
    ASSERT_GE(all.size(), 4u);
    EXPECT_EQ(all[1], b(5) + QString(50, u'к'));
    EXPECT_EQ(all[2], b(5) + QString(50, u'л'));
    EXPECT_TRUE(all[3].startsWith(QChar(0x0F)));
    for (const QString& line : bodyLines())
        if (line.startsWith(b(3) + u("|"))) {
            EXPECT_EQ(line.size(), 82);
        }
}

TEST_F(PrintToTextFileTest, ASecondTextReportIsRefusedAndTheFirstKeepsTheEstimateItStartedOn)
{
    addEstimate();
    const ui::ThreadId first = test::start([] {
        NumSmeta = 5;
        ui::callProcedure(QStringLiteral("PrintToTextFile"));
    });
    ASSERT_NE(test::waitWindowTitled(first, QStringLiteral("Processing Records")), nullptr);
    onThread([] {
        NumSmeta = 0;
        ui::callProcedure(QStringLiteral("PrintToTextFile"));
    });
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Текстовый отчет уже формируется."));
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Отчет"));
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages.shown()[0].buttons, unsigned(BUTTON_OK));
    ASSERT_TRUE(test::waitEnded(first, 20000));
    EXPECT_EQ(totalsLines().back(), b(14) + pad("ВСЕГО", 99) + b(1) + rj("2,792.81", 17));
    EXPECT_EQ(bodyLines().size(), 8u);
    EXPECT_TRUE(test::pumpUntil([&] { return !viewed.empty(); }));
    EXPECT_EQ(viewed.size(), 1u);
    // the run has ended: the next one runs
    messages.clear();
    print();
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PrintToTextFileTest, CancellingTheSectionsStillWritesTheTotalsFromTheProgressWindow)
{
    addEstimate();
    const ui::ThreadId t = test::start([] {
        NumSmeta = 5;
        ui::callProcedure(QStringLiteral("PrintToTextFile"));
    });
    ui::Window* progress = test::waitWindowTitled(t, QStringLiteral("Processing Records"));
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->control(QStringLiteral("?PROGRESS:USERSTRING"))->text(), QStringLiteral("Печатаю..."));
    EXPECT_EQ(progress->control(QStringLiteral("?PROGRESS:PCTTEXT"))->text(), QStringLiteral("0% Completed"));
    progress->post(EVENT::Accepted, progress->numberOf(QStringLiteral("?PROGRESS:CANCEL")));
    ASSERT_TRUE(test::waitEnded(t, 20000));
    EXPECT_TRUE(bodyLines().empty());
    const std::vector<QString> totals = totalsLines();
    ASSERT_FALSE(totals.empty());
    EXPECT_EQ(totals[1], b(13) + pad("Итого прямые затраты по смете", 114) + b(7) + u("       0.00        0.00        0.00         0.00"));
    EXPECT_EQ(totals.back(), b(14) + pad("ВСЕГО", 99) + b(1) + rj("0.00", 17));
    EXPECT_TRUE(test::pumpUntil([&] { return !viewed.empty(); }));
}

TEST_F(PrintToTextFileTest, CancellingASectionEndsOnlyThatSectionWithTheTotalOfItsLinesWritten)
{
    addEstimate({}, std::vector<Work>(400, Work{1, u("Кладка"), "1", "10", "1", "0", "0"}));
    const ui::ThreadId t = test::start([] {
        NumSmeta = 5;
        ui::callProcedure(QStringLiteral("PrintToTextFile"));
    });
    ui::Window* outer = test::waitWindowTitled(t, QStringLiteral("Processing Records"));
    ASSERT_NE(outer, nullptr);
    ui::Window* inner = nullptr;
    ASSERT_TRUE(test::pumpUntil([&] {
        ui::LogicalThread* thread = ui::Scheduler::instance().find(t);
        inner = thread ? thread->topWindow() : nullptr;
        return inner && inner != outer && inner->isOpen();
    }));
    inner->post(EVENT::Accepted, inner->numberOf(QStringLiteral("?PROGRESS:CANCEL")));
    ASSERT_TRUE(test::waitEnded(t, 20000));

    const std::vector<QString> body = bodyLines();
    const auto total = std::find_if(body.begin(), body.end(), [](const QString& l) { return l.contains(u("Итого по разделу")); });
    ASSERT_NE(total, body.end());
    const int written = int(total - body.begin()) - 2;
    EXPECT_LT(written, 400);
    // the section's total covers the lines written; the next section still follows
    const QString sum = Format(Decimal(written * 10), u"N11.2");
    EXPECT_TRUE(total->startsWith(b(7) + u(" Итого по разделу    1") + b(99 + 7) + sum)) << total->toStdString();
    EXPECT_EQ(body.back(), b(7) + u(" Итого по разделу    2") + b(106) + u("       0.00        0.00        0.00        0.00"));
    EXPECT_EQ(totalsLines().at(1).mid(134, 11), sum);
}

TEST_F(PrintToTextFileTest, LargeSumsKeepTheirDigitsAndTooLargeOnesShowNothing)
{
    // two lines of wages each near the line's limit: the overheads base outgrows DECIMAL(11,2)
    addEstimate([] { DFL().CDOPNACH1 = ""; DFL().DOPNACH1 = Decimal(0); DFL().KNDS = Decimal(0); },
                {{1, u("Крупная"), "99999.99", "0", "9999.99", "0", "0"},
                 {1, u("Крупная"), "99999.99", "0", "9999.99", "0", "0"}});
    print();
    const std::vector<QString> totals = totalsLines();
    const auto overheads =
        std::find_if(totals.begin(), totals.end(), [](const QString& l) { return l.contains(u("Накладные")); });
    ASSERT_NE(overheads, totals.end());
    // (1,999,997,800.00 + 10%) * 1.2 * 0.95
    EXPECT_TRUE(overheads->endsWith(rj("2,507,997,241.20", 17))) << overheads->toStdString();
    EXPECT_TRUE(messages.shown().empty());
    ASSERT_TRUE(test::pumpUntil([&] { return !viewed.empty(); }));

    // compounding charges beyond DECIMAL(15,2): the message, and neither file (not the earlier
    // one either) nor viewer
    ASSERT_TRUE(QFile::exists(QStringLiteral("TEXTREP")));
    viewed.clear();
    RawConnection("HEADERS.TPS").exec("UPDATE records SET DOPNACH2 = 99999999999, DOPNACH3 = 99999999999");
    print();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Итоги сметы"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("TEXTREP")));
    test::pump(200);
    EXPECT_TRUE(viewed.empty());
}

TEST_F(PrintToTextFileTest, AFileThatCannotBeWrittenGivesTheMessageAndNoViewer)
{
    addEstimate();
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("TEXTREP")));
    print();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка добавления записи"));
    test::pump(200);
    EXPECT_TRUE(viewed.empty());
}

TEST_F(PrintToTextFileTest, TheViewerShowsWhatIconvReadsWithoutThePrinterBytes)
{
    addEstimate();
    print("|");
    QString expected;
    for (const QString& line : fileLines()) {
        QString shown = line;
        shown.remove(QChar(0x0E)).remove(QChar(0x0F)).remove(QString(QChar(0x1B)) + QChar(0x46));
        expected += shown + QLatin1Char('\n');
    }
    const ui::ThreadId t = test::start([] { ShowTextFile(QStringLiteral("TEXTREP")); });
    ui::Window* window = test::waitWindow(t);
    ASSERT_NE(window, nullptr);
    auto* text = window->content()->findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(), expected);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_TRUE(text->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(QFontInfo(text->font()).fixedPitch());
    window->post(EVENT::CloseWindow);
    ASSERT_TRUE(test::waitEnded(t, 5000));
    EXPECT_TRUE(QFile::exists(QStringLiteral("TEXTREP")));
}

}  // namespace
