// Priming new records: the next number within the leading key components, the defaults, the
// record added at once and removed again by a cancel, and numbers that never wrap.

#include "tests/data/data_test.h"

#include "platform/core/dates.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <numeric>

namespace {

using records::Level;
using test::header;
using test::line;

class Priming : public test::DataTest {
protected:
    // The file's auto-numbered key and component (its index among the key's components).
    static std::pair<const records::Key*, int> autoNumbered(FileId id)
    {
        const FileDefinition& d = definitionOf(id);
        for (const KeyDefinition& k : d.keys)
            if (k.autoIncComponent > 0)
                return {&d.layout().keys[std::size_t(d.layout().keyIndex(k.key))], k.autoIncComponent - 1};
        return {nullptr, 0};
    }

    // Sets the first components of the file's auto-numbered key in the thread's buffer.
    static void setKey(FileId id, const std::vector<int>& values)
    {
        const auto [key, component] = autoNumbered(id);
        const records::Layout& layout = definitionOf(id).layout();
        void* buffer = ThreadData::current().bufferOf(id);
        for (std::size_t i = 0; i < values.size(); ++i)
            layout.columns[std::size_t(key->components[i])].setInteger(buffer, values[i]);
    }

    static std::int64_t numberInBuffer(FileId id)
    {
        const auto [key, component] = autoNumbered(id);
        const records::Layout& layout = definitionOf(id).layout();
        return layout.columns[std::size_t(key->components[std::size_t(component)])].getInteger(
            ThreadData::current().bufferOf(id));
    }

