#include "app/frame/procedures.h"
#include "data/globals.h"
#include "platform/ui/report/report_painter.h"
#include "platform/ui/report/report_preview.h"
#include "platform/ui/windows/procedures.h"
#include "tests/support/raw_sqlite.h"
#include "tests/support/report_pages.h"
#include "tests/support/test_threads.h"
#include "tests/support/worked_rates.h"

#include <QImage>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace ui::report;

Decimal d(const char* text) { return *Decimal::parse(text); }

class PrintFormsTest : public test::ThreadsFixture {
protected:
    PrintFormsTest()
    {
        registerProgramProcedures();
        InitProgramGlobals();
        setPreviewInterceptor([this](const PageModel& m) { preview = m; });
    }
    ~PrintFormsTest() override { setPreviewInterceptor(nullptr); }

    void addEstimate()
    {
        addRecords(FileId::Headers, 1, [](int) {
            DFL().NUMBER = 5;
            DFL().NAME = "Ремонт кровли";
            DFL().NAMEOBJECT = "Школа №3";
            DFL().OSNOV = "Дефектная ведомость";
            DFL().Primechanie = QStringLiteral("Первая строка\r\nВторая строка");
            test::setWorkedRates(DFL());
        });
        const char* sections[] = {"Земляные работы", "Пустой раздел", "Кровля"};
        addRecords(FileId::GroupsWks, 3, [&](int i) {
            GRO().NUMSMET = 5;
            GRO().NUMINSMETA = std::int16_t(i + 1);
            GRO().NAME = sections[i];
        });
        struct Line {
            int section;
            QString name;
            const char *quantity, *price, *wages, *machines, *machinists;
        };
        const std::vector<Line> lines = {
            {1, QStringLiteral("Разработка грунта"), "10", "100", "30", "20", "5"},
            {1, QStringLiteral("Засыпка"), "5", "100", "20", "20", "4"},
            {3, QStringLiteral("Устройство кровли ") + QString(200, u'ж'), "0", "0", "0", "0", "0"},
            {3, QStringLiteral("Водостоки"), "0", "0", "0", "0", "0"},
            {4, QStringLiteral("Без раздела"), "0", "0", "0", "0", "0"},
        };
        addRecords(FileId::WrksInSmt, int(lines.size()), [&](int i) {
            const Line& l = lines[std::size_t(i)];
            NSB().CODER = 5;
            NSB().GRINSMETA = std::uint8_t(l.section);
            NSB().NUMINGROUP = std::int16_t(i + 1);
            NSB().NRAS = QStringLiteral("Е01-01-%1").arg(i + 1);
            NSB().NAME = l.name;
            NSB().EDIZM = "м3";
            NSB().CHELCH = d(l.quantity);
            NSB().CENA_OB = d(l.price);
            NSB().CENA_TZ = d(l.wages);
            NSB().EKSPLM = d(l.machines);
            NSB().ZARPLM = d(l.machinists);
            NSB().KCHELCHM = d(l.quantity) * d(l.price);
            NSB().VOZVRAT = d(l.quantity) * d(l.wages);
            NSB().ITEXPMASH = d(l.quantity) * d(l.machines);
            NSB().ITZARPMASH = d(l.quantity) * d(l.machinists);
        });
    }

    // Starts the form as the editor does and waits for it; its ProcResponse.
    int print(const char* procedure, int estimate = 5)
    {
        int response = -1;
        onThread([&] {
            NumSmeta = estimate;
            ui::callProcedure(QString::fromLatin1(procedure));
            response = ProcResponse();
        });
        return response;
    }

    std::string storedTotal()
    {
        auto v = RawConnection("HEADERS.TPS").column("SELECT TOTALSUM FROM records WHERE NUMBER = 5");
        return v.empty() ? std::string() : v[0];
    }

    std::optional<PageModel> preview;
};

TEST_F(PrintFormsTest, PrintSmetaNumbersLinesAcrossSectionsAndShowsTheGrandTotal)
{
    addEstimate();
    EXPECT_EQ(print("PrintSmeta"), 1);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->orientation, QPageLayout::Landscape);
    const Page& page = preview->pages[0];
    // the counter runs across sections; the line without a section record prints too
    EXPECT_EQ(test::column(page, 198 + 83), (QStringList{"1", "2", "3", "4", "5"}));
    const QString text = test::allText(*preview);
    EXPECT_FALSE(text.contains(QStringLiteral("Пустой раздел")));
    EXPECT_TRUE(text.contains(QStringLiteral("Без раздела")));
    // "В сумме" is the grand total with VAT, also stored
    EXPECT_TRUE(text.contains(QStringLiteral("2,792.81")));
    EXPECT_EQ(storedTotal(), "279281");
    // the long name wraps and its line grows
    QStringList names = test::column(page, 198 + 1271);
    EXPECT_GT(names.size(), 5 + 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Вторая строка")));  // the notes keep their line breaks
    EXPECT_EQ(messages.shown().size(), 0u);

    const QString pdf = test::pdfText(*preview, dir.file(QStringLiteral("smeta11.pdf")));
    for (const char* s : {"В сумме", "2,792.81", "Итого по разделу №", "ИТОГО ПО РАЗДЕЛАМ:", "Стр",
                          "Зимнее удорожание", "Разработка грунта", "1,000.00"})
        EXPECT_TRUE(pdf.contains(QString::fromUtf8(s))) << s << "\n" << pdf.toStdString();
}

