#include "platform/records/cursor.h"

#include "platform/core/collation.h"
#include "tests/platform/records/test_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

using namespace records;

class CursorTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        openNew(file_);
    }

    // Records of GROUP 0..2 and NUM 0..1, added interleaved so that each run of equal keys
    // has scattered positions; also the order they must be read in.
    std::vector<Position> addInterleavedRuns()
    {
        std::vector<std::tuple<int, int, Position>> order;
        for (int i = 0; i < 18; ++i) {
            const int group = i % 3, num = (i / 3) % 2;
            order.emplace_back(group, num, add(file_, item("", group, num)));
        }
        std::sort(order.begin(), order.end());
        std::vector<Position> positions;
        for (const auto& o : order) positions.push_back(std::get<2>(o));
        return positions;
    }

    RecordFile file_{layout_, &buffer_};
};

std::vector<Position> reversed(std::vector<Position> v)
{
    std::reverse(v.begin(), v.end());
    return v;
}

TEST_F(CursorTest, ReadsARunOfEqualKeysInPositionOrderBothWays)
{
    const std::vector<Position> expected = addInterleavedRuns();
    Cursor cursor(file_, kByGroup);
    cursor.toStart();
    EXPECT_EQ(positionsOf(readAll(cursor, true)), expected);
    EXPECT_EQ(cursor.previous(), 0);  // at the end the cursor stays on the last record
    EXPECT_EQ(file_.position(), expected[expected.size() - 2]);
    cursor.toEnd();
    EXPECT_EQ(positionsOf(readAll(cursor, false)), reversed(expected));

    // turning round in the middle of a run
    cursor.toStart();
    for (int i = 0; i < 4; ++i) ASSERT_EQ(cursor.next(), 0);
    EXPECT_EQ(cursor.previous(), 0);
    EXPECT_EQ(cursor.position(), expected[2]);
    EXPECT_EQ(cursor.next(), 0);
    EXPECT_EQ(cursor.position(), expected[3]);

    // from a record stood on by its position
    ASSERT_EQ(file_.fetch(expected[7]), 0);
    cursor.toRecord(expected[7]);
    EXPECT_EQ(cursor.next(), 0);
    EXPECT_EQ(file_.position(), expected[8]);
}

TEST_F(CursorTest, ReadsPagesOfAnySize)
{
    const std::vector<Position> expected = addInterleavedRuns();
    for (int page : {1, 4, 7, 100}) {
        Cursor cursor(file_, kByGroup);
        cursor.toStart();
        std::vector<Position> read;
        int n;
        while ((n = cursor.read(true, page, [&](Position pos, const void*) { read.push_back(pos); })) == page) {}
        EXPECT_GE(n, 0);
        EXPECT_EQ(read, expected) << page;

        std::vector<Position> back;
        cursor.toEnd();
        while (cursor.read(false, page, [&](Position pos, const void*) { back.push_back(pos); }) > 0) {}
        EXPECT_EQ(back, reversed(expected)) << page;
    }
}

TEST_F(CursorTest, OrdersNoCaseTextsByTheCollation)
{
    const char* const names[] = {"яблоко", "Арбуз", "банан", "Ёж", "ель", "Ель", "zebra", "Apple", "ёж", "Юла"};
    std::vector<std::pair<std::string, Position>> expected;
    for (const char* n : names) expected.emplace_back(cp(n), add(file_, item("", 0, 0, n)));
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return collation::compareNoCase(a.first, b.first) < 0; });
    EXPECT_EQ(expected.front().first, "Apple");

    Cursor cursor(file_, kByName);
    cursor.toStart();
    std::vector<Position> read = positionsOf(readAll(cursor, true));
    std::vector<Position> want;
    for (const auto& e : expected) want.push_back(e.second);
    EXPECT_EQ(read, want);
}

