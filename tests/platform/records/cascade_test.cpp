#include "platform/records/record_file.h"

#include "tests/platform/records/test_records.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using namespace records;

struct Parent {
    std::int16_t NUMBER = 0;
    FixedString<20> NAME;
};

struct Child {
    std::int16_t CODER = 0;
    std::int16_t LINE = 0;
    FixedString<20> TEXT;
};

const char* const kChildDisk = "CHILDREN.TPS";

class CascadeTest : public RecordsTest {
protected:
    void SetUp() override
    {
        RecordsTest::SetUp();
        openNew(parents_);
        openNew(children_);
        for (int number : {1, 2}) {
            parent_.NUMBER = std::int16_t(number);
            ASSERT_EQ(parents_.add(), 0);
        }
        for (int line = 1; line <= 3; ++line) addChild(1, line);
        addChild(2, 1);
        children_.close();
    }

    void addChild(int coder, int line)
    {
        child_.CODER = std::int16_t(coder);
        child_.LINE = std::int16_t(line);
        ASSERT_EQ(children_.add(), 0);
    }

    // the number of child records linked to `coder`
    int childrenOf(int coder)
    {
        Child probe;
        probe.CODER = std::int16_t(coder);
        RecordFile file(childLayout_, &child_);
        EXPECT_EQ(file.open(OpenAccess::ReadOnly), 0);
        Cursor cursor(file, 0);
        cursor.setRange(1, &probe);
        cursor.toStart();
        int n = 0;
        while (cursor.next() == 0) ++n;
        return n;
    }

    const Layout parentLayout_ = LayoutBuilder<Parent>("Parents", "PAR")
                                     .field<&Parent::NUMBER>("NUMBER")
                                     .field<&Parent::NAME>("NAME")
                                     .key("PAR:BYNUM", {"NUMBER"}, NoCase | Opt | Primary)
                                     .build();
    const Layout childLayout_ = LayoutBuilder<Child>("Children", "CHI")
                                    .field<&Child::CODER>("CODER")
                                    .field<&Child::LINE>("LINE")
                                    .field<&Child::TEXT>("TEXT")
                                    .key("CHI:BYCODER", {"CODER", "LINE"}, Dup | NoCase | Opt)
                                    .build();
    const std::vector<std::pair<int, int>> links_ = {{0, 0}};  // NUMBER -> CODER
    Parent parent_;
    Child child_;
    RecordFile parents_{parentLayout_, &parent_};
    RecordFile children_{childLayout_, &child_};
};

TEST_F(CascadeTest, AttachCreatesAMissingRelatedFileAndRefusesAForeignOne)
{
    ASSERT_EQ(::unlink(kChildDisk), 0);
    {
        QFile f(QString::fromLatin1(kChildDisk));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("foreign");
    }
    EXPECT_EQ(parents_.attach(childLayout_), kBadFileStructure);
    EXPECT_EQ(bytesOf(kChildDisk), QByteArray("foreign"));
    EXPECT_EQ(parents_.cascadeDelete(childLayout_, links_, &parent_), kFileNotOpen);

    ASSERT_EQ(::unlink(kChildDisk), 0);
    EXPECT_EQ(parents_.attach(childLayout_), 0);
    EXPECT_EQ(parents_.attach(childLayout_), 0);  // once per connection
    EXPECT_EQ(children_.open(OpenAccess::ReadWrite), 0);
    parents_.detachAll();
    EXPECT_EQ(parents_.cascadeDelete(childLayout_, links_, &parent_), kFileNotOpen);
}

TEST_F(CascadeTest, CascadesCommitOrRollBackWithTheParentsWrite)
{
    ASSERT_EQ(parents_.attach(childLayout_), 0);
    for (bool commit : {false, true}) {
        ASSERT_EQ(parents_.fetch(1), 0);
        const Parent old = parent_;
        EXPECT_EQ(parents_.write([&] {
            parent_.NUMBER = 5;
            EXPECT_EQ(parents_.put(), 0);
            std::int64_t changed = 0;
            EXPECT_EQ(parents_.cascadeUpdate(childLayout_, links_, &old, &parent_, &changed), 0);
            EXPECT_EQ(changed, 3);
            return commit ? 0 : kRecordNotFound;
        }),
                  commit ? 0 : kRecordNotFound);
        EXPECT_EQ(childrenOf(1), commit ? 0 : 3) << commit;
        EXPECT_EQ(childrenOf(5), commit ? 3 : 0) << commit;
    }

    for (bool commit : {false, true}) {
        ASSERT_EQ(parents_.fetch(1), 0);  // now number 5
        EXPECT_EQ(parents_.write([&] {
            std::int64_t changed = 0;
            EXPECT_EQ(parents_.cascadeDelete(childLayout_, links_, &parent_, &changed), 0);
            EXPECT_EQ(changed, 3);
            EXPECT_EQ(parents_.remove(), 0);
            return commit ? 0 : kRecordNotFound;
        }),
                  commit ? 0 : kRecordNotFound);
        EXPECT_EQ(childrenOf(5), commit ? 0 : 3) << commit;
        EXPECT_EQ(parents_.fetch(1), commit ? kRecordNotFound : 0);
    }
    EXPECT_EQ(childrenOf(2), 1);
}

TEST_F(CascadeTest, CascadesSeekInTheChildsKey)
{
    ASSERT_EQ(parents_.attach(childLayout_), 0);
    ASSERT_EQ(parents_.fetch(1), 0);
    Parent renumbered = parent_;
    renumbered.NUMBER = 7;
    const std::vector<std::string> texts = statementsRunBy(parents_.connection(), [&] {
        parents_.cascadeUpdate(childLayout_, links_, &parent_, &renumbered);
        parents_.cascadeDelete(childLayout_, links_, &renumbered);
    });
    ASSERT_EQ(texts.size(), 2u);
    for (const std::string& sql : texts) {
        const std::string plan = queryPlanOf(parents_.connection(), sql);
        EXPECT_TRUE(seeksIn(plan, "BYCODER")) << sql << "\n" << plan;
    }
}

}  // namespace
