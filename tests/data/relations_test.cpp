// The relation managers: opening a file with its related files, and the cascades from an
// estimate header to its sections, work lines and materials, all or nothing.

#include "tests/data/data_test.h"

#include <chrono>
#include <functional>

namespace {

using records::Level;
using test::header;
using test::line;
using test::section;

// Estimate 1 has 3 sections and 40 work lines; estimate 2 one section, 2 lines and a material.
class Relations : public test::DataTest {
protected:
    Relations()
    {
        EXPECT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
        store(FileId::Headers, header(1));
        for (int s = 1; s <= 3; ++s) {
            store(FileId::GroupsWks, section(1, s));
            for (int n = 1; n <= (s == 3 ? 14 : 13); ++n) store(FileId::WrksInSmt, line(1, s, n));
        }
        store(FileId::Headers, header(2));
        store(FileId::GroupsWks, section(2, 1));
        for (int n = 1; n <= 2; ++n) store(FileId::WrksInSmt, line(2, 1, n));
        MATSRecord material;
        material.CODE = 2;
        material.NPP = 1;
        store(FileId::MATS, material);
    }
    ~Relations() override { Relate(FileId::Headers).Close(); }

    // Reads estimate `number`'s header into the buffer: the record a delete or update acts on.
    static void readHeader(int number)
    {
        DFL().NUMBER = std::int16_t(number);
        ASSERT_EQ(Access(FileId::Headers).TryFetch(0), Level::Benign);
    }

    // The records of estimate `number`: header, sections, work lines, materials.
    static std::vector<std::int64_t> recordsOf(int number)
    {
        const std::string n = std::to_string(number);
        return {countOf(FileId::Headers, "NUMBER = " + n), countOf(FileId::GroupsWks, "NUMSMET = " + n),
                countOf(FileId::WrksInSmt, "CODER = " + n), countOf(FileId::MATS, "CODE = " + n)};
    }
    using Counts = std::vector<std::int64_t>;
    const Counts estimate1{1, 3, 40, 0};
    const Counts estimate2{1, 1, 2, 1};
    const Counts none{0, 0, 0, 0};
};

TEST_F(Relations, OpeningAFileMarksEveryFileRelatedToItAsOpened)
{
    auto opened = [] {
        std::vector<int> out;
        for (FileId id : kFileOrder) out.push_back(Access(id).OPENED);
        return out;
    };
    // in the order Headers, MATS, MatLst, WrksInSmt, Raszenki, NSBRAZ, textrep, EdIzmer, GroupsWks
    EXPECT_EQ(opened(), (std::vector<int>{1, 1, 1, 1, 0, 0, 0, 1, 1}));
    EXPECT_EQ(Relate(FileId::NSBRAZ).Open(), Level::Benign);
    EXPECT_EQ(opened(), (std::vector<int>{1, 1, 1, 1, 1, 1, 0, 1, 1}));
    EXPECT_EQ(Relate(FileId::EdIzmer).Open(), Level::Benign);
    EXPECT_EQ(opened(), (std::vector<int>{2, 2, 2, 2, 1, 1, 0, 2, 2}));
    EXPECT_EQ(Access(FileId::EdIzmer).USED, 1);   // really open: the file it was called for
    EXPECT_EQ(Access(FileId::Raszenki).USED, 0);  // only marked until its first use

    Relate(FileId::EdIzmer).Close();
    Relate(FileId::NSBRAZ).Close();
    EXPECT_EQ(opened(), (std::vector<int>{1, 1, 1, 1, 0, 0, 0, 1, 1}));
    EXPECT_EQ(Access(FileId::Headers).USED, 1);
    Relate(FileId::Headers).Close();
    EXPECT_EQ(opened(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Access(FileId::Headers).USED, 0);
    EXPECT_EQ(Relate(FileId::Headers).Open(), Level::Benign);  // for the fixture's close
}

TEST_F(Relations, DeletingAHeaderDeletesItsSectionsLinesAndMaterials)
{
    readHeader(1);
    EXPECT_EQ(Relate(FileId::Headers).Delete(false), Level::Benign);
    EXPECT_EQ(recordsOf(1), none);  // all 44 records
    EXPECT_EQ(recordsOf(2), estimate2);
    readHeader(2);
    EXPECT_EQ(Relate(FileId::Headers).Delete(false), Level::Benign);
    EXPECT_EQ(recordsOf(2), none);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Relations, ADeleteFailingHalfWayThroughTheCascadeLeavesEveryRecord)
{
    // the 20th work line refuses to go
    RawConnection("WRKSINSM.TPS")
        .exec(
            "CREATE TABLE deletes (n INTEGER); INSERT INTO deletes VALUES (0);"
            "CREATE TRIGGER refuse BEFORE DELETE ON records BEGIN UPDATE deletes SET n = n + 1;"
            " SELECT RAISE(ABORT, 'refused') WHERE (SELECT n FROM deletes) = 20; END");
    readHeader(1);
    messages.answer(BUTTON_OK);
    messages.answer(BUTTON_NO);
    EXPECT_EQ(Relate(FileId::Headers).Delete(false), Level::Notify);
    EXPECT_EQ(recordsOf(1), estimate1);
    EXPECT_EQ(recordsOf(2), estimate2);
    EXPECT_EQ(captions(),
              (std::vector<QString>{QStringLiteral("Запись не удаляется"), QStringLiteral("Ошибка удаления записи")}));
    EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("(Запись нарушает ограничение файла (1811))")))
        << messages.shown()[0].text.toStdString();
}

