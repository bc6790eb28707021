// The work-line form as the estimate editor and the catalogue call it, by name from a small
// caller on a thread of its own, with stand-ins for the catalogue and the unit list: the
// amounts following the spins and typed values, a rate or unit taken or not, the recalculation,
// the estimate and section a line is stored under, "Запись добавлена" and the changes refused
// because a result would not fit its field.
#include "tests/estimate/estimate_windows.h"

#include "data/globals.h"
#include "estimate/lines/update_wrks_in_smt.h"
#include "platform/ui/windows/control_colors.h"
#include "platform/ui/windows/spin_box.h"
#include "tests/support/raw_sqlite.h"

#include <QAbstractSpinBox>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

enum Controls {
    kLookup = 1,
    kQuantity = 4,
    kKoeff = 6,
    kRecalc = 7,
    kCode = 8,
    kEstimate = 10,
    kSection = 12,
    kLine = 14,
    kName = 17,
    kUnit = 19,
    kChooseUnit = 20,
    kPrice = 23,
    kWages = 25,
    kMachines = 27,
    kMachinists = 29,
    kTotal = 32,
    kWagesTotal = 34,
    kMachinesTotal = 36,
    kMachinistsTotal = 38,
    kOk = 39,
    kCancel = 40,
};

const QString kTooWide = "Стоимость не помещается в поле. Изменение не принято.";

Decimal d(const char* text) { return *Decimal::parse(text); }

struct Rate {
    const char *code, *name, *unit, *total, *wages, *machines, *machinists;
};
const Rate kBrick{"Е08-01", "Кладка стен", "м3", "120.50", "30.25", "10.10", "4.05"};
const Rate kOld{"Е01-99", "Старая расценка", "шт", "1.00", "1.00", "1.00", "1.00"};

void putRate(const Rate& r)
{
    RaszenkiRecord& w = WRK();
    w.NRAS = QString::fromUtf8(r.code);
    w.NAME = QString::fromUtf8(r.name);
    w.EDIZM = QString::fromUtf8(r.unit);
    w.CENA_OB = d(r.total);
    w.CENA_TZ = d(r.wages);
    w.EKSPLM = d(r.machines);
    w.ZARPLM = d(r.machinists);
    w.CENA_M = d("3.33");
}

struct LineForm : test::EstimateWindows {
    LineForm()
    {
        ui::registerProcedure("UpdateWrksInSmt", [](const ui::ProcedureArgs&) { UpdateWrksInSmt(); });
        // The lookups answer as a lookup does: the chosen record left in the buffer with 1, or
        // the buffer as it was before with 2.
        ui::registerProcedure("BrowseRaszenki", [this](const ui::ProcedureArgs&) {
            requests.push_back(ProcRequest());
            ProcRequest() = 0;
            if (rateAnswer == 1) putRate(offered);
            ProcResponse() = rateAnswer;
        });
        ui::registerProcedure("BrowseEdIzmer", [this](const ui::ProcedureArgs&) {
            requests.push_back(ProcRequest());
            ProcRequest() = 0;
            if (unitAnswer == 1) EDI().EDIZM = "кг";
            ProcResponse() = unitAnswer;
        });
    }
    ~LineForm() override
    {
        for (int i = 0; i < 5 && ui::Scheduler::instance().isRunning(thread); ++i) {
            messages.answer(BUTTON_NO);  // "Сохранение записи": not stored
            if (window) ui::post(thread, EVENT::CloseWindow);
            test::waitEnded(thread, 1000);
        }
        for (const char* name : {"UpdateWrksInSmt", "BrowseRaszenki", "BrowseEdIzmer"}) ui::unregisterProcedure(name);
    }

