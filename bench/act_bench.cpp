// The act window's work against raw SQLite on the same files, in one run:
//
//   act_bench [folder]
//
// - The fill of an estimate of 5,000 lines (10 sections of 500) in one write, against the same
//   UPDATE in raw SQLite in one transaction.
// - Moving the act window (offscreen) to the next section of 500 lines: the section's sum, its
//   lines' page and the sums of the sections on show read again; against the raw SQLite read of
//   the section's 500 lines.
//
// The sections are multiplied by TOLVEX_BENCH_SCALE (up to 250: a line holds its section in
// one byte); a section keeps its 500 lines, so the move should cost the same at every size. The
// moves also give the longest stall of the event loop. The files go to a new temporary folder
// inside `folder` (by default the system's temporary folder).

#include "bench/figures.h"
#include "bench/scale.h"
#include "bench/stall_meter.h"
#include "bench/window_threads.h"
#include "data/globals.h"
#include "data/thread_data.h"
#include "estimate/act/act_lines.h"
#include "estimate/act/browse_akt.h"
#include "platform/records/sql_text.h"
#include "platform/ui/browse/browse_list.h"
#include "tests/support/raw_sqlite.h"

#include <QApplication>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using bench::figure;
using bench::idle;
using bench::msOf;
using bench::onThread;

namespace {

const int kSections = std::min(bench::scaled(10), 250);
constexpr int kLinesPerSection = 500;

void fill()
{
    onThread([] {
        Relate(FileId::GroupsWks).Open();
        // the files are opened on first use
        for (FileId file : {FileId::GroupsWks, FileId::WrksInSmt}) Access(file).UseFile();
        records::RecordFile& groups = Access(FileId::GroupsWks).file();
        groups.write([&] {
            for (int estimate : {1, 2})
                for (int s = 1; s <= kSections; ++s) {
                    GRO() = GroupsWksRecord{};
                    GRO().NUMSMET = std::int16_t(estimate);
                    GRO().NUMINSMETA = std::int16_t(s);
                    GRO().NAME = QStringLiteral("Раздел работ номер %1").arg(s);
                    if (const int code = groups.add()) return code;
                }
            return 0;
        });
        records::RecordFile& lines = Access(FileId::WrksInSmt).file();
        lines.write([&] {
            for (int estimate : {1, 2})
                for (int i = 0; i < kSections * kLinesPerSection; ++i) {
                    WrksInSmtRecord& l = NSB();
                    l = WrksInSmtRecord{};
                    l.CODER = std::int16_t(estimate);
                    l.GRINSMETA = std::uint8_t(1 + i / kLinesPerSection);
                    l.NUMINGROUP = std::int16_t(1 + i % kLinesPerSection);
                    l.NAME = QStringLiteral("Устройство кровельного покрытия из рулонных материалов, строка %1").arg(i);
                    l.EDIZM = "100 м2";
                    l.CHELCH = Decimal::fromScaled(101 + i % 997, 2);
                    if (const int code = lines.add()) return code;
                }
            return 0;
        });
        Relate(FileId::GroupsWks).Close();
    });
}

// The estimate's lines in their key's order, with the key's own condition (without which
// SQLite would not use its partial index).
std::string linesOf(const std::string& test)
{
    const records::Layout& layout = WrksInSmtLayout();
    const records::Key& key = layout.keys[std::size_t(layout.keyIndex("NSB:ONSMETNUM"))];
    return records::sql::where({test, records::sql::inKeyTest(layout, key)});
}

double rawFill(RawConnection& db, int share)
{
    const std::string sql = "UPDATE records SET ONAKT = CASE WHEN CHELCH >= 0 THEN (CHELCH * " + std::to_string(share) +
                            " + 50) / 100 ELSE -((-CHELCH * " + std::to_string(share) + " + 50) / 100) END" +
                            linesOf("CODER = 1");
    return msOf([&] {
        db.exec("BEGIN IMMEDIATE");
        db.exec(sql);
        db.exec("COMMIT");
    });
}

double rawSection(RawConnection& db, int section)
{
    const std::string sql = "SELECT * FROM records" + linesOf("CODER = 1 AND GRINSMETA = " + std::to_string(section)) +
                            " ORDER BY GRINSMETA, NUMINGROUP, pos";
    return msOf([&] {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &s, nullptr);
        std::size_t bytes = 0;
        while (sqlite3_step(s) == SQLITE_ROW)
            for (int c = 0, n = sqlite3_column_count(s); c < n; ++c) bytes += std::size_t(sqlite3_column_bytes(s, c));
        sqlite3_finalize(s);
        if (bytes == 0) std::fprintf(stderr, "raw SQLite read nothing: %s\n", sql.c_str());
    });
}

}  // namespace

int main(int argc, char** argv)
{
    bench::setOffscreen();
    QApplication app(argc, argv);
    const auto dir = bench::enterThreadsFolder(argc > 1 ? argv[1] : nullptr, "act_bench");
    InitProgramGlobals();
    fill();
    RawConnection db("WRKSINSM.TPS");

    double ours = 0;
    onThread([&] {
        Relate(FileId::WrksInSmt).Open();
        int run = 0;
        ours = msOf([&] { FillAct(1, Decimal::fromScaled(++run % 2 ? 50 : 25, 2)); });
        Relate(FileId::WrksInSmt).Close();
    });
    const std::string lineCount = bench::grouped(kSections * kLinesPerSection);
    figure("act fill, " + lineCount + " lines in one write", ours, rawFill(db, 50), 500.0 * kSections / 10);

    NumSmeta = 1;
    const ui::ThreadId thread = test::start(BrowseAkt);
    ui::Window* window = test::waitWindow(thread, 60000);
    test::pumpUntil([&] { return idle(thread); }, 60000);
    auto* sections = qobject_cast<ui::BrowseList*>(window->control(7)->widget());
    auto* lines = qobject_cast<ui::BrowseList*>(window->control(13)->widget());
    // the best of the moves to the sections from the second on, and the longest stall of any
    double best = 1e300, longestStall = 0;
    bench::StallMeter stalls;
    for (int section = 2; section <= kSections; ++section) {
        stalls.start();
        const QString first = QStringLiteral("Устройство кровельного покрытия из рулонных материалов, строка %1")
                                  .arg((section - 1) * kLinesPerSection);
        best = std::min(best, msOf(
                                  [&] {
                                      QTest::keyClick(sections->view(), Qt::Key_Down);
                                      test::pumpUntil([&] { return idle(thread) && lines->model().text(0, 2) == first; },
                                                      60000);
                                  },
                                  1));
        longestStall = std::max(longestStall, stalls.stop());
    }
    const double rawMove = rawSection(db, 2);
    figure("act window on " + lineCount + " lines to a section of 500 lines, lines and sums read again", best, rawMove,
           100);
    figure("longest stall of the act window's moves on " + lineCount + " lines", longestStall, rawMove, 50);
    ui::post(thread, EVENT::CloseWindow);
    test::waitEnded(thread, 60000);
    return 0;
}
