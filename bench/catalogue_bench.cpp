// The catalogue's lists against raw SQLite, side by side in one run: each list opened (and the
// rates list sent to its end) through its window, the rate catalogue's locator, tabs and name
// filter, and the same pages read straight from the same files; for each of the rate
// catalogue's operations also the longest stall of the event loop, and the peak memory. Beside
// them the name filter as an FTS5 trigram index over the folded names would serve it.
//
//   [TOLVEX_BENCH_SCALE=10] catalogue_bench [folder]
//
// 100,000 rates times the scale. The files go to a new temporary folder inside `folder` (by
// default the system's temporary folder). The windows run offscreen.

#include "bench/scale.h"
#include "bench/stall_meter.h"
#include "bench/window_threads.h"
#include "catalogue/categories/category_lists.h"
#include "catalogue/rates/browse_raszenki.h"
#include "catalogue/rates/browse_wrk_on_group.h"
#include "data/globals.h"
#include "data/thread_data.h"
#include "platform/records/schema.h"
#include "platform/ui/browse/browse_list.h"
#include "tests/support/raw_sqlite.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kRates = bench::scaled(100000);
constexpr int kCategories = 200;
const int kBigCategory = bench::scaled(20000);  // the rates of category "C000"
const int kBrowsedCategories = bench::scaled(2000);
const int kRuns = bench::scale() >= 10 ? 7 : 15;
constexpr double kGoalRatio = 3.0;
constexpr double kStallGoal = 50;

// The goals of the rate catalogue at its size.
struct Goals {
    double opening, jump, tab, few, none;
};
Goals goalsFor(int rates)
{
    if (rates >= 1000000) return {30, 5, 30, 50, 100};
    return {50, 5, 30, 100, rates >= 100000 ? 30.0 : 100.0};
}

// "… on 1,000,000 rates"
std::string on(int n, const char* what) { return " on " + bench::grouped(n) + " " + what; }

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

using bench::idle;
using bench::onThread;

QString categoryCode(int i) { return QStringLiteral("C%1").arg(i, 3, 10, QLatin1Char('0')); }

void fill()
{
    onThread([] {
        Relate(FileId::Raszenki).Open();
        records::RecordFile& f = Access(FileId::Raszenki).file();
        f.write([&f] {
            for (int i = 0; i < kRates; ++i) {
                RaszenkiLayout().clear(&WRK());
                // the big category first, the rest shared by the other categories
                const int category = i < kBigCategory ? 0 : 1 + i % (kCategories - 1);
                WRK().GROUP = categoryCode(category);
                WRK().NRAS = QStringLiteral("Е%1-%2").arg(i % 97).arg(i);
                WRK().NAME = QStringLiteral("Устройство конструкции номер %1 на высоте до 15 м").arg(i);
                WRK().EDIZM = QStringLiteral("м3");
                WRK().CODER = 1;
                if (const int code = f.add()) return code;
            }
            return 0;
        });
        Relate(FileId::Raszenki).Close();
        Relate(FileId::NSBRAZ).Open();
        records::RecordFile& n = Access(FileId::NSBRAZ).file();
        n.write([&n] {
            for (int i = 0; i < kBrowsedCategories; ++i) {
                NSBRAZLayout().clear(&NSR());
                NSR().KEY_ROOT = QStringLiteral("К%1").arg(i, 4, 10, QLatin1Char('0'));
                NSR().NAME = QStringLiteral("Категория расценок %1").arg(i);
                if (const int code = n.add()) return code;
            }
            return 0;
        });
        Relate(FileId::NSBRAZ).Close();
    });
}

QTableView* listView(ui::Window* w) { return qobject_cast<ui::BrowseList*>(w->control(1)->widget())->view(); }
int shownRows(ui::Window* w) { return qobject_cast<ui::BrowseList*>(w->control(1)->widget())->model().rowCount(); }

struct Opened {
    ui::ThreadId thread = 0;
    ui::Window* window = nullptr;
    double ms = 0;
};

// Starts the procedure and waits until its window shows its first page and the thread waits.
Opened open(std::function<void()> procedure)
{
    Opened o;
    const auto start = Clock::now();
    o.thread = test::start(std::move(procedure));
    o.window = test::waitWindow(o.thread, 60000);
    test::pumpUntil([&] { return idle(o.thread); }, 60000);
    o.ms = msSince(start);
    return o;
}

void close(const Opened& o)
{
    ui::post(o.thread, EVENT::CloseWindow);
    test::waitEnded(o.thread, 60000);
}

