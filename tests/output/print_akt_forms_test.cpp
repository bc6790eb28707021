#include "app/frame/procedures.h"
#include "data/globals.h"
#include "platform/ui/report/page_view.h"
#include "platform/ui/report/report_preview.h"
#include "platform/ui/windows/procedures.h"
#include "tests/support/act_estimate.h"
#include "tests/support/program_settings.h"
#include "tests/support/raw_sqlite.h"
#include "tests/support/report_pages.h"


#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace {

using namespace ui::report;

class PrintAktFormsTest : public test::ActEstimateFixture {
protected:
    PrintAktFormsTest()
    {
        registerProgramProcedures();
        InitProgramGlobals();
        setPreviewInterceptor([this](const PageModel& m) { preview = m; });
    }
    ~PrintAktFormsTest() override { setPreviewInterceptor(nullptr); }

    // Starts the form on a new thread by name, as the act window does, and waits for it.
    void print(const char* procedure)
    {
        preview.reset();
        NumSmeta = 5;
        const ui::ThreadId t = ui::startProcedure(QString::fromLatin1(procedure));
        ASSERT_NE(t, 0);
        ASSERT_TRUE(test::waitEnded(t, 30000));
    }
    std::string storedTotal()
    {
        auto v = RawConnection("HEADERS.TPS").column("SELECT TOTALSUM FROM records WHERE NUMBER = 5");
        return v.empty() ? std::string() : v[0];
    }
    QStringList column(int x) const { return test::column(preview->pages[0], x); }
    QString allText() const { return test::allText(*preview); }

    std::optional<PageModel> preview;
};

TEST_F(PrintAktFormsTest, PrintAktGraphPrintsTheLinesWithActAndStoresTheActTotal)
{
    addActEstimate();
    print("PrintAktGraph");
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->orientation, QPageLayout::Landscape);
    // line 2 has no act: neither printed nor summed
    EXPECT_EQ(column(198 + 83), QStringList{"1"});
    EXPECT_EQ(column(198 + 5385), QStringList{"2.50"});
    const QString text = allText();
    EXPECT_FALSE(text.contains(QStringLiteral("Засыпка")));
    EXPECT_EQ(text.count(QStringLiteral("250.00")), 3);  // the line, its section and the act
    EXPECT_TRUE(text.contains(QStringLiteral("109.73")));  // overheads 109.725
    EXPECT_TRUE(text.contains(QStringLiteral("482.02")));
    EXPECT_TRUE(text.contains(QStringLiteral("А К Т   к смете №")));
    EXPECT_FALSE(text.contains(QStringLiteral("В сумме")));
    EXPECT_EQ(storedTotal(), "48202");
    EXPECT_EQ(messages.shown().size(), 0u);

    const QString pdf = test::pdfText(*preview, dir.file(QStringLiteral("akt11.pdf")));
    for (const char* s : {"ИТОГО ПО РАЗДЕЛАМ:", "ПРЕДСТАВИТЕЛЬ ЗАКАЗЧИКА:",
                          "ПРЕДСТАВИТЕЛЬ ПОДРЯДЧИКА:", "Вторая строка", "Разработка грунта", "482.02"})
        EXPECT_TRUE(pdf.contains(QString::fromUtf8(s))) << s << "\n" << pdf.toStdString();
}