TEST_F(PrintFormsTest, Print7graphShowsTheFirmAndItsLogo)
{
    addEstimate();
    FirmName = "ООО Стройка";
    FirmAddress = "г. Город, ул. Улица, 1";
    FirmPhone = "123-45-67";
    QImage logo(40, 40, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    ASSERT_TRUE(logo.save(dir.file(QStringLiteral("logo.bmp")), "BMP"));
    EXPECT_EQ(print("Print7graph"), 1);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->orientation, QPageLayout::Portrait);
    const Page& first = preview->pages[0];
    EXPECT_TRUE(std::any_of(first.items.begin(), first.items.end(), [](const Item& i) { return i.kind == Item::Picture; }));
    EXPECT_EQ(test::column(first, 188 + 83).mid(0, 5), (QStringList{"1", "2", "3", "4", "5"}));
    const QString pdf = test::pdfText(*preview, dir.file(QStringLiteral("smeta7.pdf")));
    EXPECT_TRUE(test::allText(*preview).contains(QStringLiteral("С О Г Л А С О В А Н О")));
    for (const char* s : {"ООО Стройка", "Смета №", "Общая стоим.", "ВСЕГО", "2,792.81"})
        EXPECT_TRUE(pdf.contains(QString::fromUtf8(s))) << s << "\n" << pdf.toStdString();
}

TEST_F(PrintFormsTest, CancellingPrintsNothingButKeepsTheStoredTotal)
{
    addEstimate();
    int response = -1;
    const ui::ThreadId t = test::start([&] {
        NumSmeta = 5;
        ui::callProcedure(QStringLiteral("PrintSmeta"));
        response = ProcResponse();
    });
    ui::Window* progress = test::waitWindowTitled(t, QStringLiteral("Создаю Отчет..."));
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->control(QStringLiteral("?PROGRESS:USERSTRING"))->text(), QStringLiteral("Печатаем Акт"));
    progress->post(EVENT::Accepted, progress->numberOf(QStringLiteral("?PROGRESS:CANCEL")));
    ASSERT_TRUE(test::waitEnded(t, 20000));
    EXPECT_EQ(response, 2);
    EXPECT_FALSE(preview);
    EXPECT_EQ(storedTotal(), "279281");
}

TEST_F(PrintFormsTest, AnEstimateWithoutLinesPrintsNoPageButStoresZero)
{
    addEstimate();
    RawConnection("WRKSINSM.TPS").exec("DELETE FROM records");
    EXPECT_EQ(print("Print7graph"), 1);
    EXPECT_FALSE(preview);
    EXPECT_EQ(storedTotal(), "0");
}

TEST_F(PrintFormsTest, AnOverflowingTotalPrintsNothingAndStoresNothing)
{
    addEstimate();
    RawConnection("HEADERS.TPS").exec("UPDATE records SET DOPNACH2 = 99999999999, DOPNACH3 = 99999999999, TOTALSUM = 7");
    EXPECT_EQ(print("PrintSmeta"), 2);
    EXPECT_FALSE(preview);
    EXPECT_EQ(storedTotal(), "7");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Итоги сметы"));
}

TEST_F(PrintFormsTest, AFailedReadPrintsNothingAndStoresNothing)
{
    addEstimate();
    RawConnection("HEADERS.TPS").exec("UPDATE records SET TOTALSUM = 7");
    RawConnection("WRKSINSM.TPS").exec("ALTER TABLE records RENAME COLUMN VOZVRAT TO GONE");
    EXPECT_EQ(print("PrintSmeta"), 2);
    EXPECT_FALSE(preview);
    EXPECT_EQ(storedTotal(), "7");
    EXPECT_TRUE(messages.anyCaption(QStringLiteral("Ошибка доступа к записи")));
    EXPECT_EQ(fatalErrors, 0);
}

TEST_F(PrintFormsTest, TheProceduresStartOnANewThreadByName)
{
    addEstimate();
    NumSmeta = 5;
    const ui::ThreadId t = ui::startProcedure(QStringLiteral("Print7graph"));
    ASSERT_NE(t, 0);
    ASSERT_TRUE(test::waitEnded(t, 20000));
    EXPECT_TRUE(preview);
}

}  // namespace
