#include "platform/ui/report/page_view.h"
#include "platform/ui/report/report_preview.h"
#include "platform/ui/report/report_process.h"
#include "platform/ui/threads/dialog_script.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/temp_workdir.h"
#include "tests/support/ui_driver.h"

#include <QFile>
#include <QPrinterInfo>

#include <QProgressBar>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>
#include <thread>

namespace {

using namespace ui::report;

PageModel pages(int count)
{
    PageModel m;
    for (int p = 0; p < count; ++p) {
        Page page;
        Item i;
        i.text = QStringLiteral("страница %1").arg(p + 1);
        i.rect = QRect(500, 500, 3000, 200);
        i.font = ResolvedFont{QStringLiteral("Arial Cyr"), 8, false};
        page.items.push_back(i);
        m.pages.push_back(page);
    }
    return m;
}

TEST(ReportProcess, TicksTakeATimeSliceOfRecordsAndCancelIsSeenBetweenThem)
{
    ProcessOptions options;
    options.procedureName = QStringLiteral("TestProcess");
    options.progressText = QStringLiteral("Печатаем");
    options.expectedRecords = 2000;
    options.sliceMs = 5;
    int taken = 0, opened = 0;
    ProcessResult result = ProcessResult::Failed;
    ui::Window* window = nullptr;
    const ui::ThreadId t = test::start([&] {
        result = runProcess(options, [&] { return ++opened == 1; }, [&] {
            // slow enough that a slice holds only some of the records
            std::this_thread::sleep_for(std::chrono::microseconds(300));
            return ++taken < 2000 ? Step::More : Step::Done;
        });
    });
    window = test::waitWindowTitled(t, QStringLiteral("Создаю Отчет..."));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(test::pumpUntil([&] { return taken > 0; }));
    auto* bar = qobject_cast<QProgressBar*>(window->control(QStringLiteral("?PROGRESS:THERMOMETER"))->widget());
    ASSERT_TRUE(test::pumpUntil([&] { return bar->value() > 0; }));
    EXPECT_EQ(window->control(QStringLiteral("?PROGRESS:PCTTEXT"))->text(), QString::number(bar->value()) + QStringLiteral("% Готово"));
    window->post(EVENT::Accepted, window->numberOf(QStringLiteral("?PROGRESS:CANCEL")));
    ASSERT_TRUE(test::waitEnded(t, 20000));
    EXPECT_EQ(result, ProcessResult::Cancelled);
    EXPECT_EQ(opened, 1);
    EXPECT_GT(taken, 0);
    EXPECT_LT(taken, 2000);
}

TEST(ReportProcess, ARunEndsCompletedOrFailedByItsSteps)
{
    for (const Step last : {Step::Done, Step::Failed}) {
        ProcessResult result = ProcessResult::Cancelled;
        int taken = 0;
        const ui::ThreadId t = test::start([&] {
            result = runProcess(ProcessOptions{}, [] { return true; }, [&] { return ++taken < 3 ? Step::More : last; });
        });
        ASSERT_TRUE(test::waitEnded(t, 20000));
        EXPECT_EQ(result, last == Step::Done ? ProcessResult::Completed : ProcessResult::Failed);
        EXPECT_EQ(taken, 3);
    }
}

TEST(ReportProcess, AnInnerProcessHoldsTheOuterOneUntilItEnds)
{
    std::vector<QString> order;
    ProcessResult outer = ProcessResult::Failed, inner = ProcessResult::Failed;
    const ui::ThreadId t = test::start([&] {
        int outerSteps = 0;
        outer = runProcess(ProcessOptions{}, [] { return true; }, [&] {
            order.push_back(QStringLiteral("outer"));
            if (++outerSteps == 1) {
                int innerSteps = 0;
                inner = runProcess(ProcessOptions{}, [] { return true; }, [&] {
                    order.push_back(QStringLiteral("inner"));
                    return ++innerSteps < 3 ? Step::More : Step::Done;
                });
            }
            return outerSteps < 2 ? Step::More : Step::Done;
        });
    });
    ASSERT_TRUE(test::waitEnded(t, 20000));
    EXPECT_EQ(inner, ProcessResult::Completed);
    EXPECT_EQ(outer, ProcessResult::Completed);
    EXPECT_EQ(order, (std::vector<QString>{"outer", "inner", "inner", "inner", "outer"}));
}

TEST(ReportPreview, ShowsWholePagesPaintingOnlyThoseInViewAndClosesOnItsButton)
{
    const PageModel model = pages(300);
    const ui::ThreadId t = test::start([&] { showPreview(model); });
    ui::Window* window = test::waitWindowTitled(t, previewTitle());
    ASSERT_NE(window, nullptr);
    auto* preview = dynamic_cast<PageView*>(window->control(QStringLiteral("?PREVIEW"))->widget());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->pageCount(), 300);
    EXPECT_EQ(preview->zoomMode(), PageView::WholePage);
    // only the page in view is painted, not the 300 of the report
    ASSERT_TRUE(test::pumpUntil([&] { return preview->pagesPainted() > 0; }));
    preview->grab();
    EXPECT_LE(preview->pagesPainted(), 4);
    window->post(EVENT::Accepted, window->numberOf(QStringLiteral("?FITWIDTH")));
    ASSERT_TRUE(test::pumpUntil([&] { return preview->zoomMode() == PageView::FitWidth; }));
    EXPECT_EQ(preview->scale(), (preview->viewport()->width() - 24) / 8268.0);
    window->post(EVENT::Accepted, window->numberOf(QStringLiteral("?CLOSE")));
    EXPECT_TRUE(test::waitEnded(t, 5000));
}

TEST(ReportPreview, SavesThePagesAsPdfAndSaysWhenNoPrinterIsInstalled)
{
    test::TempWorkDir dir;
    test::RecordedMessages messages;
    ui::resetDialogScript();
    const PageModel model = pages(2);
    const ui::ThreadId t = test::start([&] { showPreview(model); });
    ui::Window* window = test::waitWindowTitled(t, previewTitle());
    ASSERT_NE(window, nullptr);
    ui::scriptFileName(dir.file(QStringLiteral("отчет.pdf")));
    window->post(EVENT::Accepted, window->numberOf(QStringLiteral("?SAVEPDF")));
    ASSERT_TRUE(test::pumpUntil([&] { return QFile::exists(dir.file(QStringLiteral("отчет.pdf"))); }));
    QFile pdf(dir.file(QStringLiteral("отчет.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        window->post(EVENT::Accepted, window->numberOf(QStringLiteral("?PRINT")));
        ASSERT_TRUE(test::pumpUntil([&] { return !messages.shown().empty(); }));
        EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Не установлен ни один принтер."));
    }
    window->post(EVENT::Accepted, window->numberOf(QStringLiteral("?CLOSE")));
    EXPECT_TRUE(test::waitEnded(t, 5000));
}

}  // namespace
