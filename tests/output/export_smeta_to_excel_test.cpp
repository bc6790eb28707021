#include "output/exports/export_smeta_to_excel.h"

#include "app/frame/procedures.h"
#include "output/exports/spreadsheet_program.h"
#include "platform/core/codepage.h"
#include "platform/ui/windows/procedures.h"
#include "tests/support/test_threads.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <array>

#include <gtest/gtest.h>

namespace {

Decimal d(const char* text) { return *Decimal::parse(text); }

QString padded(const char* utf8, int width) { return QString::fromUtf8(utf8).leftJustified(width, QLatin1Char(' ')); }

class ExportSmetaToExcelTest : public test::ThreadsFixture {
protected:
    ExportSmetaToExcelTest()
    {
        // a recording stand-in for the spreadsheet program, and no desktop default
        QDir(dir.path()).mkpath(QStringLiteral("bin"));
        QDir(dir.path()).mkpath(QStringLiteral("xdg"));
        QFile script(dir.file(QStringLiteral("bin/localc")));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\nprintf '%s\\n' \"LC_ALL=$LC_ALL\" \"$@\" > started.tmp && mv started.tmp started.txt\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        path_ = qgetenv("PATH");
        qputenv("PATH", (dir.file(QStringLiteral("bin")) + QStringLiteral(":/usr/bin:/bin")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", dir.file(QStringLiteral("xdg")).toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", dir.file(QStringLiteral("xdg")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", dir.file(QStringLiteral("xdg")).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", dir.file(QStringLiteral("xdg")).toLocal8Bit());
    }
    ~ExportSmetaToExcelTest() override { qputenv("PATH", path_); }

    void addHeader(int number, const char* tz = "1.2", const char* mat = "1.05")
    {
        addRecords(FileId::Headers, 1, [&](int) {
            DFL().NUMBER = std::int16_t(number);
            DFL().NAME = "Ремонт кровли";
            DFL().NAMEOBJECT = "Школа № 5";
            DFL().OSNOV = "Дефектная ведомость";
            DFL().KIND_TZ = d(tz);
            DFL().KIND_MAT = d(mat);
            DFL().KIND_EM = d("1.1");
        });
    }
    void addSection(int estimate, int section, const char* name)
    {
        addRecords(FileId::GroupsWks, 1, [&](int) {
            GRO().NUMSMET = std::int16_t(estimate);
            GRO().NUMINSMETA = std::int16_t(section);
            GRO().NAME = name;
        });
    }
    struct W {
        int estimate, section;
        const char *code, *name, *unit, *quantity, *price, *wages;
    };
    void addWorks(const std::vector<W>& works)
    {
        addRecords(FileId::WrksInSmt, int(works.size()), [&](int i) {
            const W& w = works[std::size_t(i)];
            NSB().CODER = std::int16_t(w.estimate);
            NSB().GRINSMETA = std::uint8_t(w.section);
            NSB().NUMINGROUP = std::int16_t(i + 1);
            NSB().NRAS = w.code;
            NSB().NAME.setBytes(codepage::toCp1251(QString::fromUtf8(w.name)));
            NSB().EDIZM = w.unit;
            NSB().CHELCH = d(w.quantity);
            NSB().CENA_OB = d(w.price);
            NSB().CENA_TZ = d(w.wages);
        });
    }
    void exportOnThread(int number)
    {
        onThread([&] { ExportSmetaToExcel(number); });
    }
    // The file's lines, decoded; every line must end with CR LF.
    std::vector<QString> fileLines()
    {
        QFile file(QStringLiteral("tlx_exp.txt"));
        if (!file.open(QIODevice::ReadOnly)) return {};
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        QStringList lines = codepage::fromCp1251(std::string_view(bytes.constData(), std::size_t(bytes.size())))
                                .split(QStringLiteral("\r\n"));
        lines.removeLast();
        return std::vector<QString>(lines.begin(), lines.end());
    }
    // The stand-in's arguments once it has run (it is not waited for by the export).
    QStringList started()
    {
        for (int i = 0; i < 200 && !QFile::exists(QStringLiteral("started.txt")); ++i) QThread::msleep(25);
        QFile file(QStringLiteral("started.txt"));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QByteArray path_;
};

TEST_F(ExportSmetaToExcelTest, OneSectionWithTwoWorkLinesGivesTheRowsAndFormulasAndOpensTheSpreadsheet)
{
    addHeader(7);
    addSection(7, 1, "Кровля");
    addWorks({{7, 1, "12-01-001", "Разборка покрытий", "100 м2", "10", "100", "30"},
              {7, 1, "12-01-002", "Устройство покрытий", "м2", "5.5", "20.25", "0"}});
    registerProgramProcedures();
    ASSERT_TRUE(ui::hasProcedure(QStringLiteral("ExportSmetaToExcel")));
    test::waitEnded(ui::startProcedure(QStringLiteral("ExportSmetaToExcel"), {7}), 60000);

    const QString t = QStringLiteral("\t");
    const std::vector<QString> expected = {
        QStringLiteral("\t\t\tСМЕТА №  7"),
        QStringLiteral("\t\tРемонт кровли"),
        QStringLiteral("\tОбъект:  Школа № 5"),
        QStringLiteral("\tОснование составления сметы:  Дефектная ведомость"),
        QStringLiteral("№п.п.\tШифр ед. расценок\tНаименование работ\tЕд. Измерения\tКол-во\tЦена ед.\t \tВсего на\tЗ/Пл"),
        QStringLiteral("\tГруппа№   1   Кровля"),
        QStringLiteral("   1") + t + QStringLiteral(" ") + padded("12-01-001", 36) + t + padded("Разборка покрытий", 220) + t +
            padded("100 м2", 25) + t + QStringLiteral("   10,000\t   100,00\t    30,00\t=E007*F007\t=E007*G007"),
        QStringLiteral("   2") + t + QStringLiteral(" ") + padded("12-01-002", 36) + t + padded("Устройство покрытий", 220) + t +
            padded("м2", 25) + t + QStringLiteral("    5,500\t    20,25\t     0,00\t=E008*F008\t=E008*G008"),
        QStringLiteral("\tИтого по смете\t\t\t\t\t\t=СУММ(H7:H0008)\t=СУММ(I7:I0008)\t\t\t\t"),
        QStringLiteral("\tРыночное удорожание работ"),
        // wages are the I column of the totals row, materials what is left of its H
        QStringLiteral("\t Заработная плата с к = \t\t=I0009*  1,20"),
        QStringLiteral("\t Материалы с к =\t\t=(H0009- I0009)*  1,05"),
    };
    EXPECT_EQ(fileLines(), expected);
    EXPECT_EQ(started(), (QStringList{QStringLiteral("LC_ALL=ru_RU.UTF-8"), QStringLiteral("--language=ru"),
                                      QStringLiteral("--infilter=Text - txt - csv (StarCalc):9,34,34,1,,1049"),
                                      QStringLiteral("tlx_exp.txt")}));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ExportSmetaToExcelTest, OrdinalsRunOverTheEstimateAndEveryCellKeepsItsPlace)
{
    addHeader(7);
    addHeader(8);
    addSection(7, 3, "Первый");
    addSection(7, 5, "Второй");
    addSection(7, 300, "Старый");  // its lines' one-byte number is 44
    addSection(8, 3, "Чужой");
    addWorks({{7, 3, "a", "Один", "м", "1", "1", "1"},
              {7, 3, "b", "Два\tс\rуправляющими\nзнаками\x7f", "м", "0", "0", "0"},
              {7, 5, "c", "Три", "м", "1", "1", "1"},
              {7, 44, "d", "Не в разделе 300", "м", "1", "1", "1"},
              {8, 3, "e", "Из другой сметы", "м", "1", "1", "1"}});
    exportOnThread(7);
    const std::vector<QString> lines = fileLines();
    ASSERT_EQ(lines.size(), 5u + 2 + 1 + 2 + 1 + 1 + 3);
    EXPECT_EQ(lines[5], QStringLiteral("\tГруппа№   1   Первый"));
    EXPECT_TRUE(lines[6].startsWith(QStringLiteral("   1\t a")));
    // a zero quantity or price is an empty cell; a TAB, CR, LF or DEL in a name a blank
    EXPECT_EQ(lines[7], QStringLiteral("   2\t ") + padded("b", 36) + QStringLiteral("\t") +
                            padded("Два с управляющими знаками ", 220) + QStringLiteral("\t") + padded("м", 25) +
                            QStringLiteral("\t\t\t     0,00\t=E008*F008\t=E008*G008"));
    EXPECT_EQ(lines[8], QStringLiteral("\tГруппа№   2   Второй"));
    EXPECT_TRUE(lines[9].startsWith(QStringLiteral("   3\t c")));
    EXPECT_TRUE(lines[9].endsWith(QStringLiteral("=E010*F010\t=E010*G010")));
    EXPECT_EQ(lines[10], QStringLiteral("\tГруппа№   3   Старый"));
    EXPECT_EQ(lines[11], QStringLiteral("\tИтого по смете\t\t\t\t\t\t=СУММ(H7:H0011)\t=СУММ(I7:I0011)\t\t\t\t"));
}

TEST_F(ExportSmetaToExcelTest, AnEstimateWithoutWorkLinesTotalsZeroAndAMissingHeaderGivesBlanks)
{
    addHeader(7, "0.0001", "0");
    addSection(7, 1, "Пустой");
    exportOnThread(7);
    std::vector<QString> lines = fileLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[6], QStringLiteral("\tИтого по смете\t\t\t\t\t\t0\t0\t\t\t\t"));
    EXPECT_EQ(lines[7], QStringLiteral("\tРыночное удорожание работ"));

    // a header another estimate's read left in the buffer is not shown
    onThread([&] {
        DFL().NAME = "Остаток буфера";
        ExportSmetaToExcel(9);
    });
    lines = fileLines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], QStringLiteral("\t\t\tСМЕТА №  9"));
    EXPECT_EQ(lines[1], QStringLiteral("\t\t"));
    EXPECT_EQ(lines[5], QStringLiteral("\tИтого по смете\t\t\t\t\t\t0\t0\t\t\t\t"));
}

TEST_F(ExportSmetaToExcelTest, RowsBeyond999KeepAllTheirDigits)
{
    addHeader(7);
    addSection(7, 1, "Много");
    std::vector<W> works(1000, W{7, 1, "a", "Работа", "м", "1", "1", "1"});
    addWorks(works);
    exportOnThread(7);
    const std::vector<QString> lines = fileLines();
    ASSERT_EQ(lines.size(), 6u + 1000 + 1 + 3);
    EXPECT_TRUE(lines[998].endsWith(QStringLiteral("=E999*F999\t=E999*G999")));
    EXPECT_TRUE(lines[999].startsWith(QStringLiteral(" 994\t")));
    EXPECT_TRUE(lines[999].endsWith(QStringLiteral("=E1000*F1000\t=E1000*G1000")));
    EXPECT_EQ(lines[1006], QStringLiteral("\tИтого по смете\t\t\t\t\t\t=СУММ(H7:H1006)\t=СУММ(I7:I1006)\t\t\t\t"));
    EXPECT_EQ(lines[1008], QStringLiteral("\t Заработная плата с к = \t\t=I1007*  1,20"));
}

TEST_F(ExportSmetaToExcelTest, AFileThatCannotBeWrittenIsReportedAndNothingIsStarted)
{
    addHeader(7);
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("tlx_exp.txt")));
    exportOnThread(7);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка добавления записи"));
    QThread::msleep(300);
    EXPECT_FALSE(QFile::exists(QStringLiteral("started.txt")));
}

}  // namespace

