// The act kept in the work lines: the colours of plan and act, what a fill stores (rounding,
// every line of the estimate and no other, all or nothing), the section sum, and the two ways
// a line is written back over the one the file holds.
#include "estimate/act/act_lines.h"
#include "estimate/act/act_rules.h"

#include "platform/ui/windows/control_colors.h"
#include "tests/estimate/act_records.h"
#include "tests/support/raw_sqlite.h"

#include <QColor>

#include <string>
#include <vector>

namespace {

Decimal d(const char* text) { return *Decimal::parse(text); }

std::uint32_t ref(int red, int green, int blue) { return std::uint32_t(red | green << 8 | blue << 16); }

TEST(ActRules, ActColoursFollowThePlanAndThePlanIsOnSilver)
{
    const std::uint32_t none = ui::COLOR_NONE;
    const std::uint32_t red = ref(255, 0, 0), yellow = ref(255, 255, 0);
    struct Case {
        const char* act;
        std::uint32_t text, background;
    };
    for (const Case& c : {Case{"12.00", yellow, red}, Case{"10.01", yellow, red}, Case{"10.00", red, yellow},
                          Case{"4.00", red, yellow}, Case{"0", none, none}, Case{"-1", none, none}}) {
        WrksInSmtRecord line{};
        line.CHELCH = d("10.00");
        line.ONAKT = d(c.act);
        const ui::CellColors colors = ActColors(line);
        EXPECT_EQ(colors.text, c.text) << c.act;
        EXPECT_EQ(colors.background, c.background) << c.act;
        EXPECT_EQ(colors.selectedText, none) << c.act;
        EXPECT_EQ(colors.selectedBackground, none) << c.act;
    }
    EXPECT_EQ(PlanColors().background, ref(192, 192, 192));
    EXPECT_EQ(ui::colorOfRef(PlanColors().background), QColor(192, 192, 192));
    EXPECT_EQ(PlanColors().text, none);
    EXPECT_EQ(PlanColors().selectedBackground, none);
}

TEST(ActRules, FillRoundsHalfAwayFromZeroToTwoPlaces)
{
    struct Case {
        const char *plan, *share, *act;
    };
    for (const Case& c : {Case{"0.01", "0.25", "0"}, Case{"0.03", "0.5", "0.02"}, Case{"1.01", "0.75", "0.76"},
                          Case{"-0.03", "0.5", "-0.02"}, Case{"-1.01", "0.75", "-0.76"}, Case{"99999.99", "1", "99999.99"},
                          Case{"7.77", "0", "0"}})
        EXPECT_EQ(FillValue(d(c.plan), d(c.share)), d(c.act)) << c.plan << " x " << c.share;
}

struct ActLines : test::ActRecords {
    // The act quantities in the order of the lines' key.
    std::vector<QString> acts()
    {
        return stored(FileId::WrksInSmt, [] {
            return QStringLiteral("%1/%2/%3:%4")
                .arg(NSB().CODER)
                .arg(NSB().GRINSMETA)
                .arg(NSB().NUMINGROUP)
                .arg(QString::fromStdString(NSB().ONAKT.value().toPlainString()));
        });
    }
    bool fill(int estimate, const char* share)
    {
        bool ok = false;
        onThread([&] {
            Relate(FileId::WrksInSmt).Open();
            // a row in editing holds the buffer and the position
            records::RecordFile& f = Access(FileId::WrksInSmt).file();
            NSB().NAME = QStringLiteral("в правке");
            f.setPosition(2);
            ok = FillAct(estimate, d(share));
            EXPECT_EQ(NSB().NAME.toQString(), QStringLiteral("в правке"));
            EXPECT_EQ(f.position(), 2);
            Relate(FileId::WrksInSmt).Close();
        });
        return ok;
    }
};

TEST_F(ActLines, FillReachesEveryLineOfTheEstimateAndNoOther)
{
    addLines({{1, 0, 0, "4.00", "9"},
         {1, 0, 3, "1.01", "9"},
         {1, 1, 0, "0.03", "9"},
         {1, 1, 1, "-2.00", "9"},
         {1, 7, 40, "10.00", "9"},
         {2, 0, 0, "8.00", "9"},
         {2, 1, 1, "8.00", "9"},
         {0, 1, 1, "8.00", "9"}});
    ASSERT_TRUE(fill(1, "0.5"));
    EXPECT_EQ(acts(), (std::vector<QString>{"0/1/1:9", "1/0/0:2", "1/0/3:0.51", "1/1/0:0.02", "1/1/1:-1", "1/7/40:5",
                                            "2/0/0:9", "2/1/1:9"}));
    // a second fill overwrites every line again, also one edited meanwhile
    ASSERT_TRUE(fill(1, "0"));
    EXPECT_EQ(acts(), (std::vector<QString>{"0/1/1:9", "1/0/0:0", "1/0/3:0", "1/1/0:0", "1/1/1:0", "1/7/40:0", "2/0/0:9",
                                            "2/1/1:9"}));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ActLines, AFillThatFailsHalfWayChangesNothingAndSaysSo)
{
    std::vector<test::ActLine> lines;
    for (int i = 1; i <= 1200; ++i) lines.push_back({1, 1, i, "10.00", "1"});
    addLines(lines);
    const std::vector<QString> before = acts();
    // the write of a line past the first batch is refused
    RawConnection("WRKSINSM.TPS")
        .exec("CREATE TRIGGER refuse BEFORE UPDATE ON records WHEN NEW.NUMINGROUP = 700 BEGIN"
              " SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_FALSE(fill(1, "1"));
    EXPECT_EQ(acts(), before);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Запись не обновляется"));
}

TEST_F(ActLines, SectionSumIsExactAndCountsOnlyThatSection)
{
    addLines({{1, 1, 1, "0", "0.10"},
         {1, 1, 2, "0", "0.20"},
         {1, 1, 3, "0", "-0.05"},
         {1, 2, 1, "0", "5.00"},
         {2, 1, 1, "0", "7.00"}});
    struct Case {
        int estimate, section;
        const char* sum;
    };
    onThread([&] {
        Relate(FileId::WrksInSmt).Open();
        for (const Case& c : {Case{1, 1, "0.25"}, Case{1, 2, "5"}, Case{1, 3, "0"}, Case{2, 1, "7"}, Case{1, 257, "0"}}) {
            Decimal sum(99);
            EXPECT_TRUE(SectionActSum(c.estimate, c.section, sum));
            EXPECT_EQ(sum, d(c.sum)) << c.estimate << "/" << c.section;
        }
        Relate(FileId::WrksInSmt).Close();
    });
}

TEST_F(ActLines, AWriteBackKeepsWhatTheOtherWindowStoredMeanwhile)
{
    addLines({{1, 1, 1, "10.00", "0"}, {1, 1, 2, "10.00", "0"}});
    std::vector<QString> after;
    onThread([&] {
        Relate(FileId::WrksInSmt).Open();
        records::RecordFile& f = Access(FileId::WrksInSmt).file();
        // a window that read the line before the other one stored its change
        auto store = [&](records::Position p, const WrksInSmtRecord& read, void (*change)(WrksInSmtRecord&),
                         void (*keep)(const void*)) {
            NSB() = read;
            change(NSB());
            f.setPosition(p);
            EXPECT_EQ(Relate(FileId::WrksInSmt).Update(keep), records::Level::Benign);
        };
        auto form = [](WrksInSmtRecord& l) {
            l.CHELCH = d("12.00");
            l.NAME = QStringLiteral("Форма");
        };
        auto act = [](WrksInSmtRecord& l) { l.ONAKT = d("3.00"); };
        for (records::Position p : {1, 2}) {
            ASSERT_EQ(f.fetch(p), records::kNoError);
            const WrksInSmtRecord read = NSB();
            if (p == 1) {  // the form's OK after an act edit
                store(p, read, act, KeepStoredLineButAct);
                store(p, read, form, KeepStoredAct);
            } else {  // an act edit after the form's OK
                store(p, read, form, KeepStoredAct);
                store(p, read, act, KeepStoredLineButAct);
            }
            ASSERT_EQ(f.fetch(p), records::kNoError);
            after.push_back(QStringLiteral("%1/%2/%3").arg(QString::fromStdString(NSB().CHELCH.value().toPlainString()),
                                                          QString::fromStdString(NSB().ONAKT.value().toPlainString()),
                                                          NSB().NAME.toQString()));
        }
        Relate(FileId::WrksInSmt).Close();
    });
    EXPECT_EQ(after, (std::vector<QString>{"12/3/Форма", "12/3/Форма"}));
}

}  // namespace
