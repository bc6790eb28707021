// The totals chain, the printed forms and their preview against their floors, in one run:
//
//   report_bench [folder]
//
// Sizes are the ones named here times TOLVEX_BENCH_SCALE (bench/scale.h); each figure names
// its size.
// - totals chain over an estimate of 10,000 lines read through the record layer, in estimate and
//   in act mode, against the raw SQLite key-order read of the same lines in one statement plus
//   the bare chain in memory;
// - PrintSmeta and PrintAktGraph over 2,000 lines in 40 sections with names of up to 220
//   characters: the lines processed, laid out and written as PDF (no progress window, so none of
//   its timer waits), against the same raw read;
// - the preview of 2,000 and of 20,000 lines, offscreen, from its opening until its page 1 has
//   painted, against painting page 1 into an image of the same size;
// - the peak memory of a process that shows the preview of 20,000 lines (a child run of this
//   program), against its peak before the report runs.

#include "bench/figures.h"
#include "bench/scale.h"
#include "data/error_reporter.h"
#include "data/thread_data.h"
#include "output/reports/print_akt_graph.h"
#include "output/reports/print_smeta.h"
#include "output/totals/calc_smeta_totals.h"
#include "platform/core/collation.h"
#include "platform/records/sql_text.h"
#include "platform/ui/report/page_view.h"
#include "platform/ui/report/report_painter.h"
#include "platform/ui/report/report_preview.h"
#include "platform/ui/threads/scheduler.h"
#include "platform/ui/windows/application_setup.h"
#include "platform/ui/windows/event.h"
#include "tests/support/ui_driver.h"
#include "tests/support/worked_rates.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using bench::figure;
using bench::msOf;

