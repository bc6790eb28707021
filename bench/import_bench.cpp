// The rate import beside its floor, in one run:
//   - splitting and normalising 100,000 lines of 13 fields, beside a bare split at the commas;
//   - one tick (25 lines read, split, converted, added and committed) beside raw SQLite adding
//     the same 25 rows in one transaction, on /dev/shm (the import's own costs) and on disk;
//   - the UTF-8 check of 20 MB, beside a bare pass over the same bytes.
// The lines, ticks and bytes are multiplied by TOLVEX_BENCH_SCALE. The import window runs one
// tick a timer shot, so its longest tick is the longest the event loop stands still during the
// import, given as its own figure.
//
//   import_bench [disk folder]

#include "bench/scale.h"
#include "catalogue/import/csv_reader.h"
#include "catalogue/import/import_batch.h"
#include "catalogue/import/import_mapping.h"
#include "catalogue/import/text/csv_field.h"
#include "catalogue/import/text/import_decimal.h"
#include "catalogue/import/text/utf8_check.h"
#include "data/error_reporter.h"
#include "data/thread_data.h"
#include "platform/core/codepage.h"
#include "tests/support/raw_sqlite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kLines = bench::scaled(100000);
const int kTicks = bench::scaled(400);
constexpr int kPerTick = 25;

double millisecondsOf(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void report(const std::string& figure, double ours, double floor, const std::string& goal)
{
    std::printf("%s: %.3f ms (floor %.3f ms, ratio %.2f; goal %s)\n", figure.c_str(), ours, floor, ours / floor,
                goal.c_str());
    std::fflush(stdout);
}

// A price list line of 13 fields: quoted names with commas and doubled quotes, decimal commas.
std::string priceLine(int i)
{
    return "Г" + std::to_string(i % 100) + ",Е" + std::to_string(i) + ",\"Кладка стен, кирпич \"\"М" +
           std::to_string(100 + i % 50) + "\"\" вариант " + std::to_string(i % 997) + "\",м3,\"" +
           std::to_string(i % 99999) + "," + std::to_string(i % 100) + "\",\"12,5\",\"0,75\",1,\"-3,5\",\"1 250,00\",0,\"7,25\",1\r\n";
}

std::size_t splitAndNormalise(const std::vector<std::string>& lines)
{
    std::size_t sum = 0;
    CsvFieldValue value;
    for (const std::string& line : lines) {
        std::int32_t pos = 1;
        std::int64_t scaled = 0;
        for (int field = 1; NextCsvField(line, pos, value) != CsvField::None; ++field) {
            if (field >= 5) sum += ConvertDecimal(NormalizeDecimal(value), 7, 2, scaled) ? std::size_t(scaled) : 0;
            else sum += value.size();
        }
    }
    return sum;
}

std::size_t bareSplit(const std::vector<std::string>& lines)
{
    std::size_t sum = 0;
    for (const std::string& line : lines) {
        std::string_view rest = line;
        for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos; rest.remove_prefix(comma + 1))
            sum += comma;
        sum += rest.size();
    }
    return sum;
}

// One logical thread of the program working in `folder`.
class ImportThread {
public:
    explicit ImportThread(const QString& folder)
    {
        QDir::setCurrent(folder);
        ThreadState::setCurrent(&thread_);
    }
    ~ImportThread() { ThreadState::setCurrent(nullptr); }

private:
    ThreadData thread_{2};
};

struct TickTimes {
    double ours, floor;  // the average of a tick
    double longest;      // our longest tick
};