TEST_F(Relations, AFailedDeleteIsTriedAgainOnYes)
{
    RawConnection("GROUPSWK.TPS")
        .exec("CREATE TRIGGER refuse BEFORE DELETE ON records BEGIN SELECT RAISE(ABORT, 'refused'); END");
    test::MessagesActing acting(QStringLiteral("Ошибка удаления записи"),
                          [] { RawConnection("GROUPSWK.TPS").exec("DROP TRIGGER refuse"); });
    acting.answer(BUTTON_OK);
    acting.answer(BUTTON_YES);
    GRO() = section(2, 1);
    ASSERT_EQ(Access(FileId::GroupsWks).TryFetch(0), Level::Benign);
    EXPECT_EQ(Relate(FileId::GroupsWks).Delete(false), Level::Benign);
    EXPECT_EQ(countOf(FileId::GroupsWks, "NUMSMET = 2"), 0);
    ASSERT_EQ(acting.shown().size(), 2u);
    EXPECT_EQ(acting.shown()[1].caption, QStringLiteral("Ошибка удаления записи"));
}

TEST_F(Relations, ADeleteAskedToConfirmDeletesOnlyOnYes)
{
    struct Case {
        unsigned answer;
        Level result;
        Counts left;
    };
    for (const Case& c : {Case{BUTTON_NO, Level::Cancel, estimate2}, Case{BUTTON_YES, Level::Benign, none}}) {
        messages.clear();
        readHeader(2);
        messages.answer(c.answer);
        EXPECT_EQ(Relate(FileId::Headers).Delete(true), c.result);
        EXPECT_EQ(recordsOf(2), c.left);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Подтвердите Удаление"));
        EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Вы уверены что желаете удалить выделенную запись?"));
    }
}

TEST_F(Relations, ANewHeaderNumberReachesItsSectionsLinesAndMaterials)
{
    readHeader(1);
    DFL().NUMBER = 5;
    EXPECT_EQ(Relate(FileId::Headers).Update(), Level::Benign);
    readHeader(2);
    DFL().NUMBER = 6;
    EXPECT_EQ(Relate(FileId::Headers).Update(), Level::Benign);
    EXPECT_EQ(recordsOf(1), none);
    EXPECT_EQ(recordsOf(2), none);
    EXPECT_EQ(recordsOf(5), estimate1);
    EXPECT_EQ(recordsOf(6), estimate2);
    // the lines keep their sections and numbers
    EXPECT_EQ(countOf(FileId::WrksInSmt, "CODER = 5 AND GRINSMETA = 3 AND NUMINGROUP = 14"), 1);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Relations, AChangeThatCannotReachAReadOnlyChildLeavesTheHeader)
{
    Relate(FileId::Headers).Close();
    ASSERT_EQ(::chmod("WRKSINSM.TPS", 0444), 0);
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    readHeader(1);
    DFL().NUMBER = 5;
    EXPECT_EQ(Relate(FileId::Headers).Update(), Level::Notify);
    readHeader(1);
    EXPECT_EQ(Relate(FileId::Headers).Delete(false), Level::Notify);
    EXPECT_EQ(recordsOf(1), estimate1);
    EXPECT_EQ(recordsOf(5), none);
    EXPECT_EQ(captions(),
              (std::vector<QString>{QStringLiteral("Запись не обновляется"), QStringLiteral("Запись не удаляется"),
                                    QStringLiteral("Ошибка удаления записи")}));
}

TEST_F(Relations, ARecordAnotherThreadDeletedIsNeverWrittenOverAnother)
{
    NSB() = line(2, 1, 2);
    ASSERT_EQ(Access(FileId::WrksInSmt).TryFetch(0), Level::Benign);

    ThreadData other{3};
    ThreadState::setCurrent(&other);
    ASSERT_EQ(Relate(FileId::WrksInSmt).Open(), Level::Benign);
    NSB() = line(2, 1, 2);
    ASSERT_EQ(Access(FileId::WrksInSmt).TryFetch(0), Level::Benign);
    ASSERT_EQ(Relate(FileId::WrksInSmt).Delete(false), Level::Benign);
    NSB() = line(2, 1, 0);
    ASSERT_EQ(Access(FileId::WrksInSmt).PrimeRecord(true), Level::Benign);  // takes number 2 again
    Relate(FileId::WrksInSmt).Close();
    ThreadState::setCurrent(&thread);

    NSB().NAME = "stale";
    messages.answer(BUTTON_OK);
    EXPECT_EQ(Relate(FileId::WrksInSmt).Update(), Level::Notify);
    messages.answer(BUTTON_OK);
    messages.answer(BUTTON_NO);
    EXPECT_EQ(Relate(FileId::WrksInSmt).Delete(false), Level::Notify);
    EXPECT_EQ(captions(), (std::vector<QString>{QStringLiteral("Запись не обновляется"),
                                                QStringLiteral("Запись не удаляется"),
                                                QStringLiteral("Ошибка удаления записи")}));
    EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("Запись не найдена (35)")));
    EXPECT_EQ(countOf(FileId::WrksInSmt, "CODER = 2 AND NUMINGROUP = 2"), 1);
    EXPECT_EQ(countOf(FileId::WrksInSmt, "NAME = 'stale'"), 0);
}