    // The editor's insert into a section: the buffer cleared, the numbers set and the line
    // primed retaining them; `before` runs first on the thread (what it left in other buffers).
    void insert(int estimate, int section, std::function<void()> before = {})
    {
        call(FileId::WrksInSmt, [=] {
            if (before) before();
            Access(FileId::WrksInSmt).layout().clear(&NSB());
            NSB().CODER = std::int16_t(estimate);
            NSB().GRINSMETA = std::uint8_t(section);
            ASSERT_EQ(Access(FileId::WrksInSmt).PrimeRecord(true), records::Level::Benign);
            ProcRequest() = ui::REQUEST::InsertRecord;
            ui::callProcedure("UpdateWrksInSmt");
        });
    }
    // The catalogue's "В Смету": nothing primed; `before` reads what the catalogue's thread reads.
    void fromCatalogue(std::function<void()> before, bool expectWindow = true)
    {
        call(FileId::WrksInSmt, [=] {
            Relate(FileId::GroupsWks).Open();
            if (before) before();
            ProcRequest() = ui::REQUEST::InsertRecord;
            ui::callProcedure("UpdateWrksInSmt");
            Relate(FileId::GroupsWks).Close();
        }, expectWindow);
    }
    void change(int estimate, int section, int number, std::uint8_t request = ui::REQUEST::ChangeRecord,
                bool expectWindow = true)
    {
        call(FileId::WrksInSmt, [=] {
            NSB().CODER = std::int16_t(estimate);
            NSB().GRINSMETA = std::uint8_t(section);
            NSB().NUMINGROUP = std::int16_t(number);
            ASSERT_EQ(Access(FileId::WrksInSmt).file().get(WrksInSmtLayout().keyIndex("NSB:ONSMETNUM")), records::kNoError);
            ProcRequest() = request;
            ui::callProcedure("UpdateWrksInSmt");
        }, expectWindow);
    }
    // A stored line: numbers, code, quantity, unit prices, amounts, coefficient, name.
    std::vector<QString> stored()
    {
        return EstimateWindows::stored(FileId::WrksInSmt, [] {
            const WrksInSmtRecord& l = NSB();
            auto f = [](const Decimal& v, int places) { return QString::fromStdString(v.toFixedString(places)); };
            return QStringLiteral("%1/%2/%3 %4 q%5 %6 %7 %8 %9 = %10 %11 %12 %13 k%14 %15")
                .arg(l.CODER).arg(l.GRINSMETA).arg(l.NUMINGROUP).arg(l.NRAS.toQString())
                .arg(f(l.CHELCH, 2), f(l.CENA_OB, 2), f(l.CENA_TZ, 2), f(l.EKSPLM, 2), f(l.ZARPLM, 2))
                .arg(f(l.KCHELCHM, 2), f(l.VOZVRAT, 2), f(l.ITEXPMASH, 2), f(l.ITZARPMASH, 2))
                .arg(f(l.KOOEFF, 4), l.NAME.toQString());
        });
    }
    QString amounts(ui::Window* w)
    {
        return text(w, kTotal) + " " + text(w, kWagesTotal) + " " + text(w, kMachinesTotal) + " " +
               text(w, kMachinistsTotal);
    }
    QString prices(ui::Window* w)
    {
        return text(w, kPrice) + " " + text(w, kWages) + " " + text(w, kMachines) + " " + text(w, kMachinists);
    }
    void retypeSpin(ui::Window* w, int control, const QString& value)
    {
        auto* spin = static_cast<QAbstractSpinBox*>(w->control(control)->widget());
        spin->setFocus();
        spin->selectAll();
        QTest::keyClick(spin, Qt::Key_Delete);
        type(spin, value);
    }
    void step(ui::Window* w, int control, Qt::Key k = Qt::Key_Up)
    {
        key(w->control(control)->widget(), k);
    }
    // The estimate 1 with sections 1 and 2, and lines 1/1/1 and 1/1/2.
    void fill()
    {
        addHeader(1, "Школа");
        addSection(1, 1);
        addSection(1, 2);
        addLines(1, 1, 2);
    }

    std::vector<int> requests;
    int rateAnswer = 1, unitAnswer = 1;
    Rate offered = kBrick;
};