    // Adds records with the given values of the auto-numbered key, the rest blank.
    static void storeKeys(FileId id, const std::vector<std::vector<int>>& keys)
    {
        ASSERT_EQ(Access(id).UseFile(), Level::Benign);
        for (const std::vector<int>& values : keys) {
            definitionOf(id).layout().clear(ThreadData::current().bufferOf(id));
            setKey(id, values);
            ASSERT_EQ(Access(id).file().add(), 0);
        }
    }
};

TEST_F(Priming, NumbersTheNewRecordAfterTheLastOneWithItsLeadingValues)
{
    struct Case {
        const char* what;
        FileId id;
        std::vector<std::vector<int>> existing;
        std::vector<int> leading;
        int expected;
    };
    const std::vector<std::vector<int>> lines = {{7, 2, 1}, {7, 2, 2}, {7, 2, 5}, {7, 3, 9}, {8, 2, 7}, {7, 1, 8}};
    const Case cases[] = {
        {"line of section 2 of estimate 7", FileId::WrksInSmt, lines, {7, 2}, 6},
        {"line of an empty section", FileId::WrksInSmt, lines, {7, 4}, 1},
        {"line of an estimate without lines", FileId::WrksInSmt, lines, {9, 2}, 1},
        {"section", FileId::GroupsWks, {{7, 1}, {7, 3}, {8, 5}}, {7}, 4},
        {"material of an estimate", FileId::MATS, {{7, 1}, {7, 4}, {8, 6}}, {7}, 5},
        {"header after 1, 2 and 9", FileId::Headers, {{1}, {9}, {2}}, {}, 10},
        {"first header", FileId::Headers, {}, {}, 1},
        {"list material", FileId::MatLst, {{3}}, {}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempWorkDir caseDir;
        ThreadData caseThread{3};
        ThreadState::setCurrent(&caseThread);
        ASSERT_EQ(Relate(c.id).Open(), Level::Benign);
        storeKeys(c.id, c.existing);
        setKey(c.id, c.leading);
        ASSERT_EQ(Access(c.id).PrimeRecord(true), Level::Benign);
        EXPECT_EQ(numberInBuffer(c.id), c.expected);
        EXPECT_EQ(Access(c.id).AUTOINCDONE, 1);
        EXPECT_EQ(countOf(c.id), std::int64_t(c.existing.size()) + 1);  // added at once
        Relate(c.id).Close();
        ThreadState::setCurrent(&thread);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Priming, ANewHeaderIsAddedAtOnceWithItsDefaultsAndCancellingRemovesIt)
{
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    DFL() = header(0, "kept");
    DFL().DOPNACH1 = Decimal(5);
    DFL().DOPNACH2_1 = Decimal(6);
    DFL().KNDS = Decimal(18);
    DFL().DOPNACH3 = Decimal(7);
    ASSERT_EQ(Access(FileId::Headers).PrimeRecord(true), Level::Benign);

    ThreadData other{3};
    ThreadState::setCurrent(&other);
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    DFL().NUMBER = 1;
    ASSERT_EQ(Access(FileId::Headers).TryFetch(0), Level::Benign);  // in the file before any form opens
    const HeadersRecord stored = DFL();
    Relate(FileId::Headers).Close();
    ThreadState::setCurrent(&thread);

    for (const HeadersRecord* r : {static_cast<const HeadersRecord*>(&DFL()), &stored}) {
        EXPECT_EQ(r->ZAK_DOL, QStringLiteral("Директор"));
        EXPECT_EQ(r->DATEACT, dates::today());
        EXPECT_EQ(r->DATEDOG, dates::today());
        for (const Decimal& zero : {Decimal(r->DOPNACH1), Decimal(r->DOPNACH1_1), Decimal(r->DOPNACH2),
                                    Decimal(r->DOPNACH2_1), Decimal(r->KNDS)})
            EXPECT_EQ(zero, Decimal(0));
        EXPECT_EQ(r->NAME, QStringLiteral("kept"));  // the retained buffer
        EXPECT_EQ(Decimal(r->DOPNACH3), Decimal(7));
    }

    ASSERT_EQ(Access(FileId::Headers).CancelPrimed(), Level::Benign);
    EXPECT_EQ(Access(FileId::Headers).AUTOINCDONE, 0);
    EXPECT_EQ(countOf(FileId::Headers), 0);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Priming, ARateAndAWorkLineGetTheirDefaultsEvenWithARetainedBuffer)
{
    ASSERT_EQ(Relate(FileId::Raszenki).Open(), Level::Benign);
    WRK() = test::rate("G", "R-1", "kept");
    WRK().CODER = 5;
    ASSERT_EQ(Access(FileId::Raszenki).PrimeRecord(true), Level::Benign);
    EXPECT_EQ(WRK().CODER, 1);
    EXPECT_EQ(WRK().NAME, QStringLiteral("kept"));
    EXPECT_EQ(countOf(FileId::Raszenki), 0);  // no number, nothing added
    ASSERT_EQ(Access(FileId::Raszenki).PrimeRecord(), Level::Benign);
    EXPECT_TRUE(WRK().NAME.isBlank());

    ASSERT_EQ(Relate(FileId::WrksInSmt).Open(), Level::Benign);
    NSB() = line(7, 2, 0);
    NSB().NAME = "kept";
    NSB().KOOEFF = Decimal(3);
    ASSERT_EQ(Access(FileId::WrksInSmt).PrimeRecord(true), Level::Benign);
    EXPECT_EQ(Decimal(NSB().KOOEFF), Decimal(1));
    EXPECT_EQ(NSB().NAME, QStringLiteral("kept"));
    NSB().NAME = "stored";
    ASSERT_EQ(Access(FileId::WrksInSmt).Insert(), Level::Benign);
    EXPECT_EQ(countOf(FileId::WrksInSmt), 1);
    EXPECT_EQ(countOf(FileId::WrksInSmt, "NAME = 'stored' AND KOOEFF = 10000 AND NUMINGROUP = 1"), 1);
}

TEST_F(Priming, CancellingARecordAnotherThreadDeletedCountsAsDone)
{
    ASSERT_EQ(Relate(FileId::WrksInSmt).Open(), Level::Benign);
    NSB() = line(7, 2, 0);
    ASSERT_EQ(Access(FileId::WrksInSmt).PrimeRecord(true), Level::Benign);

    ThreadData other{3};
    ThreadState::setCurrent(&other);
    ASSERT_EQ(Relate(FileId::WrksInSmt).Open(), Level::Benign);
    NSB() = line(7, 2, 1);
    ASSERT_EQ(Access(FileId::WrksInSmt).TryFetch(0), Level::Benign);
    ASSERT_EQ(Relate(FileId::WrksInSmt).Delete(false), Level::Benign);
    Relate(FileId::WrksInSmt).Close();
    ThreadState::setCurrent(&thread);

    EXPECT_EQ(Access(FileId::WrksInSmt).CancelPrimed(), Level::Benign);
    EXPECT_EQ(Access(FileId::WrksInSmt).AUTOINCDONE, 0);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Priming, ANumberBeyondItsFieldFailsTheAddAndNeverWraps)
{
    struct Case {
        FileId id;
        std::vector<int> last;
    };
    for (const Case& c : {Case{FileId::WrksInSmt, {7, 2, 32767}}, Case{FileId::Headers, {32767}}}) {
        SCOPED_TRACE(definitionOf(c.id).label);
        messages.clear();
        ASSERT_EQ(Relate(c.id).Open(), Level::Benign);
        storeKeys(c.id, {c.last});
        setKey(c.id, std::vector<int>(c.last.begin(), c.last.end() - 1));
        EXPECT_EQ(Access(c.id).PrimeRecord(true), Level::Notify);
        EXPECT_EQ(Access(c.id).AUTOINCDONE, 0);
        EXPECT_EQ(countOf(c.id), 1);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка добавления записи"));
        EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("Превышен допустимый лимит записей (94)")))
            << messages.shown()[0].text.toStdString();
        Relate(c.id).Close();
    }
}

TEST_F(Priming, AnInsertNeverPrimedIsNumberedAndAddedThen)
{
    ASSERT_EQ(Relate(FileId::GroupsWks).Open(), Level::Benign);
    storeKeys(FileId::GroupsWks, {{7, 1}, {7, 3}});
    GRO() = test::section(7, 0);
    GRO().NAME = "new";
    ASSERT_EQ(Access(FileId::GroupsWks).Insert(), Level::Benign);
    EXPECT_EQ(GRO().NUMINSMETA, 4);
    EXPECT_EQ(Access(FileId::GroupsWks).AUTOINCDONE, 0);
    EXPECT_EQ(countOf(FileId::GroupsWks, "NUMSMET = 7 AND NUMINSMETA = 4 AND NAME = 'new'"), 1);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Priming, AFailedAddIsTriedThreeTimesThenAskedAboutAndYesTriesThreeMore)
{
    const QString question = QStringLiteral("Ошибка автоматического увеличения");
    struct Case {
        const char* what;
        bool dropTriggerOnSecondQuestion;
        Level result;
        std::int64_t added;
    };
    for (const Case& c : {Case{"No after Yes", false, Level::Notify, 0}, Case{"Yes twice", true, Level::Benign, 1}}) {
        SCOPED_TRACE(c.what);
        test::TempWorkDir caseDir;
        ThreadData caseThread{3};
        ThreadState::setCurrent(&caseThread);
        ASSERT_EQ(Relate(FileId::WrksInSmt).Open(), Level::Benign);
        RawConnection("WRKSINSM.TPS")
            .exec("CREATE TRIGGER refuse BEFORE INSERT ON records BEGIN SELECT RAISE(ABORT, 'refused'); END");
        int asked = 0;
        test::MessagesActing acting(question, [&] {
            if (++asked == 2 && c.dropTriggerOnSecondQuestion) RawConnection("WRKSINSM.TPS").exec("DROP TRIGGER refuse");
        });
        acting.answer(BUTTON_YES);
        acting.answer(c.dropTriggerOnSecondQuestion ? BUTTON_YES : BUTTON_NO);
        NSB() = line(7, 2, 0);
        EXPECT_EQ(Access(FileId::WrksInSmt).PrimeRecord(true), c.result);
        EXPECT_EQ(asked, 2);
        ASSERT_EQ(acting.shown().size(), 2u);
        EXPECT_EQ(acting.shown()[0].caption, question);
        EXPECT_EQ(acting.shown()[0].text, QStringLiteral("Попытка автоматического нумерования этой записи привела к "
                                                         "ошибке: Запись нарушает ограничение файла (1811). Попробовать еще раз?"));
        EXPECT_EQ(acting.shown()[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(countOf(FileId::WrksInSmt), c.added);
        EXPECT_EQ(Access(FileId::WrksInSmt).AUTOINCDONE, c.added);
        Relate(FileId::WrksInSmt).Close();
        ThreadState::setCurrent(&thread);
    }
}

TEST_F(Priming, AFailedReadWhileNumberingIsReportedAndAddsNothing)
{
    ASSERT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
    storeKeys(FileId::Headers, {{1}});
    RawConnection("HEADERS.TPS").exec("ALTER TABLE records RENAME COLUMN NUMBER TO NUM");
    EXPECT_EQ(Access(FileId::Headers).PrimeRecord(), Level::Notify);
    EXPECT_EQ(Access(FileId::Headers).AUTOINCDONE, 0);
    EXPECT_EQ(countOf(FileId::Headers), 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка доступа к записи"));
    EXPECT_TRUE(messages.shown()[0].text.startsWith(QStringLiteral("Ошибка: (Ошибка в запросе к файлу (1)) возникла")))
        << messages.shown()[0].text.toStdString();
    Relate(FileId::Headers).Close();
}

// Each process primes its lines of section 2 of estimate 7 as soon as both are ready.
TEST_F(Priming, TwoProcessesPrimingLinesOfOneSectionGetDistinctNumbers)
{
    constexpr int kLinesEach = 200;
    ASSERT_EQ(Relate(FileId::WrksInSmt).Open(), Level::Benign);
    Relate(FileId::WrksInSmt).Close();  // no connection of ours is copied into the children

    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t children[2];
    for (pid_t& child : children) {
        child = ::fork();
        if (child < 0) ::close(start[1]);  // a child already started does not wait for ever
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(start[1]);
            ThreadData worker{3};
            ThreadState::setCurrent(&worker);
            char c;
            (void)!::read(start[0], &c, 1);
            int failures = Relate(FileId::WrksInSmt).Open() == Level::Benign ? 0 : 1;
            for (int i = 0; i < kLinesEach; ++i) {
                NSB() = line(7, 2, 0);
                failures += Access(FileId::WrksInSmt).PrimeRecord(true) != Level::Benign;
                ::usleep(1000);  // a pause, as between a user's inserts, that lets the other one in
            }
            Relate(FileId::WrksInSmt).Close();
            ::_exit(failures == 0 ? 0 : 1);
        }
    }
    ::close(start[0]);
    ::close(start[1]);  // both start now
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    std::vector<std::int64_t> numbers =
        RawConnection("WRKSINSM.TPS").integers("SELECT NUMINGROUP FROM records WHERE CODER = 7 AND GRINSMETA = 2");
    std::sort(numbers.begin(), numbers.end());
    std::vector<std::int64_t> expected(2 * kLinesEach);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(numbers, expected);
}

}  // namespace