// --- the floor: the same pages read with plain SQLite, on a connection of its own
double rawPage(const char* file, const std::string& where, const std::string& order, int rows)
{
    const auto start = Clock::now();
    RawConnection db(file);
    sqlite3_stmt* s = nullptr;
    const std::string sql = "SELECT * FROM records" + where + " ORDER BY " + order + " LIMIT " + std::to_string(rows);
    sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &s, nullptr);
    std::size_t sum = 0;
    while (sqlite3_step(s) == SQLITE_ROW)
        for (int c = 0, n = sqlite3_column_count(s); c < n; ++c) sum += std::size_t(sqlite3_column_bytes(s, c));
    sqlite3_finalize(s);
    const double ms = msSince(start);
    if (sum == 0) std::fprintf(stderr, "raw SQLite read nothing: %s\n", sql.c_str());
    return ms;
}

// One statement's rows read to their end on an open connection, with text parameters.
void rawRead(sqlite3* db, const std::string& sql, const std::vector<std::string>& texts = {})
{
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
    for (int i = 0; i < int(texts.size()); ++i)
        sqlite3_bind_text(s, i + 1, texts[std::size_t(i)].data(), int(texts[std::size_t(i)].size()), SQLITE_TRANSIENT);
    std::size_t sum = 0;
    while (sqlite3_step(s) == SQLITE_ROW)
        for (int c = 0, n = sqlite3_column_count(s); c < n; ++c) sum += std::size_t(sqlite3_column_bytes(s, c));
    sqlite3_finalize(s);
    if (sum == 0 && sql.find("DESC") == std::string::npos && texts.empty()) std::fprintf(stderr, "raw SQLite read nothing: %s\n", sql.c_str());
}

// A page in an order with both ends of the view, as a list with a thumb reads them, on an open
// connection.
void readPageAndEnds(sqlite3* db, const std::string& where, const std::string& order, const std::string& descending,
                     int rows, const std::vector<std::string>& texts)
{
    rawRead(db, "SELECT * FROM records" + where + " ORDER BY " + order + " LIMIT " + std::to_string(rows + 1), texts);
    rawRead(db, "SELECT * FROM records" + where + " ORDER BY " + order + " LIMIT 1", texts);
    rawRead(db, "SELECT * FROM records" + where + " ORDER BY " + descending + " LIMIT 1", texts);
}

// The same on a connection of its own, timed.
double rawPageAndEnds(const std::string& where, const std::string& order, const std::string& descending, int rows,
                      const std::vector<std::string>& texts = {})
{
    const auto start = Clock::now();
    RawConnection db("RASZENKI.TPS");
    readPageAndEnds(db.get(), where, order, descending, rows, texts);
    return msSince(start);
}

// Characters typed one by one (QTest's key clicks know only Latin-1).
void typeInto(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

void report(const std::string& figure, double ours, double raw, double goalMs)
{
    std::printf("%s: %.2f ms (floor %.2f ms, ratio %.1f; goal %.0f ms)\n", figure.c_str(), ours, raw, ours / raw, goalMs);
    if (ours > goalMs) std::printf("  over its goal of %.0f ms\n", goalMs);
    // the window's figures take in building and showing the window, which the floor does not
    if (ours > kGoalRatio * raw) std::printf("  more than %.0f times the floor\n", kGoalRatio);
}

// The longest stall during an operation, beside the floor of the operation run whole.
void reportStall(const std::string& operation, const std::vector<double>& stalls, double raw)
{
    const double longest = *std::max_element(stalls.begin(), stalls.end());
    std::printf("%s, longest stall: %.2f ms (floor %.2f ms, ratio %.1f; goal %.0f ms)\n", operation.c_str(), longest, raw,
                longest / raw, kStallGoal);
    if (longest > kStallGoal) std::printf("  over its goal of %.0f ms\n", kStallGoal);
}

// The peak resident size of the process so far, in MB.
double peakMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    return 0;
}

const std::string kByName = " WHERE (\"NAME\" <> '')";
const std::string kName = "\"NAME\", pos", kNameDown = "\"NAME\" DESC, pos DESC";
// the name filter as the record layer asks it: in the folded copy of the names, and for a text
// few rates hold with the copy's trigram index
const std::string kContains = kByName + " AND (instr(\"folded_NAME\", ?) > 0)";
const std::string kContainsIndexed =
    kContains + " AND pos IN (SELECT rowid FROM \"folded_NAME_trigrams\" WHERE \"folded_NAME_trigrams\" MATCH ?)";

