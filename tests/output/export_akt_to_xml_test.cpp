#include "app/frame/procedures.h"
#include "data/globals.h"
#include "output/totals/totals_chain.h"
#include "platform/core/codepage.h"
#include "platform/ui/windows/procedures.h"
#include "tests/support/act_estimate.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

class ExportAktToXmlTest : public test::ActEstimateFixture {
protected:
    ExportAktToXmlTest()
    {
        registerProgramProcedures();
        InitProgramGlobals();
    }
    ~ExportAktToXmlTest() override { InitProgramGlobals(); }

    // Called by name with its number and mode, as the editor calls it.
    void exportAkt(int mode)
    {
        onThread([mode] { ui::callProcedure(QStringLiteral("ExportAktToXml"), {5, mode}); });
    }
    static std::vector<QString> fileLines()
    {
        QFile file(QStringLiteral("smeta.xml"));
        if (!file.open(QIODevice::ReadOnly)) return {};
        const QByteArray bytes = file.readAll();
        QStringList lines = codepage::fromCp1251(std::string_view(bytes.constData(), std::size_t(bytes.size())))
                                .split(QStringLiteral("\r\n"));
        lines.removeLast();
        return std::vector<QString>(lines.begin(), lines.end());
    }
    static std::vector<QString> linesFrom(const std::vector<QString>& lines, const QString& first, std::size_t count)
    {
        const auto from = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(first); });
        return std::vector<QString>(from, from + std::ptrdiff_t(std::min<std::size_t>(count, std::size_t(lines.end() - from))));
    }
};

