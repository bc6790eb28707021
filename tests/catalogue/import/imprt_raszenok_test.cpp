// The import wizard as the frame starts it: the queues built from the file, the buttons, the run
// with its ticks, its percentage and what stops it, and real files as spreadsheets write them.
#include "catalogue/import/csv_reader.h"
#include "catalogue/import/import_run.h"
#include "catalogue/import/imprt_raszenok.h"
#include "platform/core/codepage.h"
#include "platform/core/dates.h"
#include "platform/core/regional.h"
#include "platform/ui/threads/dialog_script.h"
#include "tests/catalogue/import/import_files.h"
#include "tests/support/raw_sqlite.h"
#include "tests/support/test_threads.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <cerrno>

namespace {

struct Wizard : test::ThreadsFixture {
    Wizard() { regional::installProgramSettings(); }
    ~Wizard() override
    {
        if (thread && ui::Scheduler::instance().isRunning(thread)) ui::post(thread, EVENT::CloseWindow);
        test::waitEnded(thread);
        SetImportTickObserver(nullptr);
        InjectImportReadError(0, 0);
        ui::resetDialogScript();
    }

    // The wizard on a thread of its own over the file; false when its window did not open.
    bool open(const std::string& bytes)
    {
        ui::scriptFileName(test::writeImportFile("rates.csv", bytes));
        thread = test::start([] { ImprtRaszenok(); });
        window = test::waitWindowTitled(thread, "Выберите поля для импорта...", 2000);
        settle();
        return window != nullptr;
    }
    void settle()
    {
        for (int i = 0; i < 3; ++i) {
            test::pump(5);
            test::pumpUntil([&] {
                const ui::Scheduler& s = ui::Scheduler::instance();
                return !s.isRunning(thread) || ui::isWaitingIdle(thread);
            });
        }
    }
    QPushButton* button(const char* name) { return static_cast<QPushButton*>(window->control(QString::fromLatin1(name))->widget()); }
    void press(const char* name)
    {
        button(name)->click();
        settle();
    }
    QTableWidget* list(const char* name) { return static_cast<QTableWidget*>(window->control(QString::fromLatin1(name))->widget()); }
    // The rows of a list, cells joined by "|".
    std::vector<QString> rows(const char* name)
    {
        std::vector<QString> out;
        QTableWidget* t = list(name);
        for (int r = 0; r < t->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < t->columnCount(); ++c) cells << (t->item(r, c) ? t->item(r, c)->text() : QString());
            out.push_back(cells.join(u'|'));
        }
        return out;
    }
    void selectRow(const char* name, int row)
    {
        list(name)->setCurrentCell(row, 0);
        settle();
    }
    // Assigns the source row to the target row.
    void assign(int source, int target)
    {
        selectRow("?IMPORTFIELDSLIST", source);
        selectRow("?TARGETFIELDSLIST", target);
        press("?ASSIGNBUTTON");
    }
    // "&OK", then the run to its end; the ticks' rates and the percentage shown after each.
    void importAll()
    {
        SetImportTickObserver([this](int added) {
            ticks.push_back(added);
            ui::Window* progress = ui::Scheduler::instance().find(thread)->topWindow();
            percentages.push_back(progress->control("?PROGRESS:PCTTEXT")->text());
            bar = static_cast<QProgressBar*>(progress->control("?PROGRESS:THERMOMETER")->widget())->value();
            if (cancelAfterTicks && int(ticks.size()) == cancelAfterTicks)
                static_cast<QPushButton*>(progress->control("?PROGRESS:CANCEL")->widget())->click();
        });
        button("?OKBUTTON")->click();
        ASSERT_TRUE(test::waitEnded(thread, 20000));
    }
    // The stored rates: code|name|unit|CENA_OB|CENA_TZ|CODER, in the order of the rate codes.
    std::vector<QString> rates()
    {
        return stored(FileId::Raszenki, [] {
            const RaszenkiRecord& r = WRK();
            return QStringList{r.GROUP.toQString(), r.NRAS.toQString(), r.NAME.toQString(), r.EDIZM.toQString(),
                               QString::fromStdString(r.CENA_OB.value().toFixedString(2)),
                               QString::fromStdString(r.CENA_TZ.value().toFixedString(2)), QString::number(r.CODER)}
                .join(u'|');
        });
    }
    void clearRates() { RawConnection(RaszenkiLayout().diskName.c_str()).exec("DELETE FROM records"); }
    std::vector<QString> captions()
    {
        std::vector<QString> out;
        for (const auto& m : messages.shown()) out.push_back(m.caption + ": " + m.text);
        return out;
    }