// The rate catalogue: opening, the code locator, two tab switches and the name filter, each
// with the longest stall of the event loop while it ran.
void rateCatalogue()
{
    const Goals goals = goalsFor(kRates);
    const std::string byCode = " WHERE (\"NRAS\" <> '')";
    const std::string code = "\"NRAS\", pos", codeDown = "\"NRAS\" DESC, pos DESC";
    const std::string group = " WHERE \"GROUP\" = 'C000' AND (\"GROUP\" <> '' OR \"NRAS\" <> '')";
    const std::string groupUp = "\"GROUP\", \"NRAS\", pos", groupDown = "\"GROUP\" DESC, \"NRAS\" DESC, pos DESC";

    std::vector<double> opening, rawOpening, jump, rawJump, toNames, rawToNames, toCategory, rawToCategory;
    std::vector<double> few, rawFew, none, rawNone;
    std::vector<double> openingStall, jumpStall, toNamesStall, toCategoryStall, fewStall, noneStall;
    double peakOpen = 0;
    int rows = 0;
    bench::StallMeter meter;
    for (int run = 0; run < kRuns; ++run) {
        LastRateTab = 1;
        LastRateCategory = categoryCode(0);
        meter.start();
        Opened o = open([] { BrowseRaszenki(); });
        openingStall.push_back(meter.stop());
        opening.push_back(o.ms);
        peakOpen = std::max(peakOpen, peakMegabytes());
        rows = shownRows(o.window);
        {
            const auto start = Clock::now();
            RawConnection db("RASZENKI.TPS");
            rawRead(db.get(), "SELECT * FROM records" + byCode + " ORDER BY " + code + " LIMIT " + std::to_string(rows + 1));
            rawRead(db.get(), "SELECT * FROM records" + byCode + " ORDER BY " + code + " LIMIT 1");
            rawRead(db.get(), "SELECT * FROM records" + byCode + " ORDER BY " + codeDown + " LIMIT 1");
            RawConnection categories("NSBRAZ.TPS");
            rawRead(categories.get(), "SELECT * FROM records WHERE (\"KEY_ROOT\" <> '') ORDER BY \"KEY_ROOT\", pos");
            rawOpening.push_back(msSince(start));
        }
        QTableView* view = listView(o.window);
        auto timed = [&](std::vector<double>& stalls, const std::function<void()>& action) {
            meter.start();
            const auto start = Clock::now();
            action();
            test::pumpUntil([&] { return idle(o.thread); }, 600000);
            const double ms = msSince(start);
            stalls.push_back(meter.stop());
            return ms;
        };
        // the code locator: one more character of a code
        view->setFocus();
        typeInto(view, QString::fromUtf8("Е5"));
        test::pumpUntil([&] { return idle(o.thread); }, 600000);
        jump.push_back(timed(jumpStall, [&] { typeInto(view, QStringLiteral("0")); }));
        {
            const auto start = Clock::now();
            RawConnection db("RASZENKI.TPS");
            rawRead(db.get(), "SELECT * FROM records WHERE \"NRAS\" >= ? AND (\"NRAS\" <> '') ORDER BY " + code + " LIMIT " +
                                  std::to_string(rows + 1),
                    {"Е50"});
            rawJump.push_back(msSince(start));
        }
        auto* tabs = qobject_cast<QTabWidget*>(o.window->control(8)->widget());
        toNames.push_back(timed(toNamesStall, [&] { tabs->setCurrentIndex(2); }));
        rawToNames.push_back(rawPageAndEnds(kByName, kName, kNameDown, rows));
        toCategory.push_back(timed(toCategoryStall, [&] { tabs->setCurrentIndex(1); }));
        rawToCategory.push_back(rawPageAndEnds(group, groupUp, groupDown, rows));

        // the name filter, typed into the list on its tab: a text a few names contain, then none
        tabs->setCurrentIndex(2);
        test::pumpUntil([&] { return idle(o.thread); }, 600000);
        view->setFocus();
        typeInto(view, QStringLiteral("424"));
        test::pumpUntil([&] { return idle(o.thread); }, 600000);
        few.push_back(timed(fewStall, [&] { typeInto(view, QStringLiteral("2")); }));
        rawFew.push_back(rawPageAndEnds(kContainsIndexed, kName, kNameDown, rows, {"4242", "\"4242\""}));
        none.push_back(timed(noneStall, [&] { typeInto(view, QStringLiteral("x")); }));
        rawNone.push_back(rawPageAndEnds(kContainsIndexed, kName, kNameDown, rows, {"4242X", "\"4242X\""}));
        close(o);
    }
    const std::string rates = on(kRates, "rates");
    auto both = [&](const std::string& figure, const std::vector<double>& ours, const std::vector<double>& raw,
                    const std::vector<double>& stalls, double goal) {
        report(figure, median(ours), median(raw), goal);
        reportStall(figure, stalls, median(raw));
    };
    both("BrowseRaszenki opens" + rates, opening, rawOpening, openingStall, goals.opening);
    both("BrowseRaszenki code locator jump" + rates, jump, rawJump, jumpStall, goals.jump);
    both("BrowseRaszenki tab 1 to 3" + rates, toNames, rawToNames, toNamesStall, goals.tab);
    both("BrowseRaszenki tab 3 to 2 (" + bench::grouped(kBigCategory) + " rates)" + rates, toCategory, rawToCategory,
         toCategoryStall, goals.tab);
    both("BrowseRaszenki name contains, a few rates" + rates, few, rawFew, fewStall, goals.few);
    both("BrowseRaszenki name contains, none" + rates, none, rawNone, noneStall, goals.none);
    std::printf("peak memory with the catalogue open%s: %.1f MB (about 55 MB today)\n", rates.c_str(), peakOpen);
}