namespace {

TEST(ExcelTextCellTest, ControlCharactersBecomeBlanksAndAFormulasFirstCharacterGetsABlankBefore)
{
    const std::pair<const char*, const char*> cases[] = {
        {"=2+3", " =2+3"}, {"+7 слоёв", " +7 слоёв"}, {"-1 слой", " -1 слой"}, {"@A1", " @A1"},
        {"a=b", "a=b"},    {"", ""},                  {" =x", " =x"},         {"\t=x", " =x"},
        {"x\x7fy\r\n", "x y  "},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(codepage::fromCp1251(excel_export::textCell(codepage::toCp1251(QString::fromUtf8(in)))),
                  QString::fromUtf8(out))
            << in;
}

// Names that a spreadsheet would take for formulas: the header's, the works' and the units'.
class HostileNamesTest : public ExportSmetaToExcelTest {
protected:
    void addHostileEstimate()
    {
        addRecords(FileId::Headers, 1, [&](int) {
            DFL().NUMBER = 7;
            DFL().NAME = "=2+3 <h>";
            DFL().NAMEOBJECT = "=1+1";
            DFL().KIND_TZ = d("1.2");
            DFL().KIND_MAT = d("1.05");
        });
        addSection(7, 1, "=СУММ(A1:A2)");
        addWorks({{7, 1, "=1", "=2+3", "=4+4", "10", "100", "30"},
                  {7, 1, "12-01-002", "=ГИПЕРССЫЛКА(\"http://example.com\";\"click\")", "+5 м2", "5.5", "20.25", "0"},
                  {7, 1, "12-01-003", "-1 слой", "@м2", "2", "10", "1"},
                  {7, 1, "12-01-004", "+Устройство", "-м", "1", "1", "1"}});
        exportOnThread(7);
    }
    // The program's own formulas: a line's two products, the totals' sums and the market lines.
    static bool isOwnFormula(const QString& cell)
    {
        static const QRegularExpression own(QStringLiteral(
            R"(^=(E\d+\*[FG]\d+|СУММ\([HI]7:[HI]\d+\)|I\d+\* *\d+,\d\d|\(H\d+- I\d+\)\* *\d+,\d\d)$)"));
        return own.match(cell).hasMatch();
    }
};

TEST_F(HostileNamesTest, OnlyTheProgramsOwnFormulaCellsBeginWithAFormulaCharacter)
{
    addHostileEstimate();
    const std::vector<QString> lines = fileLines();
    ASSERT_EQ(lines.size(), 5u + 1 + 4 + 1 + 3);
    int formulas = 0;
    for (const QString& line : lines)
        for (const QString& cell : line.split(QLatin1Char('\t'))) {
            if (cell.isEmpty() || !QStringLiteral("=+-@").contains(cell[0])) continue;
            EXPECT_TRUE(isOwnFormula(cell)) << cell.toStdString();
            ++formulas;
        }
    EXPECT_EQ(formulas, 4 * 2 + 2 + 2);
    EXPECT_EQ(lines[1], QStringLiteral("\t\t =2+3 <h>"));
    EXPECT_TRUE(lines[6].startsWith(QStringLiteral("   1\t =1") + QString(34, QLatin1Char(' ')) + QStringLiteral("\t =2+3 ")));
}

// The file as the export opens it, by LibreOffice Calc under the Russian settings, written back
// as the cells show: every hostile name is its text, every formula of the program computed.
TEST_F(HostileNamesTest, LibreOfficeShowsTheNamesAsTextAndComputesTheFormulas)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) GTEST_SKIP() << "no LibreOffice";
    addHostileEstimate();
    QProcess calc;
    QStringList args = {QStringLiteral("LC_ALL=ru_RU.UTF-8"), soffice,
                        QStringLiteral("-env:UserInstallation=file://") + dir.file(QStringLiteral("lo")),
                        QStringLiteral("--headless"), QStringLiteral("--norestore")};
    const SpreadsheetCommand opened = spreadsheetCommand(QStringLiteral("tlx_exp.txt"));
    for (const QString& arg : opened.args.mid(2))
        if (arg.startsWith(QStringLiteral("--"))) args << arg;  // the export's own reading options
    args << QStringLiteral("--convert-to") << QStringLiteral("csv:Text - txt - csv (StarCalc):9,34,76,1,,0,false,true,true")
         << QStringLiteral("--outdir") << QStringLiteral("shown") << QStringLiteral("tlx_exp.txt");
    calc.start(QStringLiteral("env"), args);
    ASSERT_TRUE(calc.waitForFinished(110000));
    QFile shown(QStringLiteral("shown/tlx_exp.csv"));
    ASSERT_TRUE(shown.open(QIODevice::ReadOnly)) << calc.readAllStandardError().toStdString();
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromUtf8(shown.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QStringList cells = line.split(QLatin1Char('\t'));
        for (QString& cell : cells)
            if (cell.startsWith(QLatin1Char('"'))) cell = cell.mid(1, cell.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
        rows.push_back(cells);
    }
    ASSERT_EQ(rows.size(), 14u);
    auto cell = [&](int row, int column) { return rows[std::size_t(row - 1)].value(column).trimmed(); };
    if (cell(11, 7) == QStringLiteral("#NAME?")) GTEST_SKIP() << "LibreOffice without its Russian function names";
    EXPECT_EQ(cell(2, 2), QStringLiteral("=2+3 <h>"));
    EXPECT_EQ(cell(3, 1), QStringLiteral("Объект:  =1+1"));
    EXPECT_EQ(cell(6, 1), QStringLiteral("Группа№   1   =СУММ(A1:A2)"));
    const std::vector<std::array<QString, 3>> works = {
        {QStringLiteral("=1"), QStringLiteral("=2+3"), QStringLiteral("=4+4")},
        {QStringLiteral("12-01-002"), QStringLiteral("=ГИПЕРССЫЛКА(\"http://example.com\";\"click\")"), QStringLiteral("+5 м2")},
        {QStringLiteral("12-01-003"), QStringLiteral("-1 слой"), QStringLiteral("@м2")},
        {QStringLiteral("12-01-004"), QStringLiteral("+Устройство"), QStringLiteral("-м")},
    };
    for (int i = 0; i < 4; ++i)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(cell(7 + i, 1 + c), works[std::size_t(i)][std::size_t(c)]) << i << c;
    // 1000 + 111.375 + 20 + 1 and 300 + 0 + 2 + 1; the wages times 1.2, the rest times 1.05
    EXPECT_EQ(cell(7, 7), QStringLiteral("1000"));
    EXPECT_EQ(cell(8, 7), QStringLiteral("111,375"));
    EXPECT_EQ(cell(11, 7), QStringLiteral("1132,375"));
    EXPECT_EQ(cell(11, 8), QStringLiteral("303"));
    EXPECT_EQ(cell(13, 3), QStringLiteral("363,6"));
    EXPECT_EQ(cell(14, 3), QStringLiteral("870,84375"));
}

}  // namespace
