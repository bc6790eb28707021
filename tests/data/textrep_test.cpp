// `textrep`: the plain text file "TEXTREP" of the text reports, one line per record appended
// in the DOS code page.

#include "tests/data/data_test.h"

#include "platform/core/codepage.h"

#include <sys/stat.h>

namespace {

using records::Level;

class Textrep : public test::DataTest {
protected:
    static void append(const std::string& cp1251)
    {
        TEX().CURSTRING.setBytes(cp1251);
        ASSERT_EQ(Access(FileId::textrep).Insert(), Level::Benign);
    }
    static std::string dos(const char* utf8) { return codepage::toCp866(QString::fromUtf8(utf8)); }
};

TEST_F(Textrep, EachInsertAppendsOneLineInTheDosCodePage)
{
    {
        QFile old(QStringLiteral("TEXTREP"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("kept\r\n");
    }
    ASSERT_EQ(Relate(FileId::textrep).Open(), Level::Benign);
    EXPECT_EQ(Access(FileId::textrep).FILENAMEVALUE, QStringLiteral("TEXTREP"));
    TEX().CURSTRING = "left over";
    ASSERT_EQ(Access(FileId::textrep).PrimeRecord(), Level::Benign);
    EXPECT_TRUE(TEX().CURSTRING.isBlank());

    append(cp("Смета №1 ") + "   ");
    append("");
    append("\x0e" + std::string(14, ' ') + cp("СМЕТА"));
    // a second user on the thread (a nested report) shares the open file
    ASSERT_EQ(Relate(FileId::textrep).Open(), Level::Benign);
    append(std::string(199, '-') + cp("ё"));
    Relate(FileId::textrep).Close();
    append(
        "\x1b"
        "F");
    Relate(FileId::textrep).Close();
    EXPECT_EQ(Access(FileId::textrep).USED, 0);

    const std::string expected = "kept\r\n" + dos("Смета №1") + "\r\n" + "\r\n" + "\x0e" + std::string(14, ' ') +
                                 dos("СМЕТА") + "\r\n" + std::string(199, '-') + dos("ё") + "\r\n" +
                                 "\x1b"
                                 "F\r\n";
    EXPECT_EQ(bytesOf("TEXTREP").toStdString(), expected);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Textrep, AMissingFileIsCreatedEmptyWhenOpened)
{
    ASSERT_EQ(Relate(FileId::textrep).Open(), Level::Benign);
    EXPECT_TRUE(QFile::exists(QStringLiteral("TEXTREP")));
    EXPECT_EQ(QFile(QStringLiteral("TEXTREP")).size(), 0);
    Relate(FileId::textrep).Close();
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Textrep, AReadOnlyFileOpensReadOnlyAndTakesNoLine)
{
    {
        QFile old(QStringLiteral("TEXTREP"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("kept\r\n");
    }
    ASSERT_EQ(::chmod("TEXTREP", 0444), 0);
    ASSERT_EQ(Relate(FileId::textrep).Open(), Level::Benign);
    TEX().CURSTRING = "more";
    EXPECT_EQ(Access(FileId::textrep).Insert(), Level::Notify);
    Relate(FileId::textrep).Close();
    EXPECT_EQ(captions(),
              (std::vector<QString>{QStringLiteral("Доступ запрещен"), QStringLiteral("Ошибка добавления записи")}));
    EXPECT_EQ(messages.shown()[0].text,
              QStringLiteral("Невозможно производить запись в файл TEXTREP поэтому осуществляется только чтение."));
    EXPECT_EQ(bytesOf("TEXTREP"), QByteArray("kept\r\n"));
}

using TextrepDeathTest = Textrep;

TEST_F(TextrepDeathTest, TheKeyedOperationsAreNotForTheTextFile)
{
    ASSERT_EQ(Relate(FileId::textrep).Open(), Level::Benign);
    EXPECT_DEATH(Access(FileId::textrep).file(), "text file textrep");
    EXPECT_DEATH(Relate(FileId::textrep).Update(), "text file textrep");
    Relate(FileId::textrep).Close();
}

}  // namespace
