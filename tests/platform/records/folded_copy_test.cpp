// The folded copy of a text and its trigram index: kept right by every write of any path,
// made on opening for a file of an earlier build (whole or not at all, even when the program
// is killed half-way), serving "contains" exactly as the folded test does; and long filtered
// reads in slices, which give the same records as a whole read or stop when abandoned.
#include "platform/records/contains_search.h"
#include "platform/records/scan_slice.h"
#include "tests/platform/records/test_records.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <set>
#include <thread>

namespace {

using namespace records;

const Layout& foldedLayout()
{
    static const Layout layout = itemBuilder().foldedCopy("NAME").build();
    return layout;
}

class FoldedCopy : public RecordsTest {
protected:
    // Every stored copy is the folded name, and the index finds for each probe exactly the
    // records whose copy contains it.
    static void expectRight(const std::vector<std::string>& probes)
    {
        RawConnection raw("ITEMSOFT.TPS");
        EXPECT_EQ(raw.integers("SELECT count(*) FROM records WHERE folded_NAME IS NOT tlx_upper(NAME)"),
                  std::vector<std::int64_t>{0});
        for (const std::string& p : probes) {
            SCOPED_TRACE(p);
            const std::string folded = collation::toUpperUtf8(p);
            EXPECT_EQ(raw.integers("SELECT rowid FROM folded_NAME_trigrams WHERE folded_NAME_trigrams MATCH '\"" +
                                   folded + "\"' ORDER BY rowid"),
                      raw.integers("SELECT pos FROM records WHERE instr(folded_NAME, '" + folded + "') > 0 ORDER BY pos"));
        }
    }
    // The positions the cursor reads by the name key under the condition.
    static std::vector<Position> found(RecordFile& file, Condition condition)
    {
        Cursor c(file, kByName);
        c.setCondition(std::move(condition));
        c.toStart();
        return positionsOf(readAll(c, true));
    }
};

TEST_F(FoldedCopy, FollowsEveryWriteWhateverItsPath)
{
    RecordFile file(foldedLayout(), &buffer_);
    openNew(file);
    const Position bricks = add(file, item("A1", 1, 1, "Кладка кирпича"));
    const Position ground = add(file, item("A2", 1, 2, "Разработка грунта"));
    const Position elk = add(file, item("A3", 1, 3, "Ёлка ёлочная"));
    const std::vector<std::string> probes = {"КИРП", "грунт", "ёлк", "ЕЛК", "ладк", "пойма"};
    expectRight(probes);
    // a rename, as a form or an in-place edit stores it
    ASSERT_EQ(file.fetch(bricks), 0);
    buffer_.NAME = "Кладка в пойме";
    ASSERT_EQ(file.put(), 0);
    expectRight(probes);
    // changes the key's collation may take for none: of case, of Ё for Е
    for (const char* name : {"кладка в пойме", "Кладка в пойме"}) {
        buffer_.NAME = name;
        ASSERT_EQ(file.put(), 0);
    }
    ASSERT_EQ(file.fetch(elk), 0);
    buffer_.NAME = "Елка ёлочная";
    ASSERT_EQ(file.put(), 0);
    expectRight(probes);
    const Item renamed = buffer_, other = item("A2", 1, 2, "Разработка грунта");
    ASSERT_EQ(file.exchange(bricks, &renamed, ground, &other, foldedLayout().columnIndex("NAME")), 0);
    expectRight(probes);
    file.setPosition(ground);
    ASSERT_EQ(file.remove(), 0);
    expectRight(probes);
    // another connection, as the archive copies records
    file.close();
    RawConnection raw("ITEMSOFT.TPS");
    ASSERT_EQ(raw.exec("INSERT INTO records (CODE, NAME) SELECT CODE || 'x', NAME || ' грунт' FROM records"), SQLITE_OK);
    ASSERT_EQ(raw.exec("UPDATE records SET NAME = 'кирпич' WHERE CODE = 'A3'"), SQLITE_OK);
    expectRight(probes);
}

TEST_F(FoldedCopy, ServesContainsLiterallyByTheIndexOrTheCopyAlike)
{
    RecordFile file(foldedLayout(), &buffer_);
    openNew(file);
    for (const char* name : {"Скидка 10%", "Скидка 100", "Д'Арк", "a_b", "axb", "Ёлка", "Елка", "\"Люкс\"", "Люкс"})
        add(file, item(name, 1, 1, name));
    const Column& name = foldedLayout().columns[std::size_t(foldedLayout().columnIndex("NAME"))];
    const struct {
        const char* text;
        bool indexed;  // three characters or more: the index serves it
        std::vector<Position> positions;
    } cases[] = {
        {"10%", true, {1}}, {"'", false, {3}},        {"Д'А", true, {3}},    {"_", false, {4}},   {"a_b", true, {4}},
        {"ёлк", true, {6}}, {"ЕЛК", true, {7}},       {"\"Л", false, {8}},   {"\"Люкс\"", true, {8}},
        {"люкс", true, {8, 9}}, {"нет такого", true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Condition served = containsCondition(file, name, c.text);
        EXPECT_EQ(served.bounded, c.indexed);
        std::vector<Position> got = found(file, served);
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, c.positions);
        std::vector<Position> tested = found(file, textCondition(name, Comparison::Contains, c.text));
        std::sort(tested.begin(), tested.end());
        EXPECT_EQ(tested, c.positions);
    }
}

// An earlier build's file: the same records without the copy, its index or its triggers.
void makeEarlierBuildsFile(int records)
{
    Item buffer;
    RecordFile filled(foldedLayout(), &buffer);
    ASSERT_EQ(filled.create(), 0);
    ASSERT_EQ(filled.open(OpenAccess::ReadWrite), 0);
    ASSERT_EQ(filled.write([&] {
        for (int i = 0; i < records; ++i) {
            buffer = item(("C" + std::to_string(i)).c_str(), 1, i % 100, ("Кладка номер " + std::to_string(i)).c_str());
            if (const int code = filled.add()) return code;
        }
        return 0;
    }),
              0);
    filled.close();
    RawConnection raw("ITEMSOFT.TPS");
    ASSERT_EQ(raw.exec("DROP TRIGGER folded_NAME_add; DROP TRIGGER folded_NAME_put; DROP TRIGGER folded_NAME_remove; "
                       "DROP TABLE folded_NAME_trigrams; ALTER TABLE records DROP COLUMN folded_NAME; "
                       "DELETE FROM tolvex_meta WHERE name = 'folded'"),
              SQLITE_OK);
}

enum class State { Earlier, Upgraded, Broken };

State stateOfFile(int records)
{
    RawConnection raw("ITEMSOFT.TPS");
    const std::vector<std::string> names = raw.column("SELECT NAME FROM records ORDER BY pos");
    if (int(names.size()) != records || names.back() != "Кладка номер " + std::to_string(records - 1)) return State::Broken;
    const bool meta = !raw.column("SELECT value FROM tolvex_meta WHERE name = 'folded'").empty();
    const bool column = raw.column("SELECT name FROM pragma_table_info('records') WHERE name = 'folded_NAME'").size() == 1;
    if (!meta && !column) return State::Earlier;
    if (!meta || !column) return State::Broken;
    const bool right = raw.integers("SELECT count(*) FROM records WHERE folded_NAME IS NOT tlx_upper(NAME)") ==
                           std::vector<std::int64_t>{0} &&
                       raw.integers("SELECT count(*) FROM folded_NAME_trigrams WHERE folded_NAME_trigrams MATCH "
                                    "'\"КЛАДКА\"'") == std::vector<std::int64_t>{records};
    return right ? State::Upgraded : State::Broken;
}

TEST_F(FoldedCopy, AFileOfAnEarlierBuildIsBroughtUpToDateOnOpeningWholeOrNotAtAll)
{
    constexpr int kRecords = 20000;
    makeEarlierBuildsFile(kRecords);
    ASSERT_TRUE(QFile::copy("ITEMSOFT.TPS", "EARLIER.TPS"));
    ASSERT_EQ(stateOfFile(kRecords), State::Earlier);
    // killed at moments from the start of its opening to beyond its end
    std::set<State> seen;
    for (int ms : {0, 20, 60, 120, 200, 300, 500, 3000}) {
        SCOPED_TRACE(ms);
        QFile::remove("ITEMSOFT.TPS");
        ASSERT_TRUE(QFile::copy("EARLIER.TPS", "ITEMSOFT.TPS"));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            Item buffer;
            RecordFile file(foldedLayout(), &buffer);
            _exit(file.open(OpenAccess::ReadWrite));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const State state = stateOfFile(kRecords);
        EXPECT_NE(state, State::Broken);
        seen.insert(state);
    }
    EXPECT_EQ(seen, (std::set<State>{State::Earlier, State::Upgraded}));
    // opened for reading only, it is brought up to date as well
    QFile::remove("ITEMSOFT.TPS");
    ASSERT_TRUE(QFile::copy("EARLIER.TPS", "ITEMSOFT.TPS"));
    RecordFile file(foldedLayout(), &buffer_);
    ASSERT_EQ(file.open(OpenAccess::ReadOnly), 0) << file.lastError().text.toStdString();
    EXPECT_EQ(stateOfFile(kRecords), State::Upgraded);
}

class Slicing : public FoldedCopy {
protected:
    void SetUp() override
    {
        FoldedCopy::SetUp();
        scan::setSliceTime(std::chrono::microseconds(0));  // a slice at every check of the clock
    }
    void TearDown() override
    {
        scan::setSliceTime(kDefaultSlice);
        FoldedCopy::TearDown();
    }
    const std::chrono::microseconds kDefaultSlice = scan::sliceTime();
};

TEST_F(Slicing, ASlicedReadGivesTheRecordsOfAWholeOneBothWaysOrStopsWhenAbandoned)
{
    RecordFile file(foldedLayout(), &buffer_);
    openNew(file);
    // runs of equal names, so that slices also end inside a run of the DUP key
    ASSERT_EQ(file.write([&] {
        for (int i = 0; i < 3000; ++i) {
            buffer_ = item(("C" + std::to_string(i)).c_str(), 1, 1, ("Работа " + std::to_string(i % 150)).c_str());
            if (const int code = file.add()) return code;
        }
        return 0;
    }),
              0);
    const Column& name = foldedLayout().columns[std::size_t(foldedLayout().columnIndex("NAME"))];
    for (const char* text : {"7", "14", "9"}) {
        SCOPED_TRACE(text);
        const Condition condition = textCondition(name, Comparison::Contains, text);
        for (bool forward : {true, false}) {
            Cursor whole(file, kByName);
            whole.setCondition(condition);
            forward ? whole.toStart() : whole.toEnd();
            const auto expected = positionsOf(readAll(whole, forward));

            int slices = 0;
            Cursor sliced(file, kByName);
            sliced.setCondition(condition);
            sliced.setSlicing([&] {
                EXPECT_TRUE(file.isIdle());
                ++slices;
                return true;
            });
            forward ? sliced.toStart() : sliced.toEnd();
            std::vector<Position> got;
            EXPECT_EQ(sliced.read(forward, 100000, [&](Position p, const void*) { got.push_back(p); }), int(expected.size()));
            EXPECT_EQ(got, expected);
            EXPECT_GT(slices, 10);
            EXPECT_FALSE(sliced.abandoned());
        }
    }
    Cursor abandoned(file, kByName);
    abandoned.setCondition(textCondition(name, Comparison::Contains, "нет"));
    abandoned.setSlicing([] { return false; });
    abandoned.toStart();
    EXPECT_EQ(abandoned.read(true, 10, [](Position, const void*) {}), 0);
    EXPECT_TRUE(abandoned.abandoned());
}

}  // namespace
