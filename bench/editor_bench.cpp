// The estimate editor against raw SQLite, side by side in one run: opening on a large estimate
// (from the estimate list's return to the window shown with its tree), expanding every row, and
// rebuilding the tree with every row expanded, as each regain of the focus does.
//
//   editor_bench [folder]
//
// 1,000 headers; estimate 500 has 200 sections of 25 lines. The files go to a new temporary
// folder inside `folder` (by default the system's temporary folder). The window runs offscreen.

#include "app/settings/globals.h"
#include "bench/figures.h"
#include "bench/window_threads.h"
#include "data/thread_data.h"
#include "estimate/editor/current_smeta.h"
#include "platform/ui/procedures.h"
#include "platform/ui/scheduler.h"
#include "platform/ui/tree_list.h"
#include "tests/support/raw_sqlite.h"
#include "tests/support/ui_driver.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int kHeaders = 1000;
constexpr int kEstimate = 500;
constexpr int kSections = 200;
constexpr int kLinesEach = 25;
constexpr int kAllRows = 2 + kSections * (1 + kLinesEach);
constexpr int kExpandControl = 21;
constexpr int kTreeControl = 15;
constexpr double kGoal = 100;

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

// The 5,201 records of the tree in key order, in one statement over the three files.
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
    int rows = 0;
    for (int run = 0; run < 5; ++run) {
        const ui::ThreadId thread = test::start([] { CurrentSmeta(); });
        ui::Window* w = test::waitWindow(thread, 60000);
        test::pumpUntil([&] { return bench::idle(thread); }, 60000);
        opening = std::min(opening, std::chrono::duration<double, std::milli>(Clock::now() - chosen).count());
        auto* tree = static_cast<ui::TreeList*>(w->control(kTreeControl)->widget());

        auto timed = [&](int event, int field) {
            const auto start = Clock::now();
            w->post(event, field);
            test::pumpUntil([&] { return bench::idle(thread); }, 60000);
            return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        };
        expanding = std::min(expanding, timed(EVENT::Accepted, kExpandControl));
        rows = tree->model()->rowCount();
        reloading = std::min(reloading, timed(EVENT::GainFocus, 0));
        ui::post(thread, EVENT::CloseWindow);
        test::waitEnded(thread, 60000);
    }
    if (rows != kAllRows) std::fprintf(stderr, "expand-all showed %d rows, not %d\n", rows, kAllRows);
    const double rawOpen = rawOpening(), rawAll = rawTree();
    bench::figure("editor opens on an estimate of 5,000 lines", opening, rawOpen, kGoal);
    bench::figure("expand-all to 5,202 rows", expanding, rawAll, kGoal);
    bench::figure("reload with every row expanded", reloading, rawAll, kGoal);
    return 0;
}
