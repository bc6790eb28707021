#include "platform/records/layout.h"

#include "tests/platform/records/test_records.h"

#include <gtest/gtest.h>

namespace {

using namespace records;

struct OneField {
    std::int16_t N = 0;
};

TEST(Layout, DiskNameIsTheLabelCutToEightCharactersUpperCased)
{
    const std::pair<const char*, const char*> cases[] = {
        {"WrksInSmt", "WRKSINSM.TPS"}, {"GroupsWks", "GROUPSWK.TPS"}, {"EdIzmer", "EDIZMER.TPS"}, {"MATS", "MATS.TPS"}};
    for (const auto& [label, disk] : cases)
        EXPECT_EQ(LayoutBuilder<OneField>(label, "X").field<&OneField::N>("N").build().diskName, disk) << label;
}

TEST(Layout, FindsColumnsAndKeysByTheirNames)
{
    const Layout layout = itemBuilder().build();
    EXPECT_EQ(layout.columnIndex("NAME"), 3);
    EXPECT_EQ(layout.columnIndex("ITM:NAME"), 3);
    EXPECT_EQ(layout.columnIndex("ITM:NOPE"), -1);
    EXPECT_EQ(layout.keyIndex("ITM:BYGROUP"), kByGroup);
    EXPECT_EQ(layout.keyIndex("BYGROUP"), -1);
    EXPECT_EQ(layout.keys[kByGroup].sqlName, "BYGROUP");
    EXPECT_EQ(layout.keys[kByGroup].components, (std::vector<int>{1, 2}));
}

TEST(Layout, ClearsComparesAndTellsRecordsOutOfAKey)
{
    const Layout layout = itemBuilder().build();
    Item a = item("K1", 0, 0, "name");
    a.PRICE = Decimal(5);
    a.NOTE.setBytes("note");
    Item b = a;
    EXPECT_TRUE(layout.equal(&a, &b));
    b.NOTE.setBytes("other");
    EXPECT_FALSE(layout.equal(&a, &b));

    EXPECT_FALSE(layout.outOfKey(layout.keys[kByCode], &a));
    EXPECT_TRUE(layout.outOfKey(layout.keys[kByGroup], &a));  // both numbers zero
    layout.clear(&a);
    EXPECT_TRUE(a.CODE.isBlank() && a.NAME.isBlank() && a.PRICE.isZero() && a.NOTE.isEmpty());
    EXPECT_TRUE(layout.outOfKey(layout.keys[kByCode], &a));
}

TEST(LayoutDeathTest, AKeyNamingAnUnknownFieldStopsTheProgram)
{
    EXPECT_DEATH(LayoutBuilder<OneField>("Broken", "BR").field<&OneField::N>("N").key("BR:K", {"M"}, Dup),
                 "BR:K.*unknown field M");
}

}  // namespace
