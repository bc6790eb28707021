// The reader on a logical thread: choosing and opening the source (empty, missing, long names),
// the code page found at opening, records and the lines passed over, read errors, and the picture
// dialog.
#include "catalogue/import/csv_reader.h"
#include "catalogue/import/enter_picture.h"
#include "catalogue/import/text/csv_field.h"
#include "platform/core/codepage.h"
#include "platform/core/dates.h"
#include "platform/core/regional.h"
#include "platform/ui/threads/dialog_script.h"
#include "tests/catalogue/import/import_files.h"
#include "tests/support/cp1251.h"
#include "tests/support/test_threads.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cerrno>

namespace {

using Record = std::vector<QString>;
using Records = std::vector<Record>;

struct Reader : test::ThreadsFixture {
    Reader() { regional::installProgramSettings(); }
    ~Reader() override
    {
        ui::resetDialogScript();
        InjectImportReadError(0, 0);
    }

    // Every record of the file with the bytes read: fields as the system holds them.
    Records readAll(const QString& file, std::uint64_t* bytesRead = nullptr, std::int64_t* size = nullptr)
    {
        Records records;
        onThread([&] {
            const std::int64_t s = ChooseImportFile(file);
            if (size) *size = s;
            if (s == 0) return;
            std::uint64_t total = 0, bytes = 0;
            while (ReadNextCsvRecord(bytes) == CsvRead::Line) {
                total += bytes;
                Record r;
                while (NextCsvField() != CsvField::None) r.push_back(codepage::fromCp1251(ThreadData::current().ImportFieldValue));
                records.push_back(r);
            }
            total += bytes;
            if (bytesRead) *bytesRead = total;
            CloseImportFile();
        });
        return records;
    }
};

TEST_F(Reader, EmptyFilesAreRefusedAndTheDialogComesAgain)
{
    for (const std::string& bytes : {std::string(), std::string("\r\n\n  \r\n,,,,\r\n\" \",\r\n")}) {
        const QString empty = test::writeImportFile("empty.csv", bytes);
        const QString good = test::writeImportFile("rates.csv", "1-1,Кладка\n");
        ui::scriptFileName(empty);
        ui::scriptFileName(good);
        std::int64_t size = -1;
        onThread([&] {
            size = ChooseImportFile();
            CloseImportFile();
        });
        EXPECT_EQ(size, QFileInfo(good).size());
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].text, "Этот файл пуст!  Пожалуйста выберите другой файл.");
        EXPECT_EQ(messages.shown()[0].caption, "Внимание!");
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
        messages.clear();

        ui::scriptFileName(empty);
        ui::scriptFileName(QString());  // cancelled
        onThread([&] { size = ChooseImportFile(); });
        EXPECT_EQ(size, 0);
        EXPECT_EQ(messages.shown().size(), 1u);
        messages.clear();
    }
}

TEST_F(Reader, AMissingFileIsToldAndALongPathOpens)
{
    const QString missing = QDir::current().filePath("missing.csv");
    ui::scriptFileName(missing);
    std::int64_t size = -1;
    onThread([&] { size = ChooseImportFile(); });
    EXPECT_EQ(size, 0);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Error #2 - " + ErrorText(2));
    EXPECT_EQ(messages.shown()[0].caption, "Cannot OPEN " + missing);
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Hand);

    const QString folder = QString(60, u'd') + "/" + QString(60, u'e');
    ASSERT_TRUE(QDir::current().mkpath(folder));
    const QString longPath = test::writeImportFile(folder + "/rates.csv", "1-1,Кладка\n");
    ASSERT_GT(longPath.size(), 80);
    EXPECT_EQ(readAll(longPath), (Records{{"1-1", "Кладка"}}));
}

// The same rates in each encoding; a file that is UTF-8 but for one byte is windows-1251 throughout.
TEST_F(Reader, TheCodePageIsFoundAtOpening)
{
    const Records rates = {{"WRK:NRAS", "WRK:NAME"}, {"1-1", "Кладка «стен»"}, {"1-2", "Штукатурка, м²"}};
    const std::string utf8 = "WRK:NRAS,WRK:NAME\n1-1,Кладка «стен»\n1-2,\"Штукатурка, м²\"\n";
    const Records inCp1251 = {{"WRK:NRAS", "WRK:NAME"}, {"1-1", "Кладка «стен»"}, {"1-2", "Штукатурка, м?"}};
    EXPECT_EQ(readAll(test::writeImportFile("a.csv", codepage::utf8ToCp1251(utf8))), inCp1251);
    EXPECT_EQ(readAll(test::writeImportFile("b.csv", "\xEF\xBB\xBF" + utf8)), inCp1251);
    EXPECT_EQ(readAll(test::writeImportFile("c.csv", utf8)), inCp1251);

    std::string bad = utf8;
    bad.insert(bad.size() - 3, "\xFF");
    const Records asBytes = readAll(test::writeImportFile("d.csv", bad));
    ASSERT_EQ(asBytes.size(), 3u);
    EXPECT_EQ(asBytes[1][1], codepage::fromCp1251(std::string("Кладка «стен»")));
}

