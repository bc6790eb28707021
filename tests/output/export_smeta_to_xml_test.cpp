#include "output/exports/export_smeta_to_xml.h"

#include "app/frame/procedures.h"
#include "data/globals.h"
#include "platform/core/codepage.h"
#include "platform/ui/windows/procedures.h"
#include "tests/support/cp1251.h"
#include "tests/support/test_threads.h"
#include "tests/support/worked_rates.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

Decimal d(const char* text) { return *Decimal::parse(text); }

class ExportSmetaToXmlTest : public test::ThreadsFixture {
protected:
    ~ExportSmetaToXmlTest() override
    {
        PREF::XMLprocessor.clear();
        PREF::XSL11file.clear();
        PREF::XSL7file.clear();
    }
    template <class Set>
    void addHeader(int number, Set set)
    {
        addRecords(FileId::Headers, 1, [&](int) {
            DFL().NUMBER = std::int16_t(number);
            set(DFL());
        });
    }
    // the fixture of the chain: K 0.1, indices 1.2 / 1.1 / 1.05, overheads 0.95, one charge, VAT
    void addChainFixture()
    {
        addHeader(7, [](HeadersRecord& h) {
            h.CODE = 3;
            h.NAME = "Ремонт & <покраска>";
            h.NAMEOBJECT.setBytes(cp("Школа ") + "\x01 \x98" + cp(" > 5"));
            h.TOTALSUM = d("123.4");
            test::setWorkedRates(h);
        });
        addSection(7, 1, "Кровля");
        addWorks({{7, 1, "10", "100", "30", "20", "0.5", "1000", "5", "2"}, {7, 1, "5", "100", "20", "20", "0.4", "500", "4", "0"}});
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
        const char *quantity, *price, *wages, *machines, *machinists, *total, *machinistTotal, *act;
    };
    void addWorks(const std::vector<W>& works)
    {
        addRecords(FileId::WrksInSmt, int(works.size()), [&](int i) {
            const W& w = works[std::size_t(i)];
            NSB().CODER = std::int16_t(w.estimate);
            NSB().GRINSMETA = std::uint8_t(w.section);
            NSB().NUMINGROUP = std::int16_t(i + 1);
            NSB().NRAS = "E01-1";
            NSB().NAME = "Работа";
            NSB().EDIZM = "м2";
            NSB().CHELCH = d(w.quantity);
            NSB().CENA_OB = d(w.price);
            NSB().CENA_TZ = d(w.wages);
            NSB().EKSPLM = d(w.machines);
            NSB().ZARPLM = d(w.machinists);
            NSB().KCHELCHM = d(w.total);
            NSB().ITZARPMASH = d(w.machinistTotal);
            NSB().ONAKT = d(w.act);
        });
    }
    void exportOnThread(int number, int mode)
    {
        onThread([&] { ExportSmetaToXml(number, mode); });
    }
    static std::vector<QString> fileLines(const char* name = "smeta.xml")
    {
        QFile file(QString::fromLatin1(name));
        if (!file.open(QIODevice::ReadOnly)) return {};
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        QStringList lines = codepage::fromCp1251(std::string_view(bytes.constData(), std::size_t(bytes.size())))
                                .split(QStringLiteral("\r\n"));
        lines.removeLast();
        return std::vector<QString>(lines.begin(), lines.end());
    }
    static std::vector<QString> linesFrom(const std::vector<QString>& lines, const QString& first)
    {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].startsWith(first)) return std::vector<QString>(lines.begin() + std::ptrdiff_t(i), lines.end());
        return {};
    }
    static void script(const char* name, const char* body)
    {
        QFile f(QString::fromLatin1(name));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray("#!/bin/sh\n") + body);
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    static QString contents(const char* name)
    {
        QFile f(QString::fromLatin1(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

TEST_F(ExportSmetaToXmlTest, TheChainAndEveryLineAsTheFormatGivesThem)
{
    addChainFixture();
    exportOnThread(7, 1);
    const std::vector<QString> lines = fileLines();
    ASSERT_GE(lines.size(), 31u);
    const std::vector<QString> head = {
        QStringLiteral(R"(<?xml version="1.0" encoding="windows-1251" ?>)"),
        QStringLiteral(R"(<?xml-stylesheet type="text/html" href="tolvex.xslt"?>)"),
        QStringLiteral("<smeta>"),
        QStringLiteral("<sheader><!-- Заголовок сметы -->"),
        QStringLiteral("<DFL_CODE>     3</DFL_CODE>"),
        QStringLiteral("<DFL_NUMBER>     7</DFL_NUMBER>"),
        QStringLiteral("<DFL_NAME>Ремонт &amp; &lt;покраска&gt;</DFL_NAME>"),
        // a control character and the byte windows-1251 leaves undefined as blanks
        QStringLiteral("<DFL_NAMEOBJECT>Школа     &gt; 5</DFL_NAMEOBJECT>"),
    };
    EXPECT_EQ(std::vector<QString>(lines.begin(), lines.begin() + 8), head);
    EXPECT_EQ(lines[18], QStringLiteral("<DFL_TOTALSUM>123.4</DFL_TOTALSUM>"));
    EXPECT_EQ(lines[21], QStringLiteral("<DFL_KIND_MAT>1.05</DFL_KIND_MAT>"));
    EXPECT_EQ(lines[25], QStringLiteral("<DFL_KNDS>0.18</DFL_KNDS>"));
    EXPECT_EQ(lines[31], QStringLiteral("<razdel><razdelID>   1</razdelID><razdelName>Кровля</razdelName><works>"));
    EXPECT_EQ(lines[32], QStringLiteral("<WORK><ID>   1</ID><code>E01-1</code>"));
    EXPECT_EQ(lines[33], QStringLiteral("<wname>Работа</wname><edizm>м2</edizm><kolvo>   10,000</kolvo><a_kolvo>    2,000"
                                        "</a_kolvo><price><totprice>   100,00</totprice><zarpl>    30,00</zarpl><eksplm>"
                                        "    20,00</eksplm><zarplm>     0,50</zarplm></price>"));
    EXPECT_EQ(lines[34], QStringLiteral("<itogo><total>  1000,00</total><zarpl>   300,00</zarpl><eksplm>   200,00</eksplm>"
                                        "<zarplm>     5,00</zarplm></itogo>"));
    EXPECT_EQ(lines[35], QStringLiteral("<akt><total>   200,00</total><zarpl>    60,00</zarpl><eksplm>    40,00</eksplm>"
                                        "<zarplm>     1,00</zarplm></akt></WORK>"));
    // a zero act quantity: blanks in every act amount
    EXPECT_EQ(lines[39], QStringLiteral("<akt><total>         </total><zarpl>         </zarpl><eksplm>         </eksplm>"
                                        "<zarplm>         </zarplm></akt></WORK>"));
    EXPECT_EQ(lines[40], QStringLiteral("</works><r_total>1500</r_total><r_total_zpl>400</r_total_zpl><r_total_emm>300"
                                        "</r_total_emm><r_total_zplemm>9</r_total_zplemm></razdel>"));
    const std::vector<QString> footer = {
        QStringLiteral("<!-- общий итог по смете -->"),
        QStringLiteral("<stotal>1500</stotal><szpltotal>400</szpltotal><szplmtotal>9</szplmtotal><smashmehtotal>300"
                       "</smashmehtotal><smaterTotal>800</smaterTotal>"),
        QStringLiteral("<FOOTER>"),
        QStringLiteral("<!-- Рыночное удорожание работ -->"),
        QStringLiteral("<stesn><!-- Стесненность --><row><name>от рабочей силы</name><value1>    10.00%</value1><value2>"
                       "            40.00</value2></row>"),
        QStringLiteral("<row><name>от эксплуатации машин</name><value1>    10.00%</value1><value2>            30.00"
                       "</value2></row>"),
        QStringLiteral("<row><name>от зарплаты машинистов</name><value1>    10.00%</value1><value2>             0.90"
                       "</value2></row>"),
        QStringLiteral("<totStesn><total>1570</total><zpl>440</zpl><emm>330</emm><zplemm>9.9</zplemm></totStesn></stesn>"),
        QStringLiteral("<!-- переход к текущим ценам --><real_prices>"),
        QStringLiteral("<kzpltotal>1.2</kzpltotal>"),
        QStringLiteral("<zpltotal>528</zpltotal>"),
        QStringLiteral("<kmatertotal>1.05</kmatertotal>"),
        QStringLiteral("<matertotal>840</matertotal>"),
        QStringLiteral("<kemmtotal>1.1</kemmtotal>"),
        QStringLiteral("<emmtotal>363</emmtotal>"),
        QStringLiteral("<alltotal>1731</alltotal>"),
        QStringLiteral("</real_prices><!-- Налоги и коэффициенты--><nalogi>"),
        QStringLiteral("<K> <name>Зимнее удорожание</name><value>1.02</value><value2>1765.62</value2> </K>"),
        QStringLiteral("<K>"),
        QStringLiteral("<name>НДС</name>"),
        QStringLiteral("<value>0.18</value>"),
        QStringLiteral("<value2>317.81</value2>"),
        QStringLiteral("</K>"),
        QStringLiteral("</nalogi>"),
        QStringLiteral("<ItogoPoSMete>2083.43</ItogoPoSMete>"),
        QStringLiteral("</FOOTER>"),
        QStringLiteral("<memo>"),
        QStringLiteral(""),
        QStringLiteral("</memo>"),
        QStringLiteral("</smeta>"),
    };
    EXPECT_EQ(linesFrom(lines, QStringLiteral("<!-- общий итог")), footer);
    EXPECT_EQ(lines.size(), 41u + footer.size());

    // what an XML reader makes of it
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("smeta.xml")});
    ASSERT_TRUE(lint.waitForFinished());
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ExportSmetaToXmlTest, ChargeFormsOrdinalsAcrossSectionsAndTheMemo)
{
    addHeader(7, [](HeadersRecord& h) {
        h.CDOPNACH1 = "Один";
        h.DOPNACH1 = d("1.1");
        h.CDOPNACH2 = "Два";
        h.DOPNACH2 = d("1");
        h.CDOPNACH3 = "Три";
        h.DOPNACH3 = d("0.0001");  // applied: the export takes any rate above 0
        std::string memo(1000, 'x');
        memo[799] = '&';
        h.Primechanie.setBytes(memo);
    });
    addSection(7, 1, "А");
    addSection(7, 2, "Б");
    addWorks({{7, 1, "1", "10", "0", "0", "0", "10", "0", "0"},
              {7, 1, "1", "10", "0", "0", "0", "10", "0", "0"},
              {7, 2, "1", "10", "0", "0", "0", "10", "0", "0"},
              {7, 9, "1", "10", "0", "0", "0", "10", "0", "0"}});  // no section 9: neither written nor summed
    exportOnThread(7, 2);
    const std::vector<QString> lines = fileLines();
    EXPECT_EQ(linesFrom(lines, QStringLiteral("<razdel><razdelID>   2"))[1], QStringLiteral("<WORK><ID>   3</ID><code>E01-1</code>"));
    EXPECT_EQ(linesFrom(lines, QStringLiteral("<stotal>"))[0].left(22), QStringLiteral("<stotal>30</stotal><sz"));
    const std::vector<QString> charges = {
        QStringLiteral("<K> <name>Один</name><value>1.1</value><value2>33</value2> </K>"),
        QStringLiteral("<K><name>Два</name><value>1</value><value2>33</value2></K>"),
        QStringLiteral("<K>"),
        QStringLiteral("<name>Три</name>"),
        QStringLiteral("<value>0.0001</value>"),
        QStringLiteral("<value2>0</value2>"),
        QStringLiteral("</K>"),
        QStringLiteral("</nalogi>"),
    };
    const std::vector<QString> fromCharges = linesFrom(lines, QStringLiteral("<K> <name>"));
    ASSERT_GE(fromCharges.size(), charges.size());
    EXPECT_EQ(std::vector<QString>(fromCharges.begin(), fromCharges.begin() + 8), charges);
    // the memo keeps 800 characters, escaped after the cut
    const std::vector<QString> memo = linesFrom(lines, QStringLiteral("<memo>"));
    ASSERT_EQ(memo.size(), 4u);
    EXPECT_EQ(memo[1], QString(799, QLatin1Char('x')) + QStringLiteral("&amp;"));
}

TEST_F(ExportSmetaToXmlTest, LargeSumsAreKeptWholeAndSumsBeyondTheWorkingValuesStopTheExport)
{
    addHeader(7, [](HeadersRecord&) {});
    addSection(7, 1, "А");
    addWorks({{7, 1, "1", "1", "0", "0", "0", "999999999.99", "0", "0"}, {7, 1, "1", "1", "0", "0", "0", "100", "0", "0"}});
    exportOnThread(7, 1);
    EXPECT_EQ(linesFrom(fileLines(), QStringLiteral("<stotal>"))[0].left(27), QStringLiteral("<stotal>1000000099.99</stot"));

    // a charge takes the total beyond DECIMAL(15,2): the printed chain's message, no file, nothing started
    onThread([] {
        Relate(FileId::Headers).Open();
        DFL().NUMBER = 7;
        Access(FileId::Headers).TryFetch(HeadersLayout().keyIndex("DFL:BYNUM"));
        DFL().DOPNACH1 = d("9999999");
        Relate(FileId::Headers).Update();
        Relate(FileId::Headers).Close();
    });
    // the earlier file is removed too: it is not the new one
    ASSERT_TRUE(QFile::exists(QStringLiteral("smeta.xml")));
    script("rec.sh", "printf '%s\\n' \"$@\" > args.txt\n");
    PREF::XMLprocessor = "./rec.sh";
    exportOnThread(7, 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Сумма по смете слишком велика для расчета итогов."));
    EXPECT_FALSE(QFile::exists(QStringLiteral("smeta.xml")));
    EXPECT_FALSE(QFile::exists(QStringLiteral("args.txt")));
}

TEST_F(ExportSmetaToXmlTest, TheProcessorGetsTheFileAndStylesheetAndIsWaitedFor)
{
    addChainFixture();
    script("rec.sh", "sleep 0.3; printf '%s\\n' \"$@\" > args.txt; exit ${CODE:-0}\n");
    PREF::XMLprocessor = "./rec.sh --opt";
    PREF::XSL11file = "f11.xsl";
    registerProgramProcedures();
    test::waitEnded(ui::startProcedure(QStringLiteral("ExportSmetaToXml"), {7, 1}), 60000);
    // written before the export returned: it waited
    EXPECT_EQ(contents("args.txt"), QStringLiteral("--opt\nsmeta.xml\nf11.xsl\n"));
    EXPECT_TRUE(messages.shown().empty());

    // mode 2 with a blank stylesheet: none passed; an error exit reported
    QFile::remove(QStringLiteral("args.txt"));
    qputenv("CODE", "3");
    exportOnThread(7, 2);
    qunsetenv("CODE");
    EXPECT_EQ(contents("args.txt"), QStringLiteral("--opt\nsmeta.xml\n"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("XSLT-процессор завершился с ошибкой (код 3)."));
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Экспорт"));
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);

    messages.clear();
    PREF::XMLprocessor = "./missing.sh";
    exportOnThread(7, 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Не удалось запустить XSLT-процессор."));

    // a blank processor: the file is the result
    messages.clear();
    QFile::remove(QStringLiteral("smeta.xml"));
    PREF::XMLprocessor.clear();
    exportOnThread(7, 1);
    EXPECT_TRUE(QFile::exists(QStringLiteral("smeta.xml")));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ExportSmetaToXmlTest, XsltprocThroughAWrapperMakesThePage)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xsltproc")).isEmpty()) GTEST_SKIP() << "no xsltproc";
    addChainFixture();
    script("xp.sh", "exec xsltproc -o page.html \"$2\" \"$1\"\n");
    QFile sheet(QStringLiteral("s.xsl"));
    ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
    sheet.write(R"(<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">)"
                R"(<xsl:output method="text" encoding="UTF-8"/>)"
                R"(<xsl:template match="/">)"
                R"(<xsl:value-of select="smeta/sheader/DFL_NAME"/>|<xsl:value-of select="smeta/FOOTER/ItogoPoSMete"/>)"
                R"(</xsl:template></xsl:stylesheet>)");
    sheet.close();
    PREF::XMLprocessor = "./xp.sh";
    PREF::XSL11file = "s.xsl";
    exportOnThread(7, 1);
    EXPECT_EQ(contents("page.html"), QStringLiteral("Ремонт & <покраска>|2083.43"));
    EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