TEST_F(CursorTest, KeepsWithinARange)
{
    const std::vector<Position> all = addInterleavedRuns();  // 3 records per (GROUP, NUM)
    Cursor cursor(file_, kByGroup);
    const Item groupOne = item("", 1, 1);

    cursor.setRange(1, &groupOne);
    cursor.toStart();
    const std::vector<Position> groupOneAll(all.begin() + 6, all.begin() + 12);
    EXPECT_EQ(positionsOf(readAll(cursor, true)), groupOneAll);
    cursor.toEnd();
    EXPECT_EQ(positionsOf(readAll(cursor, false)), reversed(groupOneAll));
    cursor.toKeyOf(&groupOne);  // GROUP 1, NUM 1
    EXPECT_EQ(positionsOf(readAll(cursor, true)), std::vector<Position>(all.begin() + 9, all.begin() + 12));

    cursor.setRange(2, &groupOne);
    cursor.toStart();
    EXPECT_EQ(positionsOf(readAll(cursor, true)), std::vector<Position>(all.begin() + 9, all.begin() + 12));
    cursor.toEnd();
    EXPECT_EQ(cursor.previous(), 0);
    EXPECT_EQ(cursor.position(), all[11]);
    EXPECT_EQ(cursor.previous(), 0);
    EXPECT_EQ(cursor.position(), all[10]);

    cursor.setRange(0);
    cursor.toStart();
    EXPECT_EQ(readAll(cursor, true).size(), all.size());
}

TEST_F(CursorTest, PositionsOnAKeyValue)
{
    const Position ten = add(file_, item("", 10, 0));
    const Position twenty = add(file_, item("", 20, 0));
    const Position thirty = add(file_, item("", 30, 0));
    add(file_, item("", 20, 0));  // a later position with an equal key

    struct Case {
        int group;
        bool forward;
        Position expected;  // 0: none
    };
    for (const Case& c : {Case{20, true, twenty}, Case{25, true, thirty}, Case{20, false, ten}, Case{31, true, 0},
                          Case{5, false, 0}, Case{5, true, ten}}) {
        Cursor cursor(file_, kByGroup);
        const Item probe = item("", c.group, 0);
        cursor.toKeyOf(&probe);
        const int rc = c.forward ? cursor.next() : cursor.previous();
        if (c.expected == 0) {
            EXPECT_EQ(rc, kRecordNotAvailable) << c.group;
        } else {
            EXPECT_EQ(rc, 0) << c.group;
            EXPECT_EQ(file_.position(), c.expected) << c.group;
        }
    }
}

TEST_F(CursorTest, AFilterReadsOnPastRefusedRecords)
{
    std::vector<Position> accepted;
    for (int i = 0; i < 300; ++i) {
        const Position pos = add(file_, item("", 0, i));
        if (i % 100 == 7) accepted.push_back(pos);
    }
    Cursor cursor(file_, kByGroup);
    cursor.setFilter([](const void* r) { return static_cast<const Item*>(r)->NUM % 100 == 7; });
    cursor.toStart();
    EXPECT_EQ(positionsOf(readAll(cursor, true)), accepted);
    cursor.toEnd();
    EXPECT_EQ(positionsOf(readAll(cursor, false)), reversed(accepted));
    cursor.setFilter({});
    cursor.toStart();
    EXPECT_EQ(readAll(cursor, true).size(), 300u);
}

TEST_F(CursorTest, SeesAnotherConnectionsCommitAtTheNextStep)
{
    const Position first = add(file_, item("A", 1, 0));
    const Position third = add(file_, item("C", 3, 0));
    const Position fourth = add(file_, item("D", 4, 0));
    Cursor cursor(file_, kByCode);
    cursor.toStart();
    ASSERT_EQ(cursor.next(), 0);
    ASSERT_EQ(file_.position(), first);
    EXPECT_TRUE(file_.isIdle());

    Item otherBuffer;
    RecordFile other(layout_, &otherBuffer);
    ASSERT_EQ(other.open(OpenAccess::ReadWrite), 0);
    Position second = 0;
    ASSERT_EQ(other.write([&] {
        otherBuffer = item("b", 2, 0);
        int code = other.add();
        second = other.position();
        if (code == 0) code = other.fetch(third);
        return code == 0 ? other.remove() : code;
    }),
              0);

    ASSERT_EQ(cursor.next(), 0);
    EXPECT_EQ(file_.position(), second);
    ASSERT_EQ(cursor.next(), 0);
    EXPECT_EQ(file_.position(), fourth);
}

}  // namespace
