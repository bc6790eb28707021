#include "platform/records/cursor.h"

#include "platform/core/collation.h"
#include "tests/platform/records/test_records.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <iterator>
#include <map>
#include <tuple>

namespace {

using namespace records;
using namespace Qt::StringLiterals;

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

TEST_F(CursorTest, ReadsOnlyTheChosenFieldsAndTheKeysAcrossPages)
{
    std::vector<std::tuple<int, int, std::int64_t, Position>> expected;  // group 1 in key order
    for (int i = 0; i < 30; ++i) {
        Item it = item("", i % 3, (i / 3) % 4, "Наименование работы");
        it.PRICE.setScaled(1000 + i * 7);
        const Position pos = add(file_, it);
        if (i % 3 == 1) expected.emplace_back(1, (i / 3) % 4, 1000 + i * 7, pos);
    }
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<1>(a), std::get<3>(a)) < std::tie(std::get<1>(b), std::get<3>(b));
    });
    Cursor cursor(file_, kByGroup);
    Item range = item("", 1, 0);
    cursor.setRange(1, &range);
    cursor.setColumns({layout_.columnIndex("PRICE")});
    cursor.toStart();
    std::vector<std::tuple<int, int, std::int64_t, Position>> read;
    const auto take = [&](Position pos, const void* record) {
        const Item& r = *static_cast<const Item*>(record);
        read.emplace_back(r.GROUP, r.NUM, r.PRICE.scaled(), pos);
    };
    while (cursor.read(true, 3, take) == 3) {}
    EXPECT_EQ(read, expected);
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

TEST_F(CursorTest, AConditionLimitsTheRecordsByBoundValuesBothWays)
{
    const QString names[] = {u"Кладка стен"_s, u"Разборка кладки"_s, u"Скидка 10%"_s, u"Окно 'Люкс'"_s, u"a_b"_s,
                             u"ab"_s, u"c\\d"_s, u"Ёлка"_s, u"Елка"_s, u"x=1 OR 1=1"_s};
    std::map<QString, Position> at;
    for (int i = 0; i < int(std::size(names)); ++i) {
        Item it = item("", 0, 0);
        it.NAME = names[i];
        it.PRICE = Decimal(i * 50);  // 0, 50, ... 450
        at[names[i]] = add(file_, it);
    }
    const Column& name = layout_.columns[std::size_t(layout_.columnIndex("NAME"))];
    const Column& price = layout_.columns[std::size_t(layout_.columnIndex("PRICE"))];
    auto text = [&](Comparison how, const QString& v) { return textCondition(name, how, v.toStdString()); };
    const struct {
        Condition condition;
        std::vector<QString> expected;
    } cases[] = {
        {text(Comparison::Contains, u"КЛАД"_s), {u"Кладка стен"_s, u"Разборка кладки"_s}},
        {text(Comparison::Contains, u"10%"_s), {u"Скидка 10%"_s}},
        {text(Comparison::Contains, u"'"_s), {u"Окно 'Люкс'"_s}},
        {text(Comparison::Contains, u"_"_s), {u"a_b"_s}},
        {text(Comparison::Contains, u"\\"_s), {u"c\\d"_s}},
        {text(Comparison::Contains, u"ёл"_s), {u"Ёлка"_s}},  // Е and Ё stay apart
        {text(Comparison::Contains, u"1=1"_s), {u"x=1 OR 1=1"_s}},
        {text(Comparison::Contains, u"нет такого"_s), {}},
        {text(Comparison::BeginsWith, u"раз"_s), {u"Разборка кладки"_s}},
        {text(Comparison::Equal, u"кладка СТЕН  "_s), {u"Кладка стен"_s}},
        {text(Comparison::Less, u"b"_s), {u"a_b"_s, u"ab"_s}},
        {numberCondition(price, Comparison::Greater, Decimal(400)), {u"x=1 OR 1=1"_s}},
        {numberCondition(price, Comparison::LessOrEqual, *Decimal::parse("50.00")), {u"Кладка стен"_s, u"Разборка кладки"_s}},
        {numberCondition(price, Comparison::Equal, *Decimal::parse("50.001")), {}},
    };
    for (const auto& c : cases) {
        std::vector<Position> expected;
        for (const QString& n : c.expected) expected.push_back(at[n]);
        Cursor cursor(file_, kByName);
        cursor.setCondition(c.condition);
        cursor.toStart();
        const std::vector<Position> forward = positionsOf(readAll(cursor, true));
        cursor.toEnd();
        EXPECT_EQ(positionsOf(readAll(cursor, false)), reversed(forward)) << c.condition.sql;
        std::vector<Position> got = forward;
        std::sort(got.begin(), got.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(got, expected) << c.condition.sql;
    }
    // two conditions hold together; none reads all again
    Cursor cursor(file_, kByName);
    Condition both = text(Comparison::Contains, u"кла"_s);
    both &= numberCondition(price, Comparison::Greater, Decimal(0));
    cursor.setCondition(both);
    cursor.toStart();
    EXPECT_EQ(positionsOf(readAll(cursor, true)), std::vector<Position>{at[u"Разборка кладки"_s]});
    cursor.setCondition({});
    cursor.toStart();
    EXPECT_EQ(readAll(cursor, true).size(), std::size(names));
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
