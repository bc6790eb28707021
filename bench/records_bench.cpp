// The record layer against raw SQLite, side by side in one run: the same schema (made from
// the SQL of files the layer created) and the same statements, once through the layer and
// once without it, for the rates catalogue and the work lines of an estimate.
//
//   records_bench [folder]
//
// The sizes are multiplied by TOLVEX_BENCH_SCALE. The files go to a new temporary folder inside `folder` (by default the system's temporary
// folder). A folder on tmpfs (/dev/shm) leaves out the disk's syncs, which otherwise take
// most of the time of every commit, and so shows the layer's own costs.

#include "data/error_reporter.h"
#include "bench/scale.h"
#include "data/thread_data.h"
#include "platform/core/collation.h"
#include "platform/records/cursor.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using records::Level;

const int kRates = bench::scaled(100000);
constexpr int kBatch = 25;  // rates the import adds per timer tick
const int kLookups = bench::scaled(10000);
// a line's number in its section has two bytes
const std::size_t kPrimedLines = std::size_t(std::min(bench::scaled(5000), 32000));
constexpr double kGoal = 1.5;         // layer time / raw time
constexpr std::size_t kSlice = 1000;  // steps of one side before the other's turn

// --- test data, made before any clock runs

struct Rate {
    RaszenkiRecord record;                // for the layer: blank-padded windows-1251
    std::string group, code, name, unit;  // for raw SQLite: UTF-8 without trailing blanks
    std::int64_t prices[9] = {};          // CENA_OB ... METKA, scaled by 100
};

std::vector<Rate> makeRates()
{
    const char* works[] = {"Кладка стен из кирпича",
                           "Устройство бетонной подготовки",
                           "Штукатурка поверхностей",
                           "Окраска масляными составами",
                           "Монтаж металлоконструкций",
                           "Разработка грунта",
                           "Устройство кровли из рулонных материалов"};
    const char* details[] = {"толщиной 38 см",    "марки 150",   "вручную", "экскаватором", "в два слоя", "по сетке",
                             "на высоте до 15 м", "с подмостей", "простых", "сложных",      "улучшенная"};
    const char* units[] = {"м2", "м3", "шт", "т", "100 м2"};
    std::vector<Rate> rates(kRates);
    for (int i = 0; i < kRates; ++i) {
        Rate& r = rates[std::size_t(i)];
        r.group = "Г" + std::to_string(i % 100);
        r.code = "Е" + std::to_string(i / 100) + "-" + std::to_string(i % 100);
        r.name = std::string(works[i % 7]) + " " + details[(i / 7) % 11] + " вариант " + std::to_string(i % 997);
        r.unit = units[i % 5];
        for (int p = 0; p < 9; ++p) r.prices[p] = p < 5 ? (i * 37 + p * 1000) % 9999999 : 0;
        RaszenkiRecord& w = r.record;
        w.CODER = 1;
        w.GROUP = r.group.c_str();
        w.NRAS = r.code.c_str();
        w.NAME = r.name.c_str();
        w.EDIZM = r.unit.c_str();
        DecimalField<7, 2>* fields[] = {&w.CENA_OB, &w.CENA_TZ,  &w.EKSPLM,  &w.ZARPLM, &w.CENA_M,
                                        &w.CHELCH,  &w.KCHELCHM, &w.VOZVRAT, &w.METKA};
        for (int p = 0; p < 9; ++p) fields[p]->setScaled(r.prices[p]);
    }
    // the catalogue arrives in no particular order
    std::mt19937 random(20261210);
    std::shuffle(rates.begin(), rates.end(), random);
    return rates;
}

// --- raw SQLite