TEST_F(LineForm, ATakenRateIsCostedAndTheAmountsFollowEverySpinStepAndTypedQuantity)
{
    fill();
    insert(1, 1);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->title(), "Добавление работы в смете");
    EXPECT_EQ(text(window, kLine), "3");
    EXPECT_EQ(text(window, kKoeff), "1.0000");
    EXPECT_EQ(window->focusedControl(), kLookup);
    EXPECT_TRUE(window->control(kLookup)->isEnabled());
    EXPECT_EQ(window->control(kLookup)->widget()->cursor().shape(), Qt::PointingHandCursor);
    const QWidget* quantity = window->control(kQuantity)->widget();
    EXPECT_EQ(quantity->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(quantity->palette().color(QPalette::Text), QColor(255, 0, 0));
    for (const auto& [c, color] : std::vector<std::pair<int, QColor>>{
             {kEstimate, {192, 192, 192}}, {kCode, {181, 251, 226}}, {kName, {181, 251, 226}}, {kTotal, {221, 245, 253}}})
        EXPECT_EQ(window->control(c)->widget()->palette().color(QPalette::Base), color) << c;

    press(window, kLookup);
    EXPECT_EQ(requests, std::vector<int>{4});
    EXPECT_EQ(text(window, kCode), "Е08-01");
    EXPECT_EQ(text(window, kName), "Кладка стен");
    EXPECT_EQ(text(window, kUnit), "м3");
    EXPECT_EQ(prices(window), "120.50 30.25 10.10 4.05");
    EXPECT_EQ(amounts(window), "0.00 0.00 0.00 0.00");
    EXPECT_EQ(window->focusedControl(), kQuantity);

    step(window, kQuantity);
    EXPECT_EQ(amounts(window), "120.50 30.25 10.10 4.05");
    step(window, kWages);  // a unit price's step counts too
    EXPECT_EQ(amounts(window), "120.50 31.25 10.10 4.05");
    step(window, kWages, Qt::Key_Down);
    retypeSpin(window, kQuantity, "2.5");
    messages.answer(BUTTON_NO);  // "Запись добавлена": no other line
    press(window, kOk);  // the typed quantity is accepted first
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Запись добавлена");
    EXPECT_EQ(stored()[2], "1/1/3 Е08-01 q2.50 120.50 30.25 10.10 4.05 = 301.25 75.63 25.25 10.13 k1.0000 Кладка стен");
}

TEST_F(LineForm, OpeningShowsTheStoredAmountsAndEachRecalculationCompounds)
{
    fill();
    // a line whose stored amounts do not follow its prices
    addRecords(FileId::WrksInSmt, 1, [](int) {
        NSB().CODER = 1;
        NSB().GRINSMETA = 2;
        NSB().NUMINGROUP = 1;
        NSB().NAME = "Кладка";
        NSB().CENA_OB = d("120.50");
        NSB().CENA_TZ = d("30.25");
        NSB().EKSPLM = d("10.10");
        NSB().ZARPLM = d("4.05");
        NSB().CHELCH = d("2.5");
        NSB().KCHELCHM = d("7");
        NSB().KOOEFF = d("1");
    });
    change(1, 2, 1);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->title(), "Изменение работы в смете");
    EXPECT_EQ(amounts(window), "7.00 0.00 0.00 0.00");
    EXPECT_EQ(text(window, kKoeff), "0.0000");
    press(window, kRecalc);  // K 0: the amounts only
    EXPECT_EQ(prices(window), "120.50 30.25 10.10 4.05");
    EXPECT_EQ(amounts(window), "301.25 75.63 25.25 10.13");

    retypeSpin(window, kKoeff, "1.1");
    press(window, kRecalc);
    EXPECT_EQ(prices(window), "124.54 33.28 11.11 4.46");
    EXPECT_EQ(amounts(window), "311.35 83.20 27.78 11.15");
    key(window->control(kKoeff)->widget(), Qt::Key_F5);  // F5 presses "Счет"
    EXPECT_EQ(prices(window), "128.98 36.61 12.22 4.91");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);
    EXPECT_EQ(stored()[2], "1/2/1  q2.50 128.98 36.61 12.22 4.91 = 322.45 91.53 30.55 12.28 k1.2100 "
                           "Кладка;с К=  1.10;с К=  1.10");
}

