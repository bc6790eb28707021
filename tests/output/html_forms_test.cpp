#include "app/frame/procedures.h"
#include "data/globals.h"
#include "platform/ui/windows/procedures.h"
#include "tests/support/act_estimate.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

// The project's XSLT processor as the settings name it, on the worked fixture's "smeta.xml",
// with a stand-in for the desktop's browser that records what it was asked to open.
class HtmlFormsTest : public test::ActEstimateFixture {
protected:
    HtmlFormsTest() : path_(qgetenv("PATH"))
    {
        registerProgramProcedures();
        InitProgramGlobals();
        QDir(dir.path()).mkpath(QStringLiteral("bin"));
        QFile browser(dir.file(QStringLiteral("bin/xdg-open")));
        browser.open(QIODevice::WriteOnly);
        browser.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > opened.tmp && mv opened.tmp opened.txt\n");
        browser.close();
        browser.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", (dir.file(QStringLiteral("bin")) + QLatin1Char(':') + QString::fromLocal8Bit(path_)).toLocal8Bit());
        // the processor as built, under the name the settings give it
        QFile::link(QStringLiteral(TOLVEX_XSLT_PROCESSOR), QStringLiteral("tolvex-xslt"));
        PREF::XMLprocessor = "./tolvex-xslt";
        PREF::XSL11file = "smeta11.xsl";
        PREF::XSL7file = "smeta7.xsl";
        PREF::XSLA11file = "akt11.xsl";
        PREF::XSLA7file = "akt7.xsl";
        addActEstimate(twoWorks(), [](HeadersRecord& h) {
            h.NAME = "Ремонт <b>кровли</b> & фасада";
            h.ZAKAZCHIK = "ООО «Заказчик»";
            h.ZAK_DOL = "директор";
            h.ZAK_FIO = "Иванов И. И.";
            h.PODRJADCHI = "АО «Подрядчик»";
            h.POD_DOL = "прораб";
            h.POD_FIO = "Петров П. П.";
        });
    }
    ~HtmlFormsTest() override
    {
        qputenv("PATH", path_);
        InitProgramGlobals();
    }

    // The page the browser was given, once it has been started (it is not waited for).
    QString openedPage()
    {
        for (int i = 0; i < 400 && !QFile::exists(QStringLiteral("opened.txt")); ++i) QThread::msleep(25);
        QFile opened(QStringLiteral("opened.txt"));
        if (!opened.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(opened.readAll()).trimmed();
    }

    QByteArray path_;
};

TEST_F(HtmlFormsTest, EachFormIsAWellFormedPageWithTheSectionSumsAndTheGrandTotal)
{
    struct Form {
        const char* procedure;
        int mode;
        const char* title;
        std::vector<const char*> sums;  // the section's and the grand total, as the page shows them
        const char* absent;             // what the form does not show
    };
    const Form forms[] = {
        {"ExportSmetaToXml", 1, "Смета № 5", {"1 500,00", "400,00", "300,00", "70,00", "2 083,43", "В сумме 2 083,43"}, "С О Г Л А С О В А Н О"},
        {"ExportSmetaToXml", 2, "Смета № 5", {"1 500,00", "2 083,43"}, "З/П маш."},
        {"ExportAktToXml", 3, "А К Т   к смете № 5", {"250,00", "75,00", "50,00", "12,50", "349,95"}, "Засыпка"},
        {"ExportAktToXml", 4, "Акт приемки работ по смете № 5", {"250,00", "349,95"}, "Первая строка"},
    };
    for (const Form& form : forms) {
        SCOPED_TRACE(form.mode);
        QFile::remove(QStringLiteral("opened.txt"));
        onThread([&] { ui::callProcedure(QString::fromLatin1(form.procedure), {5, form.mode}); });
        EXPECT_TRUE(messages.shown().empty()) << (messages.shown().empty() ? "" : messages.shown()[0].text.toStdString());
        messages.clear();
        // beside "smeta.xml", and handed to the browser
        EXPECT_EQ(openedPage(), QDir::current().filePath(QStringLiteral("smeta.html")));

        QProcess lint;
        lint.start(QStringLiteral("xmllint"), {QStringLiteral("--html"), QStringLiteral("--noout"), QStringLiteral("smeta.html")});
        ASSERT_TRUE(lint.waitForFinished(30000));
        EXPECT_EQ(lint.exitCode(), 0);
        EXPECT_EQ(lint.readAllStandardError(), QByteArray());

        QFile page(QStringLiteral("smeta.html"));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll()).replace(QChar(0xA0), QLatin1Char(' '));
        EXPECT_TRUE(html.contains(u("charset=UTF-8")));
        EXPECT_TRUE(html.contains(u("<h1>") + u(form.title) + u("</h1>")));
        EXPECT_TRUE(html.contains(u("Раздел № 1   Земляные работы")));
        EXPECT_TRUE(html.contains(u("Итого по разделу № 1")));
        EXPECT_TRUE(html.contains(u("Разработка грунта")));
        for (const char* sum : form.sums) EXPECT_TRUE(html.contains(u(sum))) << sum;
        EXPECT_FALSE(html.contains(u(form.absent))) << form.absent;
        // markup in a name is its text
        EXPECT_TRUE(html.contains(u("Ремонт &lt;b&gt;кровли&lt;/b&gt; &amp; фасада")));
        EXPECT_TRUE(html.contains(u("ПРЕДСТАВИТЕЛЬ ЗАКАЗЧИКА:<br>ООО «Заказчик»<br>директор Иванов И. И.")));
        EXPECT_TRUE(html.contains(u("ПРЕДСТАВИТЕЛЬ ПОДРЯДЧИКА:<br>АО «Подрядчик»<br>прораб Петров П. П.")));
    }
}

TEST_F(HtmlFormsTest, AFailedRunLeavesNoPageAndSaysSo)
{
    // an earlier page is not taken for the new one
    QFile old(QStringLiteral("smeta.html"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    PREF::XSL11file = "missing.xsl";
    onThread([] { ui::callProcedure(QStringLiteral("ExportSmetaToXml"), {5, 1}); });
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].text.startsWith(u("XSLT-процессор завершился с ошибкой"))) << messages.shown()[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(QStringLiteral("smeta.html")));
    QThread::msleep(200);
    EXPECT_FALSE(QFile::exists(QStringLiteral("opened.txt")));
}

}  // namespace