TEST_F(PrintAktFormsTest, PrintAkt7graphHasTheActTitleAndNoNotes)
{
    addActEstimate();
    print("PrintAkt7graph");
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->orientation, QPageLayout::Portrait);
    EXPECT_EQ(column(188 + 83), QStringList{"1"});
    EXPECT_EQ(column(188 + 6927), QStringList{"250.00"});
    const QString text = allText();
    for (const char* s : {"Акт приемки работ по смете №", "С О Г Л А С О В А Н О", "482.02"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
    for (const char* s : {"Вторая строка", "ПРЕДСТАВИТЕЛЬ", "Засыпка"}) EXPECT_FALSE(text.contains(QString::fromUtf8(s))) << s;
    EXPECT_EQ(storedTotal(), "48202");
}

TEST_F(PrintAktFormsTest, LinesWithoutActKeepTheirNumbersAndNegativeActsPrint)
{
    addActEstimate({{1, "2.5", "3", "10.01", "0", "0", "0"},
                    {1, "0", "3", "10", "0", "0", "0"},
                    {1, "-1", "3", "10", "0", "0", "0"},
                    {2, "0", "3", "10", "0", "0", "0"}});
    for (const char* form : {"PrintAktGraph", "PrintAkt7graph"}) {
        print(form);
        ASSERT_TRUE(preview) << form;
        const int x = preview->orientation == QPageLayout::Landscape ? 198 : 188;
        EXPECT_EQ(column(x + 83), (QStringList{"1", "3"})) << form;
        const QString text = allText();
        EXPECT_TRUE(text.contains(QStringLiteral("25.03"))) << form;   // 25.025 half away from zero
        EXPECT_TRUE(text.contains(QStringLiteral("-10.00"))) << form;
        EXPECT_TRUE(text.contains(QStringLiteral("15.03"))) << form;   // the section's sum of both
        EXPECT_FALSE(text.contains(QStringLiteral("Кровля"))) << form;  // no line of it printed
    }
}

TEST_F(PrintAktFormsTest, AnActAmountTooWideForALineFieldIsPrintedWhole)
{
    addActEstimate({{1, "99999.99", "1", "99999.99", "0", "0", "0"}}, [](HeadersRecord& h) {
        for (DecimalField<11, 4>* rate : {&h.DOPNACH9_1, &h.DOPNACH1}) *rate = 0;
        h.KNDS = 0;
    });
    print("PrintAktGraph");
    ASSERT_TRUE(preview);
    // 9,999,998,000.0001 would keep 999,998,000.00 in a DECIMAL(11,2)
    EXPECT_EQ(allText().count(QStringLiteral("9,999,998,000.00")), 3);
    EXPECT_EQ(messages.shown().size(), 0u);
}

TEST_F(PrintAktFormsTest, TheHeaderHoldsTheTotalOfTheFormPrintedLast)
{
    addActEstimate();
    print("PrintAktGraph");
    EXPECT_EQ(storedTotal(), "48202");
    print("PrintSmeta");
    EXPECT_EQ(storedTotal(), "279281");
    print("PrintAkt7graph");
    EXPECT_EQ(storedTotal(), "48202");
}

TEST_F(PrintAktFormsTest, CancellingPrintsNothingButKeepsTheActTotal)
{
    addActEstimate();
    NumSmeta = 5;
    const ui::ThreadId t = ui::startProcedure(QStringLiteral("PrintAkt7graph"));
    ui::Window* progress = test::waitWindowTitled(t, QStringLiteral("Создаю Отчет..."));
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->control(QStringLiteral("?PROGRESS:USERSTRING"))->text(), QStringLiteral("Печатаем акт 7-ми графки"));
    progress->post(EVENT::Accepted, progress->numberOf(QStringLiteral("?PROGRESS:CANCEL")));
    ASSERT_TRUE(test::waitEnded(t, 20000));
    EXPECT_FALSE(preview);
    EXPECT_EQ(storedTotal(), "48202");
}

TEST_F(PrintAktFormsTest, PrintAktGraphsPreviewOpensMaximisedAtPageWidthTheOthersAtWholePagesWhereTheyWere)
{
    addActEstimate();
    setPreviewInterceptor(nullptr);
    test::ProgramSettings settings;
    const WindowPlacement stored{40, 50, 520, 410, false, false};
    for (const auto& [form, zoom, maximised] : {std::tuple{"PrintAktGraph", PageView::FitWidth, true},
                                                std::tuple{"PrintAkt7graph", PageView::WholePage, false},
                                                std::tuple{"PrintSmeta", PageView::WholePage, false},
                                                std::tuple{"Print7graph", PageView::WholePage, false}}) {
        // every close stores the place the preview had
        settings.file.SaveWindow(QStringLiteral("_PreviewWindow_"), stored);
        NumSmeta = 5;
        const ui::ThreadId t = ui::startProcedure(QString::fromLatin1(form));
        ui::Window* window = test::waitWindowTitled(t, previewTitle(), 30000);
        ASSERT_NE(window, nullptr) << form;
        auto* view = dynamic_cast<PageView*>(window->control(QStringLiteral("?PREVIEW"))->widget());
        ASSERT_NE(view, nullptr);
        test::pump();
        EXPECT_EQ(view->zoomMode(), zoom) << form;
        EXPECT_EQ(window->topWidget()->isMaximized(), maximised) << form;
        const WindowPlacement opened = window->placement();
        EXPECT_EQ(QRect(opened.x, opened.y, opened.width, opened.height), QRect(40, 50, 520, 410)) << form;
        window->post(EVENT::Accepted, window->numberOf(QStringLiteral("?CLOSE")));
        ASSERT_TRUE(test::waitEnded(t, 10000));
    }
}

}  // namespace