TEST_F(LineForm, ALookupClosedWithoutAChoiceLeavesTheLineAsItWas)
{
    fill();
    // an earlier rate and unit left in the thread's buffers
    insert(1, 1, [] {
        putRate(kOld);
        EDI().EDIZM = "т";
    });
    offered = kBrick;
    press(window, kLookup);
    retypeSpin(window, kQuantity, "2");
    press(window, kChooseUnit);
    EXPECT_EQ(text(window, kUnit), "кг");
    EXPECT_EQ(window->focusedControl(), kUnit);  // back from the list to the unit it filled in

    rateAnswer = 2;
    unitAnswer = 2;
    offered = kOld;
    press(window, kLookup);
    press(window, kChooseUnit);
    EXPECT_EQ(requests, (std::vector<int>{4, 4, 4, 4}));
    EXPECT_EQ(text(window, kCode), "Е08-01");
    EXPECT_EQ(text(window, kUnit), "кг");
    EXPECT_EQ(prices(window), "120.50 30.25 10.10 4.05");
    EXPECT_EQ(amounts(window), "241.00 60.50 20.20 8.10");
}

TEST_F(LineForm, TheEditorsLineKeepsItsEstimateAndTheCataloguesTakesTheCurrentOne)
{
    fill();
    addHeader(3, "Аптека");
    addSection(3, 2);
    GLO::CurrentSmeta = 0;  // reset by a second editor's tear-down
    insert(1, 2);
    EXPECT_EQ(text(window, kEstimate), "1");
    EXPECT_EQ(text(window, kSection), "2");
    press(window, kOk);
    ASSERT_TRUE(ended());

    GLO::CurrentSmeta = 3;
    fromCatalogue([] { ASSERT_TRUE(readSection(3, 2)); });
    EXPECT_EQ(text(window, kEstimate), "3");
    EXPECT_EQ(text(window, kSection), "2");
    EXPECT_EQ(text(window, kKoeff), "1.0000");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);

    // a thread that has read no section: section 0, which estimate 3 does not have
    fromCatalogue({});
    EXPECT_EQ(text(window, kSection), "0");
    messages.clear();
    press(window, kOk);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "В смете нет раздела с таким номером.");
    EXPECT_EQ(messages.shown()[0].caption, "Смета");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
    EXPECT_TRUE(window->isOpen());
    EXPECT_EQ(window->focusedControl(), kSection);
    retype(window, kSection, "2");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(lines(), (std::vector<test::Line>{{1, 1, 1}, {1, 1, 2}, {1, 2, 1}, {3, 2, 1}, {3, 2, 2}}));
}

TEST_F(LineForm, YesGoesOnWithTheNextLineOfTheSameSection)
{
    fill();
    for (bool catalogue : {false, true}) {
        GLO::CurrentSmeta = 1;
        if (catalogue)
            fromCatalogue([] { ASSERT_TRUE(readSection(1, 1)); });
        else
            insert(1, 1);
        press(window, kLookup);
        retypeSpin(window, kQuantity, "3");
        retypeSpin(window, kKoeff, "2");
        GLO::CurrentSmeta = 0;  // the next line stays where the first went
        messages.answer(BUTTON_YES);
        press(window, kOk);
        ASSERT_TRUE(window->isOpen()) << catalogue;
        EXPECT_EQ(text(window, kLine), catalogue ? "5" : "4") << catalogue;
        EXPECT_EQ(text(window, kEstimate), "1") << catalogue;
        EXPECT_EQ(text(window, kSection), "1") << catalogue;
        EXPECT_EQ(text(window, kQuantity), "0.00") << catalogue;
        EXPECT_EQ(text(window, kKoeff), "1.0000") << catalogue;
        EXPECT_EQ(text(window, kCode), "") << catalogue;  // what was entered for the stored line is gone
        EXPECT_EQ(window->focusedControl(), kLookup) << catalogue;
        press(window, kCancel);
        ASSERT_TRUE(ended()) << catalogue;
        EXPECT_EQ(response, 1) << catalogue;
    }
    EXPECT_EQ(lines(), (std::vector<test::Line>{{1, 1, 1}, {1, 1, 2}, {1, 1, 3}, {1, 1, 4}}));
    EXPECT_EQ(stored()[3], "1/1/4 Е08-01 q3.00 120.50 30.25 10.10 4.05 = 361.50 90.75 30.30 12.15 k0.0000 Кладка стен");
}

