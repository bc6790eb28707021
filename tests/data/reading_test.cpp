// Reading by key through the access manager: a record that is not there is no error, a read
// that fails is reported.

#include "tests/data/data_test.h"

namespace {

using records::Level;
using test::rate;

class Reading : public test::DataTest {
protected:
    Reading()
    {
        EXPECT_EQ(Relate(FileId::Raszenki).Open(), Level::Benign);
        store(FileId::Raszenki, rate("G", "R-1", "first"));
    }
    ~Reading() override { Relate(FileId::Raszenki).Close(); }

    static Level fetchRate(const char* code)
    {
        WRK() = rate("", code);
        return Access(FileId::Raszenki).TryFetch(RaszenkiLayout().keyIndex("WRK:ONSPRAVOCH"));
    }
};

TEST_F(Reading, AMissingRecordIsNoError)
{
    EXPECT_EQ(fetchRate("r-1"), Level::Benign);
    EXPECT_EQ(WRK().NAME, QStringLiteral("first"));
    EXPECT_EQ(fetchRate("R-2"), Level::Notify);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Reading, ARecordHeldByAnotherProgramsWriteIsReported)
{
    Relate(FileId::Raszenki).Close();
    test::OtherProgram other("RASZENKI.TPS", "BEGIN EXCLUSIVE");
    ASSERT_EQ(Relate(FileId::Raszenki).Open(), Level::Benign);
    ASSERT_TRUE(other.lock());
    EXPECT_EQ(fetchRate("R-1"), Level::Notify);
    other.release();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Запись не читается"));
    EXPECT_EQ(messages.shown()[0].text,
              QStringLiteral("Запись захвачена другой рабочей станцией, невозможно чтение файла RASZENKI."));
    EXPECT_EQ(fetchRate("R-1"), Level::Benign);
}

TEST_F(Reading, AReadThatFailsOtherwiseIsReported)
{
    RawConnection("RASZENKI.TPS").exec("ALTER TABLE records RENAME COLUMN NRAS TO CODE");
    EXPECT_EQ(fetchRate("R-1"), Level::Notify);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка доступа к записи"));
    EXPECT_TRUE(messages.shown()[0].text.startsWith(QStringLiteral("Ошибка: (Ошибка в запросе к файлу (1)) возникла")))
        << messages.shown()[0].text.toStdString();
    EXPECT_TRUE(messages.shown()[0].text.endsWith(
        QStringLiteral(" при доступе к файлу RASZENKI.  Возвращаемся к предыдущему окну.")));
    EXPECT_EQ(fatalErrors, 0);
}

}  // namespace