TEST_F(ExportAktToXmlTest, TheActsQuantitiesAmountsAndSumsInTheEstimatesFormat)
{
    addActEstimate(twoWorks(), [](HeadersRecord& h) { h.TOTALSUM = dec("123.4"); });
    exportAkt(3);
    const std::vector<QString> lines = fileLines();
    // the name with all its blanks; the total as the header holds it
    EXPECT_EQ(linesFrom(lines, u("<DFL_NAME>"), 1),
              std::vector<QString>{u("<DFL_NAME>") + u("Ремонт кровли").leftJustified(200) + u("</DFL_NAME>")});
    EXPECT_EQ(linesFrom(lines, u("<DFL_TOTALSUM>"), 1), std::vector<QString>{u("<DFL_TOTALSUM>123.4</DFL_TOTALSUM>")});
    const std::vector<QString> sections = {
        u("<razdel><razdelID>   1</razdelID><razdelName>Земляные работы</razdelName><works>"),
        u("<WORK><ID>   1</ID><code>Е01-01-1</code>"),
        u("<wname>Разработка грунта</wname><edizm>м3</edizm><kolvo>    2,500</kolvo><price><totprice>   100,00</totprice>"
          "<zarpl>    30,00</zarpl><eksplm>    20,00</eksplm><zarplm>     5,00</zarplm></price>"),
        u("<itogo><total>   250,00</total><zarpl>    75,00</zarpl><eksplm>    50,00</eksplm><zarplm>    12,50</zarplm></itogo>"),
        u("</WORK>"),
        // a line without act is written too, with the estimate's unit prices
        u("<WORK><ID>   2</ID><code>Е01-01-2</code>"),
        u("<wname>Засыпка</wname><edizm>м3</edizm><kolvo>         </kolvo><price><totprice>   100,00</totprice>"
          "<zarpl>    20,00</zarpl><eksplm>    20,00</eksplm><zarplm>     4,00</zarplm></price>"),
        u("<itogo><total>         </total><zarpl>         </zarpl><eksplm>         </eksplm><zarplm>         </zarplm></itogo>"),
        u("</WORK>"),
        u("</works><r_total>250</r_total><r_total_zpl>75</r_total_zpl><r_total_emm>50</r_total_emm>"
          "<r_total_zplemm>12.5</r_total_zplemm>"),
        u("</razdel>"),
        u("<razdel><razdelID>   2</razdelID><razdelName>Кровля</razdelName><works>"),
        u("</works><r_total>0</r_total><r_total_zpl>0</r_total_zpl><r_total_emm>0</r_total_emm>"
          "<r_total_zplemm>0</r_total_zplemm>"),
        u("</razdel>"),
        u("<!-- общий итог по смете -->"),
        u("<stotal>250</stotal><szpltotal>75</szpltotal><szplmtotal>12.5</szplmtotal><smashmehtotal>50</smashmehtotal>"
          "<smaterTotal>125</smaterTotal>"),
    };
    EXPECT_EQ(linesFrom(lines, u("<razdel>"), sections.size()), sections);
    // no overheads; the charge 296.565, VAT 53.3826
    EXPECT_EQ(linesFrom(lines, u("<alltotal>"), 1), std::vector<QString>{u("<alltotal>290.75</alltotal>")});
    EXPECT_EQ(linesFrom(lines, u("<K> <name>"), 1),
              std::vector<QString>{u("<K> <name>Зимнее удорожание</name><value>1.02</value><value2>296.57</value2> </K>")});
    EXPECT_EQ(linesFrom(lines, u("<value2>53"), 1), std::vector<QString>{u("<value2>53.38</value2>")});
    EXPECT_EQ(linesFrom(lines, u("<ItogoPoSMete>"), 1), std::vector<QString>{u("<ItogoPoSMete>349.95</ItogoPoSMete>")});

    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("smeta.xml")});
    ASSERT_TRUE(lint.waitForFinished());
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ExportAktToXmlTest, TheActFormsChooseTheActStylesheets)
{
    addActEstimate();
    QFile script(QStringLiteral("rec.sh"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > args.txt\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    PREF::XMLprocessor = "./rec.sh";
    PREF::XSL11file = "e11.xsl";
    PREF::XSL7file = "e7.xsl";
    PREF::XSLA11file = "a11.xsl";
    PREF::XSLA7file = "a7.xsl";
    for (const auto& [mode, stylesheet] : {std::pair{3, "a11.xsl"}, std::pair{4, "a7.xsl"}}) {
        QFile::remove(QStringLiteral("args.txt"));
        exportAkt(mode);
        QFile args(QStringLiteral("args.txt"));
        ASSERT_TRUE(args.open(QIODevice::ReadOnly)) << mode;
        EXPECT_EQ(QString::fromUtf8(args.readAll()), u("smeta.xml\n") + u(stylesheet) + u("\n"));
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ExportAktToXmlTest, SectionSumsAddTheExactProductsAsTheActsTotalsChainDoes)
{
    // a negative act of half a kopeck: 1.00 - 0.005 is 1.00 when the sum is rounded, 0.99 when
    // the product is rounded before it is added
    const std::vector<Work> works = {{1, "1", "1", "1", "1", "1", "1"}, {1, "-0.5", "1", "0.01", "0.01", "0.01", "0.01"}};
    addActEstimate(works);
    exportAkt(3);
    TotalsSums chain;
    for (const Work& w : works) {
        WrksInSmtRecord l;
        l.ONAKT = dec(w.act);
        l.CENA_OB = dec(w.price);
        l.CENA_TZ = dec(w.wages);
        l.EKSPLM = dec(w.machines);
        l.ZARPLM = dec(w.machinists);
        chain.add(TotalsMode::Act, l);
    }
    const auto plain = [](const Decimal& v) { return QString::fromStdString(v.toPlainString()); };
    EXPECT_EQ(plain(chain.costs()), u("1"));
    const std::vector<QString> lines = fileLines();
    EXPECT_EQ(linesFrom(lines, u("</works><r_total>"), 1),
              std::vector<QString>{u("</works><r_total>%1</r_total><r_total_zpl>%2</r_total_zpl><r_total_emm>%3</r_total_emm>"
                                     "<r_total_zplemm>%4</r_total_zplemm>")
                                       .arg(plain(chain.costs()), plain(chain.wages()), plain(chain.machines()),
                                            plain(chain.machinistWages()))});
    EXPECT_EQ(linesFrom(lines, u("<totStesn>"), 1),
              std::vector<QString>{u("<totStesn><total>1.2</total><zpl>1.1</zpl><emm>1.1</emm><zplemm>1.1</zplemm></totStesn></stesn>")});
    // each line's amount as its exact product shows it
    EXPECT_EQ(linesFrom(lines, u("<itogo><total>    -0,01"), 1).size(), 1u);
}

}  // namespace
