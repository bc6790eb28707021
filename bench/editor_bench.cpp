// The estimate editor against raw SQLite, side by side in one run: opening on a large estimate
// (from the estimate list's return to the window shown with its tree), expanding every row, and
// rebuilding the tree with every row expanded, as each regain of the focus does.
//
//   editor_bench [folder]
//
// 1,000 headers; estimate 500 has 200 sections of 25 lines each times TOLVEX_BENCH_SCALE (a
// line holds its section in one byte, so the sections stay 200). Each operation also gives the
// longest stall of the event loop while it ran, and the run ends with the program's peak
// memory. The files go to a new temporary folder inside `folder` (by default the system's
// temporary folder). The window runs offscreen.

#include "bench/figures.h"
#include "bench/scale.h"
#include "bench/stall_meter.h"
#include "bench/window_threads.h"
#include "data/globals.h"
#include "data/thread_data.h"
#include "estimate/editor/current_smeta.h"
#include "platform/ui/controls/tree_list.h"
#include "platform/ui/threads/scheduler.h"
#include "platform/ui/windows/procedures.h"
#include "tests/support/raw_sqlite.h"
#include "tests/support/ui_driver.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr int kHeaders = 1000;
constexpr int kEstimate = 500;
constexpr int kSections = 200;
const int kLinesEach = bench::scaled(25);
const int kAllRows = 2 + kSections * (1 + kLinesEach);
constexpr int kExpandControl = 21;
constexpr int kTreeControl = 15;
// every operation and stall, at every size up to 50,000 lines
constexpr double kGoal = 50;
constexpr double kStallGoal = 50;
constexpr double kMemoryGoalMb = 55;

using Clock = std::chrono::steady_clock;

template <class Fill>
void addAll(FileId file, int count, Fill fill)
{
    Relate(file).Open();
    records::RecordFile& f = Access(file).file();
    f.write([&] {
        for (int i = 0; i < count; ++i) {
            Access(file).layout().clear(Access(file).buffer());
            fill(i);
            if (const int code = f.add()) return code;
        }
        return 0;
    });
    Relate(file).Close();
}

void fill()
{
    bench::onThread([] {
        addAll(FileId::Headers, kHeaders, [](int i) {
            DFL().NUMBER = std::int16_t(i + 1);
            DFL().NAME = QStringLiteral("Смета номер %1 на ремонт здания").arg(i + 1);
            DFL().ZAKAZCHIK = QStringLiteral("Заказчик %1").arg(i + 1);
        });
        addAll(FileId::GroupsWks, kSections, [](int s) {
            GRO().NUMSMET = kEstimate;
            GRO().NUMINSMETA = std::int16_t(s + 1);
            GRO().NAME = QStringLiteral("Раздел работ номер %1").arg(s + 1);
        });
        addAll(FileId::WrksInSmt, kSections * kLinesEach, [](int i) {
            NSB().CODER = kEstimate;
            NSB().GRINSMETA = std::uint8_t(i / kLinesEach + 1);
            NSB().NUMINGROUP = std::int16_t(i % kLinesEach + 1);
            NSB().NAME = QStringLiteral("Устройство конструкции номер %1 на высоте до 15 м").arg(i);
            NSB().EDIZM = QStringLiteral("м3");
            NSB().CHELCH.setScaled(1250 + i);
        });
    });
}

// --- the floor: raw SQLite on the same files
std::size_t readAll(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
    std::size_t sum = 0;
    while (sqlite3_step(s) == SQLITE_ROW)
        for (int c = 0, n = sqlite3_column_count(s); c < n; ++c) sum += std::size_t(sqlite3_column_bytes(s, c));
    sqlite3_finalize(s);
    if (sum == 0) std::fprintf(stderr, "raw SQLite read nothing: %s\n", sql.c_str());
    return sum;
}

const std::string kNumber = std::to_string(kEstimate);

// The header and the first section of the estimate.
double rawOpening()
{
    return bench::msOf([] {
        RawConnection db("HEADERS.TPS");
        readAll(db.get(), "SELECT * FROM records WHERE NUMBER = " + kNumber + " AND (NUMBER <> 0)");
        db.exec("ATTACH 'GROUPSWK.TPS' AS g");
        readAll(db.get(), "SELECT * FROM g.records WHERE NUMSMET = " + kNumber + " ORDER BY NUMSMET, NUMINSMETA, pos LIMIT 1");
    });
}

