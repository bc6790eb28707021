// The page cache of a browse over the rates by category and code: a range of one category
// whose rates without a code form a run of equal key values, with and without a filter, walked
// by rows and by pages both ways and filled around a row in the middle of the run.
#include "data/thread_data.h"
#include "platform/ui/browse/browse_page.h"
#include "tests/support/test_threads.h"
#include "tests/support/ui_driver.h"

namespace {

QString nameOf(const ui::BrowseRow* row) { return reinterpret_cast<const RaszenkiRecord*>(row->record.data())->NAME.toQString(); }

struct BrowsePageOverRates : test::ThreadsFixture {
    void walk(bool filtered);
};

constexpr int kPage = 5;

void BrowsePageOverRates::walk(bool filtered)
{
    ui::ThreadId t = test::start([filtered] {
        Relate(FileId::Raszenki).Open();
        records::RecordFile& f = Access(FileId::Raszenki).file();
        auto add = [&](const char* group, const QString& code, const QString& name) {
            WRK() = RaszenkiRecord{};
            WRK().GROUP = group;
            WRK().NRAS = code;
            WRK().NAME = name;
            ASSERT_EQ(f.add(), 0);
        };
        // category 2 in key order: the rates without a code by position, then the coded ones
        std::vector<QString> expected;
        auto expect = [&](const QString& name) {
            if (!filtered || !name.startsWith("skip")) expected.push_back(name);
        };
        add("3", "3-1", "other");
        for (int i = 0; i < 24; ++i) {
            const QString name = QStringLiteral("%1%2").arg(i % 4 == 1 ? "skip" : "run").arg(i);
            add("2", "", name);
            expect(name);
            if (i == 10) add("1", "1-1", "other");
        }
        for (const char* code : {"2-c", "2-a", "2-b"}) add("2", code, QString("coded ") + code);
        for (const char* code : {"2-a", "2-b", "2-c"}) expect(QString("coded ") + code);

        ui::BrowsePage page(f);
        RaszenkiRecord range{};
        range.GROUP = "2";
        records::Condition filter;
        if (filtered) filter = {"instr(\"NAME\", ?) <> 1", {std::string("skip")}};
        page.setView(RaszenkiLayout().keyIndex("WRK:ONGROUP"), 1, &range, filter);
        page.setSize(kPage);

        std::vector<QString> forward, backward;
        page.fillFromStart();
        EXPECT_TRUE(page.atStart());
        do forward.push_back(nameOf(page.highlightedRow()));
        while (page.down());
        EXPECT_EQ(forward, expected);
        EXPECT_TRUE(page.atEnd());

        page.fillFromEnd();
        do backward.push_back(nameOf(page.highlightedRow()));
        while (page.up());
        EXPECT_EQ(backward, std::vector<QString>(expected.rbegin(), expected.rend()));

        // a page down moves the highlight one page on, and onto the last row at the end
        page.fillFromStart();
        std::vector<QString> paged;
        while (page.pageDown()) paged.push_back(nameOf(page.highlightedRow()));
        std::vector<QString> everyPage;
        for (std::size_t i = kPage; i < expected.size(); i += kPage) everyPage.push_back(expected[i]);
        if ((expected.size() - 1) % kPage) everyPage.push_back(expected.back());
        EXPECT_EQ(paged, everyPage);
        EXPECT_EQ(int(page.rows().size()), kPage);
        while (page.pageUp()) {
        }
        EXPECT_EQ(nameOf(page.highlightedRow()), expected.front());
        EXPECT_TRUE(page.atStart());

        // around a row in the middle of the run, with two rows above it
        page.fillFromStart();
        for (int i = 0; i < 9; ++i) page.down();
        const ui::BrowseRow middle = *page.highlightedRow();
        page.fillFromEnd();
        page.fillAt(middle.record.data(), middle.position, 2);
        EXPECT_EQ(nameOf(page.highlightedRow()), expected[9]);
        EXPECT_EQ(page.highlighted(), 2);
        EXPECT_EQ(nameOf(&page.rows().front()), expected[7]);
        Relate(FileId::Raszenki).Close();
    });
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(BrowsePageOverRates, WalksARangeWithARunOfEqualKeysByRowsAndByPages) { walk(false); }

TEST_F(BrowsePageOverRates, WalksTheRowsAFilterAccepts) { walk(true); }

}  // namespace