    ui::ThreadId thread = 0;
    ui::Window* window = nullptr;
    std::vector<int> ticks;
    std::vector<QString> percentages;
    int bar = -1;
    int cancelAfterTicks = 0;
};

TEST_F(Wizard, TheThreeColumnExampleEndToEnd)
{
    ASSERT_TRUE(open("WRK:NRAS,WRK:NAME,WRK:CENA_OB\r\n1-1,Кладка,\"12,50\"\r\n"));
    EXPECT_EQ(rows("?IMPORTFIELDSLIST"), (std::vector<QString>{"Field_1|Numeric|WRK:NRAS", "Field_2|Numeric|WRK:NAME",
                                                                "Field_3|Alpha-num|WRK:CENA_OB"}));
    EXPECT_EQ(rows("?TARGETFIELDSLIST").size(), 13u);
    EXPECT_EQ(rows("?TARGETFIELDSLIST")[0], "WRK:Group||");
    EXPECT_EQ(window->control("?RECORDNUMBER")->text(), "1");
    press("?AUTOASSIGNBUTTON");
    const std::vector<QString> targets = rows("?TARGETFIELDSLIST");
    EXPECT_EQ(targets[0], "WRK:Group||");
    EXPECT_EQ(targets[1], "WRK:NRAS|=|Field_1");
    EXPECT_EQ(targets[2], "WRK:NAME|=|Field_2");
    EXPECT_EQ(targets[4], "WRK:CENA_OB|=|Field_3");
    EXPECT_TRUE(static_cast<QCheckBox*>(window->control("?STRIPHEADERRECORD")->widget())->isChecked());
    // the selection follows: the target of a source, the source of a target
    selectRow("?IMPORTFIELDSLIST", 2);
    EXPECT_EQ(list("?TARGETFIELDSLIST")->currentRow(), 4);
    selectRow("?TARGETFIELDSLIST", 1);
    EXPECT_EQ(list("?IMPORTFIELDSLIST")->currentRow(), 0);
    importAll();
    EXPECT_EQ(rates(), std::vector<QString>{"|1-1|Кладка||12.50|0.00|1"});
    EXPECT_TRUE(messages.shown().empty());
}

// At its size in dialog units both lists show their headings whole, every column and a row a
// line; Tab leaves a list for the next control; a target without a source moves no source.
TEST_F(Wizard, TheListsReadAtTheirSizeAndTabLeavesThem)
{
    ASSERT_TRUE(open("WRK:NRAS,WRK:NAME,WRK:CENA_OB\r\n1-1,Кладка кирпичных стен толщиной в два кирпича,\"12,50\"\r\n"));
    for (const char* name : {"?IMPORTFIELDSLIST", "?TARGETFIELDSLIST"}) {
        SCOPED_TRACE(name);
        QTableWidget* t = list(name);
        const QFontMetrics fm(t->font());
        EXPECT_EQ(t->rowHeight(0), fm.height() + 4);
        EXPECT_GE(t->viewport()->height() / t->rowHeight(0), 6);
        EXPECT_LE(t->horizontalHeader()->length(), t->viewport()->width());
        for (int c = 0; c < t->columnCount(); ++c)
            EXPECT_GE(t->columnWidth(c), fm.horizontalAdvance(t->horizontalHeaderItem(c)->text())) << c;
    }
    EXPECT_EQ(window->content()->width(), window->duX(328));

    selectRow("?IMPORTFIELDSLIST", 1);
    selectRow("?TARGETFIELDSLIST", 0);
    EXPECT_EQ(list("?IMPORTFIELDSLIST")->currentRow(), 1);
    list("?IMPORTFIELDSLIST")->setFocus();
    QTest::keyClick(list("?IMPORTFIELDSLIST"), Qt::Key_Tab);
    settle();
    EXPECT_FALSE(list("?IMPORTFIELDSLIST")->hasFocus());
    EXPECT_EQ(list("?IMPORTFIELDSLIST")->currentRow(), 1);
    EXPECT_EQ(list("?TARGETFIELDSLIST")->currentRow(), 0);
    press("?CANCELBUTTON");
}