// The peak resident memory of the program so far, in MB (the kernel's high-water mark).
double peakMemoryMb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    return 0;
}

// The records of the tree in key order, in one statement over the three files.
double rawTree()
{
    return bench::msOf([] {
        RawConnection db("HEADERS.TPS");
        db.exec("ATTACH 'GROUPSWK.TPS' AS g");
        db.exec("ATTACH 'WRKSINSM.TPS' AS w");
        readAll(db.get(),
                "SELECT * FROM (SELECT pos, NAME, ZAKAZCHIK, DATEDOG FROM records WHERE NUMBER = " + kNumber +
                    " AND (NUMBER <> 0)) UNION ALL SELECT * FROM (SELECT pos, NAME, NUMINSMETA, NUMSMET FROM g.records "
                    "WHERE NUMSMET = " + kNumber + " ORDER BY NUMSMET, NUMINSMETA, pos) UNION ALL SELECT * FROM "
                    "(SELECT pos, NAME, EDIZM, CHELCH FROM w.records WHERE CODER = " + kNumber +
                    " AND (CODER <> 0 OR GRINSMETA <> 0 OR NUMINGROUP <> 0) ORDER BY CODER, GRINSMETA, NUMINGROUP, pos)");
    });
}

}  // namespace

int main(int argc, char** argv)
{
    bench::setOffscreen();
    QApplication app(argc, argv);
    const auto dir = bench::enterThreadsFolder(argc > 1 ? argv[1] : nullptr, "editor_bench");
    InitProgramGlobals();
    fill();

    // the list chooses the estimate at once; the opening is timed from its return
    Clock::time_point chosen;
    ui::registerProcedure(QStringLiteral("SelectSmeta"), [&chosen](const ui::ProcedureArgs&) {
        ProcRequest() = 0;
        NumSmeta = kEstimate;
        ProcResponse() = 1;
        chosen = Clock::now();
    });
    double opening = 1e300, expanding = 1e300, reloading = 1e300;
    double openingStall = 1e300, expandingStall = 1e300, reloadingStall = 1e300;
    bench::StallMeter stalls;
    int rows = 0;
    for (int run = 0; run < 5; ++run) {
        stalls.start();
        const ui::ThreadId thread = test::start([] { CurrentSmeta(); });
        ui::Window* w = test::waitWindow(thread, 60000);
        test::pumpUntil([&] { return bench::idle(thread); }, 60000);
        opening = std::min(opening, std::chrono::duration<double, std::milli>(Clock::now() - chosen).count());
        openingStall = std::min(openingStall, stalls.stop());
        auto* tree = static_cast<ui::TreeList*>(w->control(kTreeControl)->widget());

        // the operation until its thread is idle again, and the longest stall meanwhile
        auto timed = [&](int event, int field, double& stall) {
            stalls.start();
            const auto start = Clock::now();
            w->post(event, field);
            test::pumpUntil([&] { return bench::idle(thread); }, 60000);
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            stall = std::min(stall, stalls.stop());
            return ms;
        };
        expanding = std::min(expanding, timed(EVENT::Accepted, kExpandControl, expandingStall));
        rows = tree->model()->rowCount();
        reloading = std::min(reloading, timed(EVENT::GainFocus, 0, reloadingStall));
        ui::post(thread, EVENT::CloseWindow);
        test::waitEnded(thread, 60000);
    }
    if (rows != kAllRows) std::fprintf(stderr, "expand-all showed %d rows, not %d\n", rows, kAllRows);
    const double rawOpen = rawOpening(), rawAll = rawTree();
    const std::string lines = bench::grouped(kSections * kLinesEach), all = bench::grouped(kAllRows);
    using bench::figure;
    figure("editor opens on an estimate of " + lines + " lines", opening, rawOpen, kGoal);
    figure("longest stall while the editor opens on " + lines + " lines", openingStall, rawOpen, kStallGoal);
    figure("expand-all to " + all + " rows", expanding, rawAll, kGoal);
    figure("longest stall during expand-all to " + all + " rows", expandingStall, rawAll, kStallGoal);
    figure("reload of " + all + " rows, every row expanded", reloading, rawAll, kGoal);
    figure("longest stall during the reload of " + all + " rows", reloadingStall, rawAll, kStallGoal);
    std::printf("peak memory with the editor open on %s lines: %.1f MB (goal about %.0f MB)\n", lines.c_str(),
                peakMemoryMb(), kMemoryGoalMb);
    return 0;
}