TEST_F(Relations, AnotherProgramHoldingTheLockCancelsTheUpdateAfterTwoSeconds)
{
    Relate(FileId::Headers).Close();
    test::OtherProgram other("HEADERS.TPS", "BEGIN IMMEDIATE");
    ASSERT_TRUE(other.lock());

    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    readHeader(1);
    DFL().NUMBER = 5;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Relate(FileId::Headers).Update(), Level::Notify);
    const auto waited = std::chrono::steady_clock::now() - start;
    other.release();

    EXPECT_GE(waited, std::chrono::milliseconds(1800));
    EXPECT_LT(waited, std::chrono::milliseconds(5000));
    EXPECT_EQ(captions(), std::vector<QString>{QStringLiteral("Транзакция отменена")});
    EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("для HEADERS.")));
    EXPECT_EQ(recordsOf(1), estimate1);
    // the lock gone, the same change goes through
    messages.clear();
    EXPECT_EQ(Relate(FileId::Headers).Update(), Level::Benign);
    EXPECT_EQ(recordsOf(5), estimate1);
}

// A write locks exactly the files its rules reach, whatever this thread wrote before: while
// another program holds the sections file, a new header and a header's new name are stored at
// once, and a new header number (which reaches the sections) is refused whole, before and
// after a cascade went through on the same connection.
TEST_F(Relations, ASectionsFileAnotherProgramHoldsRefusesOnlyTheWritesThatReachIt)
{
    Relate(FileId::Headers).Close();
    test::OtherProgram before("GROUPSWK.TPS", "BEGIN IMMEDIATE"), after("GROUPSWK.TPS", "BEGIN IMMEDIATE");
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    using std::chrono::milliseconds;
    auto took = [](const std::function<void()>& run) {
        const auto start = std::chrono::steady_clock::now();
        run();
        return std::chrono::steady_clock::now() - start;
    };
    auto unaffectedAndRefused = [&] {
        messages.clear();
        const auto storing = took([] {
            ASSERT_EQ(Access(FileId::Headers).PrimeRecord(), Level::Benign);
            DFL().NAME = "Новая";
            EXPECT_EQ(Access(FileId::Headers).Insert(), Level::Benign);
            readHeader(1);
            DFL().NAME = "Переименована";
            EXPECT_EQ(Relate(FileId::Headers).Update(), Level::Benign);
        });
        EXPECT_LT(storing, milliseconds(1000));
        EXPECT_TRUE(messages.shown().empty());

        readHeader(1);
        DFL().NUMBER = 50;
        const auto renumbering = took([] { EXPECT_EQ(Relate(FileId::Headers).Update(), Level::Notify); });
        EXPECT_GE(renumbering, milliseconds(1800));
        EXPECT_EQ(captions(), std::vector<QString>{QStringLiteral("Транзакция отменена")});
        EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("для HEADERS.")));
        EXPECT_EQ(recordsOf(1), estimate1);
        EXPECT_EQ(recordsOf(50), none);
    };

    ASSERT_TRUE(before.lock());
    unaffectedAndRefused();
    before.release();

    readHeader(2);
    DFL().NUMBER = 6;
    ASSERT_EQ(Relate(FileId::Headers).Update(), Level::Benign);
    ASSERT_EQ(recordsOf(6), estimate2);

    ASSERT_TRUE(after.lock());
    unaffectedAndRefused();
}

TEST_F(Relations, AForeignRelatedFileIsNamedByItsOwnName)
{
    Relate(FileId::Headers).Close();
    {
        QFile f(QStringLiteral("GROUPSWK.TPS"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("not a record file");
    }
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    readHeader(1);
    DFL().NUMBER = 5;
    EXPECT_EQ(Relate(FileId::Headers).Update(), Level::Notify);
    EXPECT_EQ(captions(), std::vector<QString>{QStringLiteral("Транзакция отменена")});
    EXPECT_TRUE(messages.shown()[0].text.endsWith(QStringLiteral("для GROUPSWK.")));
    EXPECT_EQ(countOf(FileId::Headers, "NUMBER = 1"), 1);
    EXPECT_EQ(bytesOf("GROUPSWK.TPS"), QByteArray("not a record file"));
}

}  // namespace
