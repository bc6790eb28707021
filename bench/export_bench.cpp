// The estimate's exports against their floor, in one run:
//
//   export_bench [folder]
//
// The lines and sections are multiplied by TOLVEX_BENCH_SCALE (the sections up to 250, a line
// holding its section in one byte).
// - ExportSmetaToExcel and ExportSmetaToXml of an estimate of 5,000 lines in 100 sections, file
//   written (no spreadsheet program is found and no XSLT processor is set, so none is started),
//   against the raw SQLite key-order read of the same sections and lines.
// - ExportAktToXml of the same estimate's act.
// - The text reports of the same estimate and of its act, "TEXTREP" written, without their
//   progress windows (their timer waits are not counted) and the viewer.

#include "bench/figures.h"
#include "bench/scale.h"
#include "data/error_reporter.h"
#include "data/globals.h"
#include "data/thread_data.h"
#include "output/estimate_reads.h"
#include "output/exports/export_smeta_to_excel.h"
#include "output/exports/export_smeta_to_xml.h"
#include "output/text/text_report_run.h"
#include "platform/core/collation.h"
#include "platform/records/sql_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

using bench::figure;
using bench::msOf;

namespace {

const int kSections = std::min(bench::scaled(100), 250), kLines = bench::scaled(5000);
// under 400 ms at 50,000 lines, and within 5 times the floor at 5,000
double goalOf(double floor) { return kLines <= 5000 ? 5 * floor : 400.0 * kLines / 50000; }

Decimal d(const char* s) { return *Decimal::parse(s); }

void fill()
{
    Relate(FileId::WrksInSmt).Open();
    // the files are opened on first use
    for (FileId file : {FileId::Headers, FileId::GroupsWks, FileId::WrksInSmt}) Access(file).UseFile();
    records::RecordFile& headers = Access(FileId::Headers).file();
    headers.write([&] {
        DFL() = HeadersRecord{};
        DFL().NUMBER = 1;
        DFL().NAME = "Капитальный ремонт";
        DFL().KSTESN_EM = d("0.1");
        DFL().KIND_TZ = d("1.2");
        DFL().KIND_EM = d("1.1");
        DFL().KIND_MAT = d("1.05");
        DFL().CDOPNACH1 = "Зимнее удорожание";
        DFL().DOPNACH1 = d("1.02");
        DFL().KNDS = d("0.18");
        return headers.add();
    });
    records::RecordFile& groups = Access(FileId::GroupsWks).file();
    groups.write([&] {
        for (int s = 1; s <= kSections; ++s) {
            GRO() = GroupsWksRecord{};
            GRO().NUMSMET = 1;
            GRO().NUMINSMETA = std::int16_t(s);
            GRO().NAME = QStringLiteral("Раздел работ номер %1").arg(s);
            if (const int code = groups.add()) return code;
        }
        return 0;
    });
    records::RecordFile& lines = Access(FileId::WrksInSmt).file();
    const QString words = QStringLiteral("Устройство кровельного покрытия из рулонных материалов в два слоя ");
    lines.write([&] {
        for (int i = 0; i < kLines; ++i) {
            WrksInSmtRecord& l = NSB();
            l = WrksInSmtRecord{};
            l.CODER = 1;
            l.GRINSMETA = std::uint8_t(1 + i * kSections / kLines);
            l.NUMINGROUP = std::int16_t(i % (kLines / kSections) + 1);
            l.NRAS = QStringLiteral("Е12-01-%1").arg(i % 97);
            l.NAME = words.repeated(4).left(40 + (i * 37) % 181);
            l.EDIZM = "100 м2";
            l.CHELCH = Decimal(1 + i % 9);
            l.CENA_OB = d("1234.56");
            l.CENA_TZ = d("234.5");
            l.EKSPLM = d("123.4");
            l.ZARPLM = d("12.3");
            l.ONAKT = Decimal(i % 3);
            l.KCHELCHM = Decimal(1 + i % 9) * d("1234.56");
            l.ITZARPMASH = Decimal(1 + i % 9) * d("12.3");
            if (const int code = lines.add()) return code;
        }
        return 0;
    });
    Relate(FileId::WrksInSmt).Close();
}

sqlite3* rawConnection(const char* disk)
{
    sqlite3* c = nullptr;
    sqlite3_open_v2(disk, &c, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_create_collation(c, "TLX_NOCASE", SQLITE_UTF8, nullptr, [](void*, int na, const void* a, int nb, const void* b) {
        return collation::compareNoCaseUtf8(std::string_view(static_cast<const char*>(a), std::size_t(na)),
                                            std::string_view(static_cast<const char*>(b), std::size_t(nb)));
    });
    return c;
}

// The raw key-order read of the estimate's sections and of its lines, each in one statement,
// every column of each record taken.
std::size_t rawRead()
{
    static sqlite3* groups = rawConnection("GROUPSWK.TPS");
    static sqlite3* lines = rawConnection("WRKSINSM.TPS");
    std::size_t bytes = 0;
    auto read = [&](sqlite3* db, const records::Layout& layout, const char* keyName, const char* test) {
        const records::Key& key = layout.keys[std::size_t(layout.keyIndex(keyName))];
        const std::string sql = std::string("SELECT * FROM records") +
                                records::sql::where({test, records::sql::inKeyTest(layout, key)}) + " ORDER BY " +
                                records::sql::keyOrder(layout, key, false);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
        sqlite3_bind_int(s, 1, 1);
        while (sqlite3_step(s) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(s); ++c) bytes += std::size_t(sqlite3_column_bytes(s, c));
        sqlite3_finalize(s);
    };
    read(groups, GroupsWksLayout(), "GRO:KeyNumInsmeta", "NUMSMET = ?");
    read(lines, WrksInSmtLayout(), "NSB:ONSMETNUM", "CODER = ?");
    return bytes;
}

// A text report's run as its procedure makes it, section by section.
void textReport(TotalsMode mode)
{
    Relate(FileId::WrksInSmt).Open();
    TextReportRun run(1, mode);
    std::vector<GroupsWksRecord> sections;
    std::vector<WrksInSmtRecord> works;
    readEstimateSections(1, sections);
    for (const GroupsWksRecord& section : sections) {
        run.sectionHeading(section);
        run.beginSection(section.NUMINSMETA);
        readSectionWorks(section, works);
        for (const WrksInSmtRecord& work : works) run.workLine(work);
        run.endSection();
    }
    run.totalsBlock();
    run.write();
    Relate(FileId::WrksInSmt).Close();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SetupErrorReporter();
    QTemporaryDir base(QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath()).filePath("export_bench-XXXXXX"));
    QDir::setCurrent(base.path());
    // no spreadsheet program to start
    QDir().mkdir(QStringLiteral("empty"));
    for (const char* name : {"PATH", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
        qputenv(name, base.filePath(QStringLiteral("empty")).toLocal8Bit());
    auto thread = std::make_unique<ThreadData>(2);
    ThreadState::setCurrent(thread.get());
    fill();

    const double floor = msOf([] { rawRead(); });
    const std::string size = bench::grouped(kLines) + " lines in " + bench::grouped(kSections) + " sections";
    figure("spreadsheet export, " + size, msOf([] { ExportSmetaToExcel(1); }), floor, goalOf(floor));
    figure("XML export, " + size, msOf([] { ExportSmetaToXml(1, 1); }), floor, goalOf(floor));
    figure("act XML export, " + size, msOf([] { ExportAktToXml(1, 3); }), floor, goalOf(floor));
    figure("text report, " + size, msOf([] { textReport(TotalsMode::Estimate); }), floor, goalOf(floor));
    figure("act text report, " + size, msOf([] { textReport(TotalsMode::Act); }), floor, goalOf(floor));

    for (const char* file : {"tlx_exp.txt", "smeta.xml", "TEXTREP"})
        std::printf("  (%s: %lld bytes)\n", file, static_cast<long long>(QFileInfo(QString::fromLatin1(file)).size()));
    ThreadState::setCurrent(nullptr);
    thread.reset();
    return 0;
}