TEST_F(LineForm, AChangeWhoseResultWouldNotFitIsRefusedWhole)
{
    fill();
    offered = {"Е99", "Дорогая", "шт", "60000", "20000", "0", "20000"};
    insert(1, 1);
    press(window, kLookup);
    auto accept = [&](int control, const char* value) {
        retypeSpin(window, control, value);
        window->control(kName)->select();
        settle();
    };
    accept(kQuantity, "10000");
    EXPECT_EQ(amounts(window), "600,000,000.00 200,000,000.00 0.00 200,000,000.00");
    struct Case {
        const char* name;
        std::function<void()> prepare, act;
    } cases[] = {
        {"a typed quantity", {}, [&] { accept(kQuantity, "20000"); }},
        {"a quantity typed and OK pressed", {}, [&] { retypeSpin(window, kQuantity, "20000"); press(window, kOk); }},
        {"a unit price stepped", [&] { accept(kQuantity, "16666.66"); }, [&] { step(window, kPrice); }},
        {"a recalculation", [&] { accept(kKoeff, "10"); }, [&] { press(window, kRecalc); }},
    };
    // the quantity as it reads, shown grouped or edited without the grouping
    auto quantity = [&] { return text(window, kQuantity).remove(u','); };
    for (const Case& c : cases) {
        if (c.prepare) c.prepare();
        const std::vector<QString> before = {quantity(), prices(window), amounts(window), text(window, kName)};
        messages.clear();
        c.act();
        ASSERT_EQ(messages.shown().size(), 1u) << c.name;
        EXPECT_EQ(messages.shown()[0].text, kTooWide) << c.name;
        EXPECT_EQ(messages.shown()[0].caption, "Смета") << c.name;
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information) << c.name;
        EXPECT_TRUE(window->isOpen()) << c.name;
        EXPECT_EQ((std::vector<QString>{quantity(), prices(window), amounts(window), text(window, kName)}), before)
            << c.name;
    }
    EXPECT_EQ(text(window, kPrice), "60,000.00");
    EXPECT_EQ(amounts(window), "999,999,600.00 333,333,200.00 0.00 333,333,200.00");

    // a rate whose amounts would not fit is not taken
    offered = kBrick;
    press(window, kLookup);
    offered = {"Е98", "Ещё дороже", "шт", "99999.99", "0", "0", "0"};
    retypeSpin(window, kQuantity, "99999.99");
    messages.clear();
    press(window, kLookup);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, kTooWide);
    EXPECT_EQ(text(window, kCode), "Е08-01");
    EXPECT_EQ(prices(window), "120.50 30.25 10.10 4.05");
}

TEST_F(LineForm, RefusalsWithoutTheWindow)
{
    fill();
    // the catalogue's estimate has a section numbered past what a line holds (an older file)
    addSection(1, 300);
    fromCatalogue([] { ASSERT_TRUE(readSection(1, 300)); }, false);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 2);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Номер раздела должен быть от 0 до 255.");
    EXPECT_EQ(messages.shown()[0].caption, "Смета");

    messages.answer(BUTTON_NO);
    change(1, 1, 2, ui::REQUEST::DeleteRecord, false);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 2);
    messages.answer(BUTTON_YES);
    change(1, 1, 2, ui::REQUEST::DeleteRecord, false);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);
    EXPECT_EQ(messages.shown().back().caption, "Подтвердите Удаление");
    EXPECT_EQ(lines(), (std::vector<test::Line>{{1, 1, 1}}));

    // without the catalogue registered its lookup is off
    ui::unregisterProcedure("BrowseRaszenki");
    insert(1, 1);
    EXPECT_FALSE(window->control(kLookup)->isEnabled());
}

}  // namespace

TEST_F(LineForm, ItsOkKeepsTheActQuantityStoredWhileTheFormWasOpen)
{
    fill();
    change(1, 1, 2);
    ASSERT_TRUE(window);
    retypeSpin(window, kQuantity, "4");
    // the act window fills the line meanwhile
    RawConnection("WRKSINSM.TPS").exec("UPDATE records SET ONAKT = 250 WHERE NUMINGROUP = 2");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);
    EXPECT_EQ(RawConnection("WRKSINSM.TPS").column("SELECT CHELCH || '/' || ONAKT FROM records WHERE NUMINGROUP = 2"),
              std::vector<std::string>{"400/250"});
}
