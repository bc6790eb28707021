// Every query by a key must seek in the key's index: a scan or a sort would make each step of
// a browse list cost the whole file.
#include "tests/platform/records/test_records.h"

#include <gtest/gtest.h>

namespace {

using namespace records;

class QueryPlanTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        openNew(file_);
        for (int i = 0; i < 50; ++i)
            add(file_, item(std::to_string(i).c_str(), i % 5, i % 3, ("name " + std::to_string(i % 7)).c_str()));
    }

    void expectSeeks(const std::function<void()>& operation, const std::string& index, const char* what)
    {
        const std::vector<std::string> texts = statementsRunBy(file_.connection(), operation);
        EXPECT_FALSE(texts.empty()) << what;
        for (const std::string& sql : texts) {
            const std::string plan = queryPlanOf(file_.connection(), sql);
            EXPECT_TRUE(seeksIn(plan, index)) << what << "\n  " << sql << "\n  " << plan;
        }
    }

    RecordFile file_{layout_, &buffer_};
};

TEST_F(QueryPlanTest, CursorStepsSeekInTheKeysIndex)
{
    const char* const indexes[] = {"BYCODE", "BYGROUP", "BYNAME"};
    // probes between stored values, so that both parts of a step run
    const Item probes[] = {item("15x", 0, 0), item("", 2, 1), item("", 0, 0, "name 3x")};
    for (int key : {kByCode, kByGroup, kByName}) {
        for (bool forward : {true, false}) {
            Cursor cursor(file_, key);
            expectSeeks(
                [&] {
                    cursor.toKeyOf(&probes[key]);
                    for (int i = 0; i < 3; ++i) forward ? cursor.next() : cursor.previous();
                    cursor.read(forward, 10, [](Position, const void*) {});
                },
                indexes[key], forward ? "next" : "previous");
        }
    }

    Cursor ranged(file_, kByGroup);
    ranged.setRange(1, &probes[kByGroup]);
    expectSeeks(
        [&] {
            ranged.toStart();
            ranged.next();
            ranged.toRecord(file_.position());
            while (ranged.next() == 0) {}
            ranged.toEnd();
            ranged.previous();
        },
        "BYGROUP", "range");
}

TEST_F(QueryPlanTest, ReadingFromEitherEndWalksTheIndexWithoutSortingAlsoUnderACondition)
{
    const Column& name = layout_.columns[std::size_t(layout_.columnIndex("NAME"))];
    for (bool limited : {false, true}) {
        for (int key : {kByCode, kByGroup, kByName}) {
            Cursor cursor(file_, key);
            if (limited) cursor.setCondition(textCondition(name, Comparison::Contains, "3"));
            const std::vector<std::string> texts = statementsRunBy(file_.connection(), [&] {
                cursor.toStart();
                cursor.next();
                cursor.toEnd();
                cursor.previous();
            });
            for (const std::string& sql : texts) {
                const std::string plan = queryPlanOf(file_.connection(), sql);
                EXPECT_NE(plan.find("USING INDEX " + layout_.keys[std::size_t(key)].sqlName), std::string::npos) << plan;
                EXPECT_EQ(plan.find("TEMP B-TREE"), std::string::npos) << plan;
            }
        }
    }
}

TEST_F(QueryPlanTest, LookUpsByKeySeekInTheKeysIndex)
{
    buffer_ = item("17", 2, 1, "name 4");
    const std::pair<int, const char*> keys[] = {{kByCode, "BYCODE"}, {kByGroup, "BYGROUP"}, {kByName, "BYNAME"}};
    for (const auto& [key, index] : keys) expectSeeks([&] { file_.get(key); }, index, "get");

    std::int64_t value = 0;
    bool found = false;
    for (int component : {0, 1})
        expectSeeks([&] { file_.highestComponent(kByGroup, component, &buffer_, value, found); }, "BYGROUP",
                    "highest");
    expectSeeks([&] { file_.duplicateKey(&buffer_, 0); }, "BYCODE", "duplicate");
}

}  // namespace