namespace {


Decimal d(const char* s) { return *Decimal::parse(s); }

// Estimate 1 for the totals chain, 2 for the forms, 3 for the long preview.
struct Sizes {
    int chain = 0, form = 0, longPreview = 0;
};

void fill(const Sizes& sizes)
{
    Relate(FileId::WrksInSmt).Open();
    records::RecordFile& headers = Access(FileId::Headers).file();
    headers.write([&] {
        for (int e : {1, 2, 3}) {
            DFL() = HeadersRecord{};
            DFL().NUMBER = std::int16_t(e);
            DFL().NAME = "Капитальный ремонт";
            test::setWorkedRates(DFL());
            if (const int code = headers.add()) return code;
        }
        return 0;
    });
    records::RecordFile& groups = Access(FileId::GroupsWks).file();
    groups.write([&] {
        for (int e : {2, 3})
            for (int s = 1; s <= 40; ++s) {
                GRO() = GroupsWksRecord{};
                GRO().NUMSMET = std::int16_t(e);
                GRO().NUMINSMETA = std::int16_t(s);
                GRO().NAME = QStringLiteral("Раздел работ номер %1").arg(s);
                if (const int code = groups.add()) return code;
            }
        return 0;
    });
    records::RecordFile& lines = Access(FileId::WrksInSmt).file();
    const QString words = QStringLiteral("Устройство кровельного покрытия из рулонных материалов в два слоя ");
    lines.write([&] {
        for (const auto& [estimate, count] :
             {std::pair{1, sizes.chain}, std::pair{2, sizes.form}, std::pair{3, sizes.longPreview}}) {
            for (int i = 0; i < count; ++i) {
                WrksInSmtRecord& l = NSB();
                l = WrksInSmtRecord{};
                l.CODER = std::int16_t(estimate);
                l.GRINSMETA = std::uint8_t(1 + i * 40 / count);
                l.NUMINGROUP = std::int16_t(i + 1);
                l.NRAS = QStringLiteral("Е12-01-%1").arg(i % 97);
                l.NAME = words.repeated(4).left(40 + (i * 37) % 181);
                l.EDIZM = "100 м2";
                l.CHELCH = Decimal(1 + i % 9);
                l.ONAKT = Decimal(1 + i % 4);
                l.CENA_OB = d("1234.56");
                l.CENA_TZ = d("234.5");
                l.EKSPLM = d("123.4");
                l.ZARPLM = d("12.3");
                l.KCHELCHM = Decimal(1 + i % 9) * d("1234.56");
                l.VOZVRAT = Decimal(1 + i % 9) * d("234.5");
                l.ITEXPMASH = Decimal(1 + i % 9) * d("123.4");
                l.ITZARPMASH = Decimal(1 + i % 9) * d("12.3");
                if (const int code = lines.add()) return code;
            }
        }
        return 0;
    });
}

// The raw key-order read of an estimate's lines in one statement on a connection of its own,
// kept open as the layer keeps its own; `take` gets each row.
void rawRead(int estimate, const char* columns, const std::function<void(sqlite3_stmt*)>& take)
{
    static sqlite3* db = [] {
        sqlite3* c = nullptr;
        sqlite3_open_v2("WRKSINSM.TPS", &c, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_create_collation(c, "TLX_NOCASE", SQLITE_UTF8, nullptr, [](void*, int na, const void* a, int nb, const void* b) {
            return collation::compareNoCaseUtf8(std::string_view(static_cast<const char*>(a), std::size_t(na)),
                                                std::string_view(static_cast<const char*>(b), std::size_t(nb)));
        });
        sqlite3_exec(c, "PRAGMA cache_size = -16384", nullptr, nullptr, nullptr);
        return c;
    }();
    // the statement the record layer runs, in one piece
    const records::Layout& layout = WrksInSmtLayout();
    const records::Key& key = layout.keys[std::size_t(layout.keyIndex("NSB:ONSMETNUM"))];
    const std::string sql = std::string("SELECT ") + columns + " FROM records" +
                            records::sql::where({"CODER = ?", records::sql::inKeyTest(layout, key)}) + " ORDER BY " +
                            records::sql::keyOrder(layout, key, false);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
    sqlite3_bind_int(s, 1, estimate);
    while (sqlite3_step(s) == SQLITE_ROW) take(s);
    sqlite3_finalize(s);
}

// Lays the estimate's PrintSmeta out, as the run does before its preview.
ui::report::PageModel layOut(int estimate)
{
    estimate_report::FormRun run(printSmetaForm(), estimate);
    run.open();
    while (run.step() == ui::report::Step::More) {}
    return run.finish();
}

// Opens the preview of the pages on a thread of its own and waits until its page 1 has painted;
// the size of the view.
QSize previewUntilPainted(const ui::report::PageModel& pages)
{
    ui::report::PageView* view = nullptr;
    const ui::ThreadId t = ui::Scheduler::instance().start([&] { ui::report::showPreview(pages); });
    test::pumpUntil(
        [&] {
            if (!view)
                for (QWidget* w : QApplication::allWidgets())
                    if ((view = dynamic_cast<ui::report::PageView*>(w))) break;
            return view && view->pagesPainted() > 0;
        },
        60000);
    const QSize shown = view->viewport()->size();
    ui::post(t, EVENT::CloseWindow);
    test::waitEnded(t, 60000);
    return shown;
}

// The process's peak resident size (VmHWM: unlike getrusage, it starts anew at exec).
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void useThreadsOfTheirOwn()
{
    ui::Scheduler::instance().setStateFactory([](int id) { return std::make_unique<ThreadData>(id); });
}

// The child run of the memory figure, on the files the parent filled: the preview of estimate
// 3; prints its peak before the report and after page 1 has painted.
int memoryRun()
{
    auto thread = std::make_unique<ThreadData>(2);
    ThreadState::setCurrent(thread.get());
    Relate(FileId::WrksInSmt).Open();
    const double before = peakMegabytes();
    // as the form runs: its pages previewed where it laid them out
    estimate_report::FormRun run(printSmetaForm(), 3);
    run.open();
    while (run.step() == ui::report::Step::More) {}
    const ui::report::PageModel& pages = run.finish();
    Relate(FileId::WrksInSmt).Close();
    ThreadState::setCurrent(nullptr);
    useThreadsOfTheirOwn();
    previewUntilPainted(pages);
    std::printf("%.1f %.1f\n", peakMegabytes(), before);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::setUpApplication();
    SetupErrorReporter();
    if (argc > 2 && std::string(argv[1]) == "--memory") {
        QDir::setCurrent(QString::fromLocal8Bit(argv[2]));
        return memoryRun();
    }
    QTemporaryDir base(QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath()).filePath("report_bench-XXXXXX"));
    QDir::setCurrent(base.path());
    const Sizes sizes{bench::scaled(10000), bench::scaled(2000), bench::scaled(20000)};
    const std::string chainSize = bench::grouped(sizes.chain), formSize = bench::grouped(sizes.form),
                      longSize = bench::grouped(sizes.longPreview);
    auto thread = std::make_unique<ThreadData>(2);
    ThreadState::setCurrent(thread.get());
    fill(sizes);

    // --- the totals chain
    struct Chain {
        std::string figure;
        TotalsMode mode;
        const char* columns;
    };
    for (const Chain& c : {Chain{"totals chain on " + chainSize + " lines", TotalsMode::Estimate, "KCHELCHM, VOZVRAT, ITEXPMASH, ITZARPMASH"},
                           Chain{"act totals chain on " + chainSize + " lines", TotalsMode::Act, "ONAKT, CENA_OB, CENA_TZ, EKSPLM, ZARPLM"}}) {        SmetaTotals totals;
        const double chain = msOf([&] { CalcSmetaTotals(c.mode, 1, totals); });
        const double chainFloor = msOf([&] {
            std::vector<std::array<std::int64_t, 5>> values;
            rawRead(1, c.columns, [&](sqlite3_stmt* s) {
                std::array<std::int64_t, 5> row{};
                for (int i = 0; i < sqlite3_column_count(s); ++i) row[std::size_t(i)] = sqlite3_column_int64(s, i);
                values.push_back(row);
            });
            TotalsSums sums;
            WrksInSmtRecord line{};
            for (const auto& v : values) {
                if (c.mode == TotalsMode::Estimate) {
                    line.KCHELCHM.setScaled(v[0]);
                    line.VOZVRAT.setScaled(v[1]);
                    line.ITEXPMASH.setScaled(v[2]);
                    line.ITZARPMASH.setScaled(v[3]);
                } else {
                    line.ONAKT.setScaled(v[0]);
                    line.CENA_OB.setScaled(v[1]);
                    line.CENA_TZ.setScaled(v[2]);
                    line.EKSPLM.setScaled(v[3]);
                    line.ZARPLM.setScaled(v[4]);
                }
                sums.add(c.mode, line);
            }
            chainTotals(sums, DFL());
        });
        figure(c.figure.c_str(), chain, chainFloor, 50);
    }

    // --- PrintSmeta and PrintAktGraph processed, laid out and written as PDF
    const double formFloor = msOf([&] {
        std::size_t bytes = 0;
        rawRead(2, "*", [&](sqlite3_stmt* s) { bytes += std::size_t(sqlite3_column_bytes(s, 4)); });
    });
    ui::report::PageModel pages;
    for (const auto& [name, spec] : {std::pair{"PrintAktGraph", printAktGraphForm()}, std::pair{"PrintSmeta", printSmetaForm()}}) {
        const double form = msOf(
            [&] {
                estimate_report::FormRun run(spec, 2);
                run.open();
                while (run.step() == ui::report::Step::More) {}
                pages = run.finish();
                ui::report::writePdf(pages, QStringLiteral("smeta.pdf"));
            },
            3);
        figure((std::string(name) + " to PDF on " + formSize + " lines").c_str(), form, formFloor, 300);
        const double writing = msOf([&] { ui::report::writePdf(pages, QStringLiteral("smeta.pdf")); }, 3);
        std::printf("  (%zu pages; of it writing the PDF: %.1f ms)\n", pages.pages.size(), writing);
    }
    // the estimate's pages for the previews
    const ui::report::PageModel longPages = layOut(3);
    Relate(FileId::WrksInSmt).Close();
    ThreadState::setCurrent(nullptr);

    // --- the preview until page 1 is painted
    useThreadsOfTheirOwn();
    for (const auto& [size, model] : {std::pair{formSize, static_cast<const ui::report::PageModel*>(&pages)}, std::pair{longSize, &longPages}}) {
        QSize shown;
        const double preview = msOf([&] { shown = previewUntilPainted(*model); }, 3);
        const double previewFloor = msOf([&] {
            QImage image(shown, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter p(&image);
            ui::report::paintPage(p, model->pages[0], 1000.0 * shown.height() / 8268.0);
        });
        figure(("preview until page 1 painted on " + size + " lines").c_str(), preview, previewFloor, 50);
        std::printf("  (%zu pages)\n", model->pages.size());
    }

    // --- the peak memory of the long preview, in a process of its own
    QProcess memory;
    memory.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory"), base.path()});
    memory.waitForFinished(600000);
    double peak = 0, before = 0;
    std::sscanf(memory.readAllStandardOutput().constData(), "%lf %lf", &peak, &before);
    std::printf("preview peak memory on %s lines: %.1f MB (floor %.1f MB, ratio %.2f; goal 100 MB)\n", longSize.c_str(),
                peak, before, peak / before);
    QDir::setCurrent(QDir::rootPath());
    return 0;
}