// The ticks' times, ours and raw SQLite's, over kTicks ticks in `folder`.
TickTimes tickTimes(const QString& folder)
{
    ImportThread thread(folder);
    QFile csv(QStringLiteral("rates.csv"));
    csv.open(QIODevice::WriteOnly);
    std::vector<std::string> rows;
    for (int i = 0; i < kTicks * kPerTick; ++i) {
        rows.push_back(priceLine(i));
        csv.write(codepage::utf8ToCp1251(rows.back()).c_str());
    }
    csv.close();

    Relate(FileId::Raszenki).Open();
    Access(FileId::Raszenki).UseFile();
    QFile::copy(QStringLiteral("RASZENKI.TPS"), QStringLiteral("RAW.TPS"));
    RawConnection raw("RAW.TPS");

    ChooseImportFile(QDir::current().filePath(QStringLiteral("rates.csv")));
    std::vector<SourceField> sources;
    BuildSourceFields(sources);
    std::vector<TargetField> targets = RateTargetFields();
    for (std::size_t i = 0; i < targets.size(); ++i) targets[i].SOURCEFIELD = sources[i].FIELD;
    ImportBatches batches(sources, targets);
    batches.start(false);

    // raw SQLite: the same rows, already converted
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(raw.get(),
                       "INSERT INTO records (CODER,\"GROUP\",NRAS,NAME,EDIZM,CENA_OB,CENA_TZ,EKSPLM,ZARPLM,CENA_M,"
                       "CHELCH,KCHELCHM,VOZVRAT,METKA) VALUES (1,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &insert, nullptr);
    double ours = 0, floor = 0, longest = 0;
    for (int tick = 0; tick < kTicks; ++tick) {
        const double one = millisecondsOf([&] { batches.add(kPerTick); });
        ours += one;
        longest = std::max(longest, one);
        floor += millisecondsOf([&] {
            raw.exec("BEGIN IMMEDIATE");
            for (int i = 0; i < kPerTick; ++i) {
                const std::string code = "Е" + std::to_string(tick * kPerTick + i);
                sqlite3_bind_text(insert, 1, "Г1", -1, SQLITE_STATIC);
                sqlite3_bind_text(insert, 2, code.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(insert, 3, "Кладка стен, кирпич \"М150\" вариант 1", -1, SQLITE_STATIC);
                sqlite3_bind_text(insert, 4, "м3", -1, SQLITE_STATIC);
                for (int p = 5; p <= 13; ++p) sqlite3_bind_int64(insert, p, 1250 * p);
                sqlite3_step(insert);
                sqlite3_reset(insert);
            }
            raw.exec("COMMIT");
        });
    }
    sqlite3_finalize(insert);
    CloseImportFile();
    Relate(FileId::Raszenki).Close();
    return {ours / kTicks, floor / kTicks, longest};
}

}  // namespace

int main(int argc, char** argv)
{
    SetupErrorReporter();

    std::vector<std::string> lines;
    for (int i = 0; i < kLines; ++i) {
        std::string line = codepage::utf8ToCp1251(priceLine(i));
        line.resize(line.size() - 2);  // the reader hands lines without their ends
        lines.push_back(line);
    }
    std::size_t sink = 0;
    const double split = millisecondsOf([&] { sink += splitAndNormalise(lines); });
    const double bare = millisecondsOf([&] { sink += bareSplit(lines); });
    report("split and normalise " + bench::grouped(kLines) + " lines of 13 fields", split, bare,
           std::to_string(300 * bench::scale()) + " ms");

    const QString disk = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const std::string rates = bench::grouped(std::int64_t(kTicks) * kPerTick);
    for (const auto& [where, parent, goal] : {std::tuple{"on /dev/shm", QStringLiteral("/dev/shm"), "2 ms, ratio 1.5"},
                                              std::tuple{"on disk", disk, "none"}}) {
        QTemporaryDir temp(parent + QStringLiteral("/import-bench-XXXXXX"));
        if (!temp.isValid()) continue;
        const TickTimes t = tickTimes(temp.path());
        report(std::string("one tick of 25 rates ") + where + ", of " + rates, t.ours, t.floor, goal);
        report(std::string("longest stall (the longest tick) importing ") + rates + " rates " + where, t.longest,
               t.floor, std::string(where) == "on disk" ? "none" : "50 ms");
    }

    std::string text;
    const std::size_t megabytes = std::size_t(bench::scaled(20));
    while (text.size() < megabytes * 1024 * 1024) text += priceLine(int(text.size() % 100000));
    bool valid = false;
    const double check = millisecondsOf([&] {
        Utf8Check c;
        c.feed(text);
        valid = c.finish();
    });
    const double pass = millisecondsOf([&] { sink += std::memchr(text.data(), 0, text.size()) != nullptr; });
    report("UTF-8 check of " + bench::grouped(std::int64_t(megabytes)) + " MB", check, pass,
           std::to_string(50 * bench::scale()) + " ms");
    return valid && sink ? 0 : 1;
}