TEST_F(Wizard, ButtonsNextAutoAndOkWithNothingAssigned)
{
    ASSERT_TRUE(open("WRK:GROUP,b\n\nx,\"y\"\n,,\nz\n"));
    press("?OKBUTTON");
    EXPECT_EQ(captions(), std::vector<QString>{
                              "No Fields Selected for Import!: You must select one or more fields to import."});
    EXPECT_TRUE(ui::Scheduler::instance().isRunning(thread));

    press("?NEXTBUTTON");
    EXPECT_EQ(window->control("?RECORDNUMBER")->text(), "2");
    EXPECT_FALSE(button("?AUTOASSIGNBUTTON")->isEnabled());
    EXPECT_EQ(rows("?IMPORTFIELDSLIST"), (std::vector<QString>{"Field_1|Numeric|x", "Field_2|Alpha-num|y"}));
    press("?NEXTBUTTON");  // past the blank lines; a field the line lacks keeps its text
    EXPECT_EQ(window->control("?RECORDNUMBER")->text(), "3");
    EXPECT_EQ(rows("?IMPORTFIELDSLIST"), (std::vector<QString>{"Field_1|Numeric|z", "Field_2|Alpha-num|y"}));
    EXPECT_TRUE(button("?NEXTBUTTON")->isEnabled());
    press("?NEXTBUTTON");
    EXPECT_FALSE(button("?NEXTBUTTON")->isEnabled());
    EXPECT_EQ(window->control("?RECORDNUMBER")->text(), "3");

    // "WRK:GROUP" in capitals is not the target "WRK:Group"; a field may feed two targets
    selectRow("?IMPORTFIELDSLIST", 0);
    assign(0, 1);
    assign(0, 2);
    const std::vector<QString> targets = rows("?TARGETFIELDSLIST");
    EXPECT_EQ(targets[0], "WRK:Group||");
    EXPECT_EQ(targets[1], "WRK:NRAS|=|Field_1");
    EXPECT_EQ(targets[2], "WRK:NAME|=|Field_1");
    selectRow("?TARGETFIELDSLIST", 2);
    press("?UNASSIGNBUTTON");
    EXPECT_EQ(rows("?TARGETFIELDSLIST")[2], "WRK:NAME||");
    press("?CANCELBUTTON");
    EXPECT_TRUE(test::waitEnded(thread));
    EXPECT_TRUE(rates().empty());
}

// A duplicate code stops the run at its line; the rates before it stay.
TEST_F(Wizard, ARepeatedCodeStopsTheRunAndKeepsTheRatesBefore)
{
    ASSERT_TRUE(open("a-1,One\na-2,Two\nA-1,Again\na-3,Three\n"));
    assign(0, 1);
    assign(1, 2);
    importAll();
    EXPECT_EQ(captions(), std::vector<QString>{"Error!: Cannot add record!||(#40 - Недопустимое повторение ключа)"});
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(rates(), (std::vector<QString>{"|a-1|One||0.00|0.00|1", "|a-2|Two||0.00|0.00|1"}));
}

// Values that do not fit and lines that would add a rate no list shows stop the run at their line,
// counted in the file with the header and blank lines.
TEST_F(Wizard, APriceThatDoesNotFitOrALineWithoutCodeAndNameStopsTheRun)
{
    const struct {
        const char* file;
        const char* message;
    } cases[] = {
        {"code,name,price\n\n1-1,One,\"12,5\"\n1-2,Two,\"123456,78\"\n1-3,Three,1\n",
         "Error!: Cannot add record!||(line 4, WRK:CENA_OB: \"123456,78\" is out of range)"},
        {"code,name,price\n1-1,One,\"12,5\"\n,,\"99,00\"\n1-3,Three,1\n",
         "Error!: Cannot add record!||(line 3: no code and no name)"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(open(c.file));
        assign(0, 1);
        assign(1, 2);
        assign(2, 4);
        press("?AUTOASSIGNBUTTON");  // only to tick the strip box
        importAll();
        EXPECT_EQ(captions(), std::vector<QString>{QString::fromUtf8(c.message)});
        EXPECT_EQ(rates(), std::vector<QString>{"|1-1|One||12.50|0.00|1"});
        messages.clear();
        clearRates();
    }
}

TEST_F(Wizard, AThousandLinesTakeFortyTicksAndBlankLinesAddNothing)
{
    std::string file;
    for (int i = 1; i <= 1000; ++i) {
        file += "r-" + std::to_string(i) + ",Rate\r\n";
        if (i % 100 == 0) file += "\r\n,,,,\r\n";
    }
    file += "\r\n\r\n";
    ASSERT_TRUE(open(file));
    assign(0, 1);
    importAll();
    EXPECT_EQ(ticks, std::vector<int>(40, 25));
    EXPECT_EQ(rates().size(), 1000u);
    EXPECT_EQ(percentages.back(), "100% Completed");
    EXPECT_EQ(bar, 100);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Wizard, CancelKeepsWhatWasAdded)
{
    std::string file;
    for (int i = 1; i <= 200; ++i) file += "r-" + std::to_string(i) + "\n";
    ASSERT_TRUE(open(file));
    assign(0, 1);
    cancelAfterTicks = 1;
    importAll();
    ASSERT_GE(ticks.size(), 1u);
    EXPECT_LT(ticks.size(), 8u);
    EXPECT_EQ(rates().size(), 25 * ticks.size());
}

TEST_F(Wizard, AReadErrorStopsTheRunWithItsMessage)
{
    std::string file;
    for (int i = 1; i <= 60; ++i) file += "r-" + std::to_string(i) + "\n";
    ASSERT_TRUE(open(file));
    assign(0, 1);
    InjectImportReadError(30, EIO);
    importAll();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].caption.startsWith("Cannot READ ")) << messages.shown()[0].caption.toStdString();
    EXPECT_TRUE(messages.shown()[0].text.startsWith("Error #90 - EIO"));
    EXPECT_EQ(rates().size(), 29u);
}

