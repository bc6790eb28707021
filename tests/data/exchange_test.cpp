// Exchanging a number between two records, with their children where asked: one write, no
// temporary value, nothing changed by a failure.

#include "tests/data/data_test.h"

namespace {

using records::Level;
using test::line;
using test::section;

// Estimate 1: sections 1 and 2 with two and three lines, and a section 199 with line 199 of its
// own; estimate 2's section 2 has a line of its own.
class Exchange : public test::DataTest {
protected:
    Exchange()
    {
        EXPECT_EQ(Relate(FileId::GroupsWks).Open(), Level::Benign);
        for (int s : {1, 2, 199}) store(FileId::GroupsWks, named(section(1, s), s));
        store(FileId::GroupsWks, named(section(2, 2), 22));
        for (int n = 1; n <= 2; ++n) store(FileId::WrksInSmt, line(1, 1, n));
        for (int n = 1; n <= 3; ++n) store(FileId::WrksInSmt, line(1, 2, n));
        store(FileId::WrksInSmt, line(1, 199, 199));
        store(FileId::WrksInSmt, line(2, 2, 1));
    }
    ~Exchange() override { Relate(FileId::GroupsWks).Close(); }

    static GroupsWksRecord named(GroupsWksRecord r, int name)
    {
        r.NAME = std::to_string(name).c_str();
        return r;
    }
    // Reads the section into the buffer; its position.
    static records::Position readSection(int estimate, int number)
    {
        GRO().NUMSMET = std::int16_t(estimate);
        GRO().NUMINSMETA = std::int16_t(number);
        EXPECT_EQ(Access(FileId::GroupsWks).TryFetch(0), Level::Benign);
        return Access(FileId::GroupsWks).file().position();
    }
    // "estimate/number:name" of every section, and "estimate/section/number" of every line.
    static std::vector<std::string> contents()
    {
        std::vector<std::string> out;
        RawConnection groups("GROUPSWK.TPS");
        RawConnection lines("WRKSINSM.TPS");
        for (const std::string& s : groups.column("SELECT NUMSMET || '/' || NUMINSMETA || ':' || NAME FROM records ORDER BY pos"))
            out.push_back(s);
        for (const std::string& l : lines.column("SELECT CODER || '/' || GRINSMETA || '/' || NUMINGROUP FROM records ORDER BY pos"))
            out.push_back(l);
        return out;
    }
};

TEST_F(Exchange, SectionsExchangeTheirNumbersAndTheirLinesGoWithThem)
{
    const records::Position second = readSection(1, 2);
    readSection(1, 1);
    ASSERT_EQ(Relate(FileId::GroupsWks).Exchange(second, "NUMINSMETA", true), Level::Benign);
    EXPECT_EQ(contents(), (std::vector<std::string>{"1/2:1", "1/1:2", "1/199:199", "2/2:22",  //
                                                    "1/2/1", "1/2/2", "1/1/1", "1/1/2", "1/1/3", "1/199/199", "2/2/1"}));
    // the buffer holds the record read last as it is stored now
    EXPECT_EQ(GRO().NUMINSMETA, 2);
    EXPECT_EQ(GRO().NAME.toQString(), "1");
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Exchange, WithoutChildrenOnlyTheTwoRecordsChange)
{
    // lines exchange their own numbers; a section with the number 199 is never met
    EXPECT_EQ(Relate(FileId::WrksInSmt).Open(), Level::Benign);
    NSB() = line(1, 2, 3);
    ASSERT_EQ(Access(FileId::WrksInSmt).TryFetch(0), Level::Benign);
    const records::Position third = Access(FileId::WrksInSmt).file().position();
    NSB() = line(1, 2, 1);
    ASSERT_EQ(Access(FileId::WrksInSmt).TryFetch(0), Level::Benign);
    ASSERT_EQ(Relate(FileId::WrksInSmt).Exchange(third, "NUMINGROUP", false), Level::Benign);
    Relate(FileId::WrksInSmt).Close();
    EXPECT_EQ(contents(), (std::vector<std::string>{"1/1:1", "1/2:2", "1/199:199", "2/2:22",  //
                                                    "1/1/1", "1/1/2", "1/2/3", "1/2/2", "1/2/1", "1/199/199", "2/2/1"}));
}

TEST_F(Exchange, AFailureReportsAndChangesNothing)
{
    const std::vector<std::string> before = contents();
    struct Case {
        const char* what;
        std::function<void()> arrange;
    };
    const Case cases[] = {
        {"a line refuses its change",
         [] { RawConnection("WRKSINSM.TPS").exec("CREATE TRIGGER refuse BEFORE UPDATE ON records BEGIN SELECT RAISE(ABORT, 'refused'); END"); }},
        {"the other section is gone", [] { RawConnection("GROUPSWK.TPS").exec("DELETE FROM records WHERE NUMINSMETA = 2 AND NUMSMET = 1"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const records::Position second = readSection(1, 2);
        readSection(1, 1);
        c.arrange();
        messages.answer(BUTTON_OK);
        EXPECT_EQ(Relate(FileId::GroupsWks).Exchange(second, "NUMINSMETA", true), Level::Notify);
        EXPECT_EQ(captions().back(), QStringLiteral("Запись не обновляется"));
    }
    // the first case changed nothing at all; the second lost only the section it deleted itself
    std::vector<std::string> expected = before;
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(contents(), expected);
}

}  // namespace
