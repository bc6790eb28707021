// The four printed forms with long texts: a name, object and basis of several lines each, a
// memo of 12 lines and 70 work lines. No text of any page stands over another, and nothing is
// lost at the page breaks.

#include "app/frame/procedures.h"
#include "data/globals.h"
#include "platform/ui/report/measurer.h"
#include "platform/ui/report/report_preview.h"
#include "platform/ui/windows/procedures.h"
#include "tests/support/act_estimate.h"
#include "tests/support/report_pages.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace ui::report;

class PrintFormsLayoutTest : public test::ActEstimateFixture {
protected:
    PrintFormsLayoutTest()
    {
        registerProgramProcedures();
        InitProgramGlobals();
        FirmName = "ООО Строительная компания";
        FirmAddress = "г. Город, ул. Длинная улица, дом 1, корпус 2, офис 3";
        FirmPhone = "123-45-67, 765-43-21, 111-22-33";
        setPreviewInterceptor([this](const PageModel& m) { preview = m; });
        std::vector<Work> works;
        for (int i = 0; i < 70; ++i)
            works.push_back({1 + i / 35, i % 5 == 4 ? "0" : "1.5", "3", "1234.56", "234.5", "123.4", "12.3",
                             QStringLiteral("Устройство покрытия %1 ").arg(i + 1).repeated(1 + i % 4)});
        addActEstimate(works, [](HeadersRecord& h) {
            h.NAME = QStringLiteral("Капитальный ремонт кровли здания школы ").repeated(5);
            h.NAMEOBJECT = QStringLiteral("Здание общеобразовательной школы №3 ").repeated(5);
            h.OSNOV = QStringLiteral("Дефектная ведомость и техническое задание ").repeated(2);
            QStringList memo;
            for (int i = 1; i <= 12; ++i) memo << QStringLiteral("Примечание, строка %1").arg(i);
            h.Primechanie = memo.join(QStringLiteral("\r\n"));
        });
    }
    ~PrintFormsLayoutTest() override { setPreviewInterceptor(nullptr); }

    void print(const char* procedure)
    {
        preview.reset();
        NumSmeta = 5;
        const ui::ThreadId t = ui::startProcedure(QString::fromLatin1(procedure));
        ASSERT_NE(t, 0);
        ASSERT_TRUE(test::waitEnded(t, 30000));
    }

    // Where a text's ink can reach: its measured run without the blanks at its ends, placed as
    // it is aligned in its box.
    QRectF inked(const Item& i)
    {
        const double advance = measurer.textWidth(i.font, i.text);
        const QString trimmed = i.text.trimmed();
        const double leading = measurer.textWidth(i.font, i.text.left(i.text.indexOf(trimmed)));
        double left = i.rect.x();
        if (i.align == Qt::AlignRight) left += i.rect.width() - advance;
        if (i.align == Qt::AlignHCenter) left += (i.rect.width() - advance) / 2;
        return QRectF(left + leading, i.rect.y(), measurer.textWidth(i.font, trimmed), i.rect.height());
    }

    std::optional<PageModel> preview;
    FontMeasurer measurer;
};

TEST_F(PrintFormsLayoutTest, NoTextStandsOverAnotherAndEveryLineAndMemoLinePrintsOnce)
{
    for (const char* form : {"PrintSmeta", "Print7graph", "PrintAktGraph", "PrintAkt7graph"}) {
        print(form);
        ASSERT_TRUE(preview) << form << (messages.shown().empty() ? std::string() : messages.shown()[0].text.toStdString());
        const bool act = QByteArray(form).contains("Akt");
        const int left = preview->orientation == QPageLayout::Landscape ? 198 : 188;
        QStringList numbers;
        for (std::size_t p = 0; p < preview->pages.size(); ++p) {
            const Page& page = preview->pages[p];
            numbers += test::column(page, left + 83);
            std::vector<std::pair<QRectF, const Item*>> texts;
            for (const Item& i : page.items)
                if (i.kind == Item::Text && !i.text.trimmed().isEmpty()) texts.emplace_back(inked(i), &i);
            for (std::size_t a = 0; a < texts.size(); ++a)
                for (std::size_t b = a + 1; b < texts.size(); ++b)
                    EXPECT_FALSE(texts[a].first.intersects(texts[b].first))
                        << form << " page " << p + 1 << ": |" << texts[a].second->text.toStdString() << "| over |"
                        << texts[b].second->text.toStdString() << "|";
        }
        // lines without act quantity (every fifth) are not printed by the acts
        QStringList expected;
        for (int n = 1; n <= 70; ++n)
            if (!act || n % 5 != 0) expected << QString::number(n);
        EXPECT_EQ(numbers, expected) << form;

        const QString pdf = test::pdfText(*preview, dir.file(QStringLiteral("%1.pdf").arg(QString::fromLatin1(form))));
        const bool hasMemo = QByteArray(form) != "PrintAkt7graph";
        for (int i = 1; i <= 12; ++i)
            EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("Примечание, строка %1(?!\\d)").arg(i))), hasMemo ? 1 : 0)
                << form << " " << i;
        EXPECT_EQ(pdf.count(QStringLiteral("ИТОГО ПО РАЗДЕЛАМ:")), 1) << form;
    }
}

}  // namespace