class RawDb {
public:
    explicit RawDb(const std::string& path)
    {
        sqlite3_open(path.c_str(), &db_);
        sqlite3_create_collation(
            db_, "TLX_NOCASE", SQLITE_UTF8, nullptr, [](void*, int na, const void* a, int nb, const void* b) {
                return collation::compareNoCaseUtf8(std::string_view(static_cast<const char*>(a), std::size_t(na)),
                                                    std::string_view(static_cast<const char*>(b), std::size_t(nb)));
            });
        // the layer's settings of a connection it writes with
        exec("PRAGMA cache_size = -16384");
        exec("PRAGMA journal_mode = DELETE");
        exec("PRAGMA synchronous = FULL");
    }
    ~RawDb()
    {
        for (sqlite3_stmt* s : statements_) sqlite3_finalize(s);
        sqlite3_close(db_);
    }
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;

    void exec(const std::string& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::fprintf(stderr, "raw SQLite: %s: %s\n", sql.c_str(), error);
            sqlite3_free(error);
        }
    }
    sqlite3_stmt* prepare(const std::string& sql)
    {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "raw SQLite: %s: %s\n", sql.c_str(), sqlite3_errmsg(db_));
        statements_.push_back(s);
        return s;
    }
    sqlite3* get() const { return db_; }

    // The structure of a file the layer made, copied statement by statement.
    void copyStructureOf(const std::string& layerFile)
    {
        sqlite3* source = nullptr;
        sqlite3_open_v2(layerFile.c_str(), &source, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(
            source, "SELECT sql FROM sqlite_master WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite_%' ORDER BY rowid",
            -1, &s, nullptr);
        while (sqlite3_step(s) == SQLITE_ROW) exec(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        sqlite3_finalize(s);
        sqlite3_close(source);
    }

private:
    sqlite3* db_ = nullptr;
    std::vector<sqlite3_stmt*> statements_;
};

// Touches every column of the row as the layer's reading does, so that SQLite decodes them.
std::size_t readRow(sqlite3_stmt* s)
{
    std::size_t sum = 0;
    for (int c = 0, n = sqlite3_column_count(s); c < n; ++c)
        sum += sqlite3_column_type(s, c) == SQLITE_TEXT ? std::size_t(sqlite3_column_bytes(s, c))
                                                        : std::size_t(sqlite3_column_int64(s, c));
    return sum;
}

std::string columnList(const records::Layout& layout)
{
    std::string out;
    for (const records::Column& c : layout.columns) out += (out.empty() ? "\"" : ",\"") + c.name + '"';
    return out;
}

std::string marks(std::size_t n)
{
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += i ? ",?" : "?";
    return out;
}

void bindRate(sqlite3_stmt* s, const Rate& r)
{
    sqlite3_bind_int64(s, 1, 1);
    sqlite3_bind_text(s, 2, r.group.data(), int(r.group.size()), SQLITE_STATIC);
    sqlite3_bind_text(s, 3, r.code.data(), int(r.code.size()), SQLITE_STATIC);
    sqlite3_bind_text(s, 4, r.name.data(), int(r.name.size()), SQLITE_STATIC);
    sqlite3_bind_text(s, 5, r.unit.data(), int(r.unit.size()), SQLITE_STATIC);
    for (int p = 0; p < 9; ++p) sqlite3_bind_int64(s, 6 + p, r.prices[p]);
}

// Adds rates [from, to) of all, a transaction for every `batch` of them.
class RawAdder {
public:
    RawAdder(RawDb& db, const std::vector<Rate>& rates, int batch)
        : rates_(rates),
          batch_(std::size_t(batch)),
          insert_(db.prepare("INSERT INTO records (" + columnList(RaszenkiLayout()) + ") VALUES (" +
                             marks(RaszenkiLayout().columns.size()) + ")")),
          begin_(db.prepare("BEGIN IMMEDIATE")),
          commit_(db.prepare("COMMIT"))
    {
    }
    void add(std::size_t from, std::size_t to)
    {
        for (std::size_t i = from; i < to; ++i) {
            if (i % batch_ == 0) run(begin_);
            bindRate(insert_, rates_[i]);
            run(insert_);
            if ((i + 1) % batch_ == 0 || i + 1 == rates_.size()) run(commit_);
        }
    }

private:
    static void run(sqlite3_stmt* s)
    {
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    const std::vector<Rate>& rates_;
    std::size_t batch_;
    sqlite3_stmt* insert_;
    sqlite3_stmt* begin_;
    sqlite3_stmt* commit_;
};

// Reads the whole file in the key's order as the layer's cursor does, one short statement
// per step: the rest of the run of equal keys (DUP keys), then the next greater key.
std::size_t rawReadInKeyOrder(RawDb& db, const std::vector<std::string>& keyColumns, bool unique)
{
    const std::string select = "SELECT pos," + columnList(RaszenkiLayout()) + " FROM records WHERE ";
    std::string names, equal, inKey, order;
    for (const std::string& c : keyColumns) {
        const std::string q = '"' + c + '"';
        names += (names.empty() ? "" : ",") + q;
        equal += (equal.empty() ? "" : " AND ") + q + " = ?";
        inKey += (inKey.empty() ? "(" : " OR ") + q + " <> ''";
        order += q + ",";
    }
    inKey += ')';
    order = " ORDER BY " + order + "pos LIMIT ?";
    sqlite3_stmt* first = db.prepare(select + inKey + order);
    sqlite3_stmt* equalKey = db.prepare(select + equal + " AND pos > ? AND " + inKey + order);
    sqlite3_stmt* beyondKey =
        db.prepare(select + "(" + names + ") > (" + marks(keyColumns.size()) + ") AND " + inKey + order);

    const int n = int(keyColumns.size());
    std::vector<int> keyIndexes;  // result columns of the key fields
    for (const std::string& c : keyColumns) keyIndexes.push_back(RaszenkiLayout().columnIndex(c) + 1);
    std::vector<std::string> current(keyColumns.size());
    std::int64_t position = 0;
    std::size_t sum = 0;
    auto take = [&](sqlite3_stmt* s) {
        if (sqlite3_step(s) != SQLITE_ROW) {
            sqlite3_reset(s);
            return false;
        }
        position = sqlite3_column_int64(s, 0);
        for (int k = 0; k < n; ++k)
            current[std::size_t(k)].assign(
                reinterpret_cast<const char*>(sqlite3_column_text(s, keyIndexes[std::size_t(k)])),
                std::size_t(sqlite3_column_bytes(s, keyIndexes[std::size_t(k)])));
        sum += readRow(s);
        sqlite3_reset(s);
        return true;
    };
    auto bindCurrent = [&](sqlite3_stmt* s) {
        for (int k = 0; k < n; ++k)
            sqlite3_bind_text(s, k + 1, current[std::size_t(k)].data(), int(current[std::size_t(k)].size()),
                              SQLITE_STATIC);
    };
    sqlite3_bind_int(first, 1, 1);
    bool more = take(first);
    while (more) {
        if (!unique) {
            bindCurrent(equalKey);
            sqlite3_bind_int64(equalKey, n + 1, position);
            sqlite3_bind_int(equalKey, n + 2, 1);
            if (take(equalKey)) continue;
        }
        bindCurrent(beyondKey);
        sqlite3_bind_int(beyondKey, n + 1, 1);
        more = take(beyondKey);
    }
    return sum;
}

std::size_t rawLookUp(sqlite3_stmt* get, const std::vector<const Rate*>& wanted, std::size_t from, std::size_t to)
{
    std::size_t found = 0;
    for (std::size_t i = from; i < to; ++i) {
        const Rate* r = wanted[i];
        sqlite3_bind_text(get, 1, r->code.data(), int(r->code.size()), SQLITE_STATIC);
        if (sqlite3_step(get) == SQLITE_ROW) found += readRow(get) > 0;
        sqlite3_reset(get);
    }
    return found;
}

// Primes work lines of section 2 of estimate 7 as the layer does: the next number and the add
// in one immediate transaction, then the line written over it with its contents.
class RawPrimer {
public:
    explicit RawPrimer(RawDb& db)
        : db_(db),
          begin_(db.prepare("BEGIN IMMEDIATE")),
          highest_(db.prepare("SELECT \"NUMINGROUP\" FROM records WHERE \"CODER\" = ? AND \"GRINSMETA\" = ? AND "
                              "\"NUMINGROUP\" <= ? AND (\"CODER\" <> 0 OR \"GRINSMETA\" <> 0 OR \"NUMINGROUP\" <> 0) "
                              "ORDER BY \"NUMINGROUP\" DESC LIMIT 1")),
          insert_(db.prepare("INSERT INTO records (" + columnList(WrksInSmtLayout()) + ") VALUES (" +
                             marks(WrksInSmtLayout().columns.size()) + ")")),
          commit_(db.prepare("COMMIT")),
          update_(db.prepare("UPDATE records SET " + assignments() + " WHERE pos = ?"))
    {
    }

    void prime(std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i) {
            run(begin_);
            sqlite3_bind_int64(highest_, 1, 7);
            sqlite3_bind_int64(highest_, 2, 2);
            sqlite3_bind_int64(highest_, 3, 32767);
            std::int64_t next = 1;
            if (sqlite3_step(highest_) == SQLITE_ROW) next = sqlite3_column_int64(highest_, 0) + 1;
            sqlite3_reset(highest_);
            bindLine(insert_, next, false);
            run(insert_);
            const std::int64_t position = sqlite3_last_insert_rowid(db_.get());
            run(commit_);
            bindLine(update_, next, true);
            sqlite3_bind_int64(update_, kColumns + 1, position);
            run(update_);
        }
    }

private:
    static constexpr int kColumns = 18;

    static std::string assignments()
    {
        std::string out;
        for (const records::Column& c : WrksInSmtLayout().columns)
            out += (out.empty() ? "\"" : ",\"") + c.name + "\" = ?";
        return out;
    }
    static void run(sqlite3_stmt* s)
    {
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    void bindLine(sqlite3_stmt* s, std::int64_t number, bool named)
    {
        for (int c = 1; c <= kColumns; ++c) sqlite3_bind_int64(s, c, 0);
        sqlite3_bind_int64(s, 1, 7);
        sqlite3_bind_int64(s, 2, 2);
        sqlite3_bind_int64(s, 3, number);
        for (int c : {4, 5, 6}) sqlite3_bind_text(s, c, "", 0, SQLITE_STATIC);
        if (named) sqlite3_bind_text(s, 5, name_.data(), int(name_.size()), SQLITE_STATIC);
        sqlite3_bind_int64(s, 18, 10000);  // KOOEFF 1
    }

    RawDb& db_;
    sqlite3_stmt* begin_;
    sqlite3_stmt* highest_;
    sqlite3_stmt* insert_;
    sqlite3_stmt* commit_;
    sqlite3_stmt* update_;
    const std::string name_ = "Кладка стен из кирпича толщиной 38 см";
};

// --- the layer

// A logical thread of the program working in `folder`.
class LayerThread {
public:
    explicit LayerThread(const QString& folder)
    {
        QDir::setCurrent(folder);
        ThreadState::setCurrent(&thread_);
    }
    ~LayerThread() { ThreadState::setCurrent(nullptr); }

private:
    ThreadData thread_{2};
};

// The import's way: the record layer's plain add, one write for every `batch` rates.
void layerAdd(const std::vector<Rate>& rates, int batch, std::size_t from, std::size_t to)
{
    records::RecordFile& file = Access(FileId::Raszenki).file();
    for (std::size_t start = from; start < to;) {
        const std::size_t end = std::min(to, (start / std::size_t(batch) + 1) * std::size_t(batch));
        file.write([&] {
            for (std::size_t i = start; i < end; ++i) {
                WRK() = rates[i].record;
                if (const int code = file.add()) return code;
            }
            return 0;
        });
        start = end;
    }
}

std::size_t layerReadInKeyOrder(const char* key)
{
    records::RecordFile& file = Access(FileId::Raszenki).file();
    records::Cursor cursor(file, file.layout().keyIndex(key));
    cursor.toStart();
    std::size_t n = 0;
    while (cursor.next() == 0) ++n;
    return n;
}

std::size_t layerLookUp(const std::vector<const Rate*>& wanted, std::size_t from, std::size_t to)
{
    const int key = RaszenkiLayout().keyIndex("WRK:ONSPRAVOCH");
    std::size_t found = 0;
    for (std::size_t i = from; i < to; ++i) {
        WRK().NRAS = wanted[i]->record.NRAS;
        found += Access(FileId::Raszenki).TryFetch(key) == Level::Benign;
    }
    return found;
}

void layerPrime(std::size_t count)
{
    const FixedString<220> name("Кладка стен из кирпича толщиной 38 см");
    for (std::size_t i = 0; i < count; ++i) {
        NSB().CODER = 7;
        NSB().GRINSMETA = 2;
        Access(FileId::WrksInSmt).PrimeRecord(true);
        NSB().NAME = name;
        Access(FileId::WrksInSmt).Insert();
    }
}

// --- running and reporting

double millisecondsOf(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct Times {
    double raw = 0, layer = 0;
};

// Runs `steps` steps of each side in slices, the sides taking turns at going first, so that
// whatever else the machine does meanwhile (other programs' disk syncs above all) weighs on
// both alike.
Times sideBySide(std::size_t steps, std::size_t slice, const std::function<void(std::size_t, std::size_t)>& raw,
                 const std::function<void(std::size_t, std::size_t)>& layer)
{
    Times t;
    bool rawFirst = true;
    for (std::size_t from = 0; from < steps; from += slice, rawFirst = !rawFirst) {
        const std::size_t to = std::min(steps, from + slice);
        const auto runRaw = [&] { t.raw += millisecondsOf([&] { raw(from, to); }); };
        const auto runLayer = [&] { t.layer += millisecondsOf([&] { layer(from, to); }); };
        if (rawFirst) {
            runRaw();
            runLayer();
        } else {
            runLayer();
            runRaw();
        }
    }
    return t;
}

void report(const std::string& figure, Times t)
{
    // the goal is a ratio to raw SQLite on the same files: in milliseconds, that ratio of the floor
    std::printf("%s: %.1f ms (floor %.1f ms, ratio %.2f; goal %.1f ms)\n", figure.c_str(), t.layer, t.raw, t.layer / t.raw,
                t.raw * kGoal);
    std::fflush(stdout);
}

// The path of raw SQLite's twin of a file of the layer: the same name in a folder of its own.
std::string rawPathOf(const QDir& base, const QString& layerFolder, const char* disk)
{
    return base.filePath(QStringLiteral("raw-") + layerFolder + u'/' + QString::fromLatin1(disk)).toStdString();
}

// The layer has made the file in its folder; raw SQLite's twin gets the same structure.
std::string rawTwinOf(const QDir& base, const QString& layerFolder, const char* disk)
{
    base.mkdir(QStringLiteral("raw-") + layerFolder);
    const std::string raw = rawPathOf(base, layerFolder, disk);
    RawDb(raw).copyStructureOf(base.filePath(layerFolder + u'/' + QString::fromLatin1(disk)).toStdString());
    return raw;
}

}  // namespace

int main(int argc, char** argv)
{
    const QString parent = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir temp(parent + QStringLiteral("/records-bench-XXXXXX"));
    if (!temp.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QDir base(temp.path());
    SetupErrorReporter();
    std::printf("files in %s\n", qPrintable(base.path()));

    const std::vector<Rate> rates = makeRates();
    std::vector<const Rate*> wanted;
    std::mt19937 random(7);
    for (int i = 0; i < kLookups; ++i) wanted.push_back(&rates[random() % rates.size()]);

    const std::string rateCount = bench::grouped(kRates);
    struct Adding {
        std::string figure;
        const char* folder;
        int batch;
    };
    for (const Adding& a : {Adding{"add " + rateCount + " rates in one transaction", "one", kRates},
                            Adding{"add " + rateCount + " rates in transactions of 25", "batches", kBatch}}) {
        base.mkdir(QString::fromLatin1(a.folder));
        LayerThread layer(base.filePath(QString::fromLatin1(a.folder)));
        Relate(FileId::Raszenki).Open();
        RawDb raw(rawTwinOf(base, QString::fromLatin1(a.folder), "RASZENKI.TPS"));
        RawAdder adder(raw, rates, a.batch);
        // a transaction never spans two slices: the layer's writes are whole
        const std::size_t slice = std::max(kSlice, std::size_t(a.batch));
        report(a.figure, sideBySide(
                             rates.size(), slice, [&](std::size_t from, std::size_t to) { adder.add(from, to); },
                             [&](std::size_t from, std::size_t to) { layerAdd(rates, a.batch, from, to); }));
        Relate(FileId::Raszenki).Close();
    }

    {
        LayerThread layer(base.filePath(QStringLiteral("one")));
        Relate(FileId::Raszenki).Open();
        RawDb raw(rawPathOf(base, QStringLiteral("one"), "RASZENKI.TPS"));
        struct Order {
            std::string figure;
            const char* key;
            std::vector<std::string> columns;
            bool unique;
        };
        for (const Order& o : {Order{"read all " + rateCount + " rates by WRK:ONGROUP", "WRK:ONGROUP", {"GROUP", "NRAS"}, false},
                               Order{"read all " + rateCount + " rates by WRK:ONWORKS", "WRK:ONWORKS", {"NAME"}, false},
                               Order{"read all " + rateCount + " rates by WRK:ONSPRAVOCH", "WRK:ONSPRAVOCH", {"NRAS"}, true}}) {
            std::size_t rawRead = 0, layerRead = 0;
            const Times t = sideBySide(
                1, 1, [&](std::size_t, std::size_t) { rawRead = rawReadInKeyOrder(raw, o.columns, o.unique); },
                [&](std::size_t, std::size_t) { layerRead = layerReadInKeyOrder(o.key); });
            if (rawRead == 0 || layerRead != std::size_t(kRates))
                std::fprintf(stderr, "%s: read %zu\n", o.key, layerRead);
            report(o.figure, t);
        }
        sqlite3_stmt* get = raw.prepare("SELECT pos," + columnList(RaszenkiLayout()) +
                                        " FROM records WHERE \"NRAS\" = ? AND (\"NRAS\" <> '') LIMIT 1");
        std::size_t rawFound = 0, layerFound = 0;
        const Times t = sideBySide(
            wanted.size(), kSlice,
            [&](std::size_t from, std::size_t to) { rawFound += rawLookUp(get, wanted, from, to); },
            [&](std::size_t from, std::size_t to) { layerFound += layerLookUp(wanted, from, to); });
        if (rawFound != wanted.size() || layerFound != wanted.size())
            std::fprintf(stderr, "look-ups found %zu and %zu\n", rawFound, layerFound);
        report(bench::grouped(kLookups) + " look-ups by WRK:ONSPRAVOCH among " + rateCount + " rates", t);
        Relate(FileId::Raszenki).Close();
    }

    {
        base.mkdir(QStringLiteral("lines"));
        LayerThread layer(base.filePath(QStringLiteral("lines")));
        Relate(FileId::WrksInSmt).Open();
        RawDb raw(rawTwinOf(base, QStringLiteral("lines"), "WRKSINSM.TPS"));
        RawPrimer primer(raw);
        report("prime and store " + bench::grouped(std::int64_t(kPrimedLines)) + " work lines in one section",
               sideBySide(
                   kPrimedLines, kSlice / 4, [&](std::size_t from, std::size_t to) { primer.prime(to - from); },
                   [&](std::size_t from, std::size_t to) { layerPrime(to - from); }));
        Relate(FileId::WrksInSmt).Close();
    }
    QDir::setCurrent(QDir::rootPath());
    return 0;
}