// The two ways the name filter can be served, raw on the same file: the folded copy tested in
// name order, and the copy's trigram index (which the filter takes for texts few rates hold);
// then bringing a file written without the copy up to date, as its opening does.
void foldedCopyAndIndex(int rows)
{
    const std::string rates = on(kRates, "rates");
    RawConnection db("RASZENKI.TPS");
    const struct {
        const char* what;
        const char* text;
    } cases[] = {{"a few rates", "4242"}, {"none", "4242X"}, {"every rate", "КОНСТРУКЦИИ"}};
    for (const auto& c : cases) {
        std::vector<double> trigram, folded;
        for (int run = 0; run < kRuns; ++run) {
            auto start = Clock::now();
            readPageAndEnds(db.get(), kContainsIndexed, kName, kNameDown, rows, {c.text, std::string("\"") + c.text + "\""});
            trigram.push_back(msSince(start));
            start = Clock::now();
            readPageAndEnds(db.get(), kContains, kName, kNameDown, rows, {c.text});
            folded.push_back(msSince(start));
        }
        report(std::string("trigram index, name contains ") + c.what + rates + " (floor: the folded copy alone)",
               median(trigram), median(folded), goalsFor(kRates).none);
    }
    // what an earlier build's file lacks is made again whole
    db.exec("UPDATE tolvex_meta SET value = '' WHERE name = 'folded'");
    records::RecordError error;
    const auto start = Clock::now();
    const int code = records::schema::upgradeFoldedCopies(db.get(), RaszenkiLayout(), error);
    const double ms = msSince(start);
    if (code) std::printf("the upgrade failed: %d\n", code);
    std::printf("folded copy and trigram index made for a file of an earlier build%s: %.0f ms\n", rates.c_str(), ms);
}

}  // namespace

int main(int argc, char** argv)
{
    bench::setOffscreen();
    QApplication app(argc, argv);
    const auto dir = bench::enterThreadsFolder(argc > 1 ? argv[1] : nullptr, "catalogue_bench");
    fill();

    // the rates of the big category: opening, then End
    std::vector<double> opening, ending, rawOpening, rawEnding;
    int rows = 0;
    for (int run = 0; run < kRuns; ++run) {
        Opened o = open([] {
            NSR().KEY_ROOT = categoryCode(0);
            BrowseWRKOnGroup();
        });
        opening.push_back(o.ms);
        rows = shownRows(o.window);
        QTableView* view = listView(o.window);
        const auto start = Clock::now();
        QTest::keyClick(view, Qt::Key_End);
        test::pumpUntil([&] { return idle(o.thread); }, 60000);
        ending.push_back(msSince(start));
        close(o);
        // the key's own condition, without which SQLite would not use its (partial) index
        const std::string group = " WHERE \"GROUP\" = 'C000' AND (\"GROUP\" <> '' OR \"NRAS\" <> '')";
        rawOpening.push_back(rawPage("RASZENKI.TPS", group, "\"GROUP\", \"NRAS\", pos", rows));
        rawEnding.push_back(rawPage("RASZENKI.TPS", group, "\"GROUP\" DESC, \"NRAS\" DESC, pos DESC", rows));
    }
    const std::string ofRates = " on " + bench::grouped(kBigCategory) + " of " + bench::grouped(kRates) + " rates";
    report("BrowseWRK:OnGroup opens" + ofRates, median(opening), median(rawOpening), 50);
    report("BrowseWRK:OnGroup End to the last page" + ofRates, median(ending), median(rawEnding), 10);

    // the category list
    std::vector<double> categories, rawCategories;
    for (int run = 0; run < kRuns; ++run) {
        Opened o = open([] { BrowseNSBRAZ(); });
        categories.push_back(o.ms);
        rows = shownRows(o.window);
        close(o);
        rawCategories.push_back(rawPage("NSBRAZ.TPS", " WHERE (\"KEY_ROOT\" <> '')", "\"KEY_ROOT\", pos", rows));
    }
    report("BrowseNSBRAZ opens" + on(kBrowsedCategories, "categories"), median(categories), median(rawCategories), 30);
    rateCatalogue();
    foldedCopyAndIndex(rows);
    std::printf("(%d runs each, medians; %d rows a page)\n", kRuns, rows);
    return 0;
}