// Price lists as the spreadsheets write them: LibreOffice Calc (LF, UTF-8, quotes where needed)
// and Excel with a comma separator (CR LF, windows-1251, rows of empty cells, an empty last line).
TEST_F(Wizard, RealFilesGiveExactlyTheirRates)
{
    const std::string calc = "\xEF\xBB\xBF" "WRK:Group,WRK:NRAS,WRK:NAME,WRK:EDIZM,WRK:CENA_OB,WRK:CENA_TZ\n"
                             "01,01-001,\"Кладка стен, кирпич \"\"М150\"\"\",м3,\"1234,56\",\"-3,5\"\n"
                             "01,01-002,Штукатурка,м2,\"0,005\",12\n";
    const std::string excel = codepage::utf8ToCp1251("WRK:Group,WRK:NRAS,WRK:NAME,WRK:EDIZM,WRK:CENA_OB,WRK:CENA_TZ\r\n"
                                                     "01,01-001,\"Кладка стен, кирпич \"\"М150\"\"\",м3,\"1234,56\",\"-3,5\"\r\n"
                                                     ",,,,,\r\n"
                                                     "01,01-002,Штукатурка,м2,\"0,005\",12\r\n"
                                                     ",,,,,\r\n\r\n");
    for (const std::string& file : {calc, excel}) {
        ASSERT_TRUE(open(file));
        press("?AUTOASSIGNBUTTON");
        importAll();
        EXPECT_TRUE(messages.shown().empty());
        EXPECT_EQ(rates(), (std::vector<QString>{"01|01-001|Кладка стен, кирпич \"М150\"|м3|1234.56|-3.50|1",
                                                 "01|01-002|Штукатурка|м2|0.01|12.00|1"}));
        clearRates();
    }
}

}  // namespace

namespace {

// "&Вид" gives a column a picture: dates become their day numbers.
TEST_F(Wizard, APictureFromVidTurnsDatesIntoDayNumbers)
{
    ASSERT_TRUE(open("1-1,01/02/2009\n1-2,15/03/2009\n"));
    selectRow("?IMPORTFIELDSLIST", 1);
    button("?PICTUREBUTTON")->click();
    ui::Window* picture = test::waitWindowTitled(thread, "Enter Picture...");
    ASSERT_TRUE(picture);
    auto* entry = qobject_cast<QLineEdit*>(picture->control("?L_PICTURE")->widget());
    EXPECT_EQ(entry->text(), "@N30.9");
    entry->selectAll();
    QTest::keyClicks(entry, "@D6");
    static_cast<QPushButton*>(picture->control("?OKBUTTON")->widget())->click();
    settle();
    EXPECT_EQ(rows("?IMPORTFIELDSLIST")[1], "Field_2|@D6|01/02/2009");
    assign(0, 1);
    assign(1, 12);  // WRK:METKA
    importAll();
    EXPECT_TRUE(messages.shown().empty());
    const std::vector<QString> metka = stored(FileId::Raszenki, [] {
        return QString::fromStdString(WRK().METKA.value().toPlainString());
    });
    EXPECT_EQ(metka, (std::vector<QString>{QString::number(dates::fromYmd(2009, 2, 1)),
                                           QString::number(dates::fromYmd(2009, 3, 15))}));
}

}  // namespace