// Blank lines and rows of empty cells are no records, but their bytes count, up to the end.
TEST_F(Reader, BlankLinesArePassedOverAndTheirBytesCount)
{
    const std::string bytes = "\r\na,1\r\n,,,,\r\n   \r\n\"\",\" \"\r\nb,2\r\n\r\n,,\r\n";
    std::uint64_t read = 0;
    std::int64_t size = 0;
    EXPECT_EQ(readAll(test::writeImportFile("blank.csv", bytes), &read, &size), (Records{{"a", "1"}, {"b", "2"}}));
    EXPECT_EQ(size, std::int64_t(bytes.size()));
    EXPECT_EQ(read, bytes.size());
}

TEST_F(Reader, AReadErrorIsToldApartFromTheEnd)
{
    const QString file = test::writeImportFile("rates.csv", "a\nb\nc\n");
    InjectImportReadError(2, EIO);
    std::vector<CsvRead> reads;
    onThread([&] {
        ASSERT_GT(ChooseImportFile(file), 0);
        std::uint64_t bytes = 0;
        reads.push_back(ReadNextCsvLine(bytes));
        reads.push_back(ReadNextCsvLine(bytes));
        ReportImportReadError();
        CloseImportFile();
    });
    EXPECT_EQ(reads, (std::vector<CsvRead>{CsvRead::Line, CsvRead::Error}));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Cannot READ " + file);
    EXPECT_TRUE(messages.shown()[0].text.startsWith("Error #90 - EIO")) << messages.shown()[0].text.toStdString();
}

// --- the picture dialog

struct PictureDialog : test::ThreadsFixture {
    // Runs EnterPicture on a thread; `act` works its window.
    QString run(const QString& picture, const std::function<void(ui::Window&)>& act)
    {
        QString result = QStringLiteral("unset");
        const ui::ThreadId thread = test::start([&] { result = EnterPicture(picture); });
        ui::Window* w = test::waitWindowTitled(thread, "Enter Picture...");
        EXPECT_TRUE(w);
        if (w) act(*w);
        EXPECT_TRUE(test::waitEnded(thread));
        return result;
    }
    static QLineEdit* entry(ui::Window& w) { return qobject_cast<QLineEdit*>(w.control("?L_PICTURE")->widget()); }
    static void press(ui::Window& w, const char* name)
    {
        static_cast<QPushButton*>(w.control(QString::fromLatin1(name))->widget())->click();
        test::pump();
    }
    static void typeOver(ui::Window& w, const QString& text)
    {
        QLineEdit* e = entry(w);
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
        test::pump();
    }
};

TEST_F(PictureDialog, OkGivesTheEntryAndCancelOrCloseABlank)
{
    EXPECT_EQ(run("@S1000", [](ui::Window& w) {
                  EXPECT_EQ(entry(w)->text(), "@S1000");
                  typeOver(w, "@D6");
                  press(w, "?OKBUTTON");
              }),
              "@D6");
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(run("@S1000", [](ui::Window& w) {
                  typeOver(w, "@D6");
                  press(w, "?CANCELBUTTON");
              }),
              "");
    EXPECT_EQ(run("@S1000", [](ui::Window& w) { w.post(EVENT::CloseWindow); }), "");
}

TEST_F(PictureDialog, APictureWithoutTheAtSignIsToldButOkTakesIt)
{
    EXPECT_EQ(run("@S1000", [&](ui::Window& w) {
                  typeOver(w, "N10");
                  ASSERT_EQ(messages.shown().size(), 1u);
                  EXPECT_EQ(messages.shown()[0].text, "Pictures must begin with \"@\"");
                  EXPECT_EQ(messages.shown()[0].caption, "Invalid Picture!");
                  EXPECT_EQ(QApplication::focusWidget(), entry(w));
                  press(w, "?OKBUTTON");
              }),
              "N10");
}

}  // namespace
