// The rate catalogue over eight rates in categories "1", "2" and "A1": its tabs and their
// orders, the name filters, the category selector, "В Смету", what it remembers and its role as
// the work-line form's lookup.
#include "catalogue/rates/browse_raszenki.h"
#include "data/globals.h"
#include "platform/records/scan_slice.h"
#include "platform/ui/windows/procedures.h"
#include "tests/catalogue/catalogue_windows.h"
#include "tests/support/program_settings.h"

#include "platform/ui/browse/query_store.h"
#include "platform/ui/threads/dialog_script.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QScreen>
#include <QLabel>
#include <QTabWidget>

namespace {

using namespace Qt::StringLiterals;

enum Controls {
    kList = 1,
    kSelect = 2,
    kPut = 6,
    kQuery = 7,
    kTabs = 8,
    kCode = 10,
    kCategory = 12,
    kName = 15,
    kFilter = 18,
    kClose = 19,
    kFullName = 21
};
enum CategoryForm { kNewCode = 3, kNewName = 5, kNewOk = 6, kNewCancel = 7 };

struct PricedRate {
    const char* group;
    const char* code;
    const char* name;
    int price;
};
// one without a code, one without a name
const PricedRate kRates[] = {
    {"1", "01-001", "Разработка грунта", 50},        {"1", "01-002", "Засыпка траншей", 120},
    {"2", "02-001", "Кладка стен из кирпича", 300},  {"2", "02-002", "Разборка кладки", 80},
    {"A1", "A1-001", "Окраска 'Люкс' = шёлк", 150},        {"A1", "A1-002", "Скидка 10%", 5},
    {"1", "", "Без шифра_итог", 0},                  {"2", "03-001", "", 200},
};

class Catalogue : public test::CatalogueWindows {
protected:
    Catalogue()
    {
        LastRateCategory.clear();
        LastRateTab = 0;
        GLO::CurrentSmeta = 0;
        addCategories({{"1", u"Земляные работы"_s}, {"2", u"Кладочные работы"_s}, {"A1", u"Отделка"_s}});
        addRecords(FileId::Raszenki, int(std::size(kRates)), [](int i) {
            const PricedRate& r = kRates[i];
            WRK().GROUP = QString::fromUtf8(r.group);
            WRK().NRAS = QString::fromUtf8(r.code);
            WRK().NAME = QString::fromUtf8(r.name);
            WRK().EDIZM = QStringLiteral("м3");
            WRK().CENA_OB = Decimal(r.price);
            WRK().CODER = 1;
        });
    }
    ~Catalogue() override
    {
        // the caller writes into this fixture as it ends
        if (ui::Scheduler::instance().isRunning(thread)) ui::post(thread, EVENT::CloseWindow);
        test::waitEnded(thread, 5000);
        GLO::CurrentSmeta = 0;
        ui::unregisterProcedure("UpdateWrksInSmt");
    }

    void open(std::uint8_t request = ui::REQUEST::None, const QString& rateInBuffer = {})
    {
        call([=, this] {
            if (!rateInBuffer.isEmpty()) readRate(rateInBuffer);
            ProcRequest() = request;
            BrowseRaszenki();
            picked = WRK().NRAS.toQString();
        });
        ASSERT_TRUE(window);
    }
    void tab(int number)
    {
        static_cast<QTabWidget*>(window->control(kTabs)->widget())->setCurrentIndex(number - 1);
        settle();
    }
    QComboBox* selector() { return static_cast<QComboBox*>(window->control(kCategory)->widget()); }
    void typeInSelector(const QString& text)
    {
        QLineEdit* edit = selector()->lineEdit();
        edit->setFocus();
        edit->selectAll();
        edit->del();
        type(edit, text);
        key(edit, Qt::Key_Return);
    }
    void search(int control, const QString& text)
    {
        retype(window, control, text);
        key(window->control(control)->widget(), Qt::Key_Return);
    }
    std::vector<QString> names() { return column(window, 0); }
    std::vector<QString> codes() { return column(window, 1); }

    QString picked;
};

TEST_F(Catalogue, EachTabListsItsRatesInItsOrder)
{
    open();
    EXPECT_EQ(codes(), (std::vector<QString>{"01-001", "01-002", "02-001", "02-002", "03-001", "A1-001", "A1-002"}));
    EXPECT_EQ(window->title(), "Справочник");
    tab(2);  // category "1" on a first opening
    EXPECT_EQ(names(), (std::vector<QString>{u"Без шифра_итог"_s, u"Разработка грунта"_s, u"Засыпка траншей"_s}));
    EXPECT_EQ(selector()->currentText(), u"Земляные работы"_s);
    for (int t : {3, 4}) {
        tab(t);
        EXPECT_EQ(names(), (std::vector<QString>{u"Без шифра_итог"_s, u"Засыпка траншей"_s, u"Кладка стен из кирпича"_s,
                                                 u"Окраска 'Люкс' = шёлк"_s, u"Разборка кладки"_s, u"Разработка грунта"_s,
                                                 u"Скидка 10%"_s}));
    }
    // the code locator: typed into the list, shown in its own entry, never in the buffer's name box
    tab(1);
    type(list(window).view(), "02-0");
    EXPECT_EQ(highlighted(window, 1), "02-001");
    EXPECT_EQ(text(window, kCode), "02-0");
    EXPECT_EQ(text(window, kFullName), u"Кладка стен из кирпича"_s);
    // the name column's tooltip is the row's full name
    const QModelIndex first = list(window).model().index(0, 0);
    EXPECT_EQ(list(window).model().data(first, Qt::ToolTipRole).toString(), list(window).model().text(0, 0));
}

// It opens with the prices in view (as far as the screen has room); grown, its list and the
// full name take the room, the search entries keep their size and the lookup's buttons the
// right edge.
TEST_F(Catalogue, GrowsWithItsListWhileTheSearchEntriesKeepTheirSizeAndTheButtonsTheRightEdge)
{
    open(ui::REQUEST::SelectRecord);
    QWidget* content = window->content();
    ui::BrowseList& rates = list(window);
    const bool allColumnsShown = rates.view()->horizontalHeader()->length() <= rates.view()->viewport()->width();
    EXPECT_TRUE(allColumnsShown || window->topWidget()->width() >= content->screen()->availableGeometry().width());
    EXPECT_GT(content->width(), window->duX(384));

    const auto widthOf = [&](int control) { return window->control(control)->widget()->width(); };
    const auto toRightEdge = [&](int control) {
        const QWidget* w = window->control(control)->widget();
        return content->width() - w->mapTo(content, QPoint(w->width(), 0)).x();
    };
    const std::vector<int> entries = {kCode, kCategory, kName, kFilter}, buttons = {kSelect, kPut, kQuery};
    std::vector<int> entryWidths, distances;
    for (int c : entries) entryWidths.push_back(widthOf(c));
    for (int c : buttons) distances.push_back(toRightEdge(c));
    const int listWidth = rates.width(), nameWidth = widthOf(kFullName);

    window->topWidget()->resize(window->topWidget()->width() + 150, window->topWidget()->height() + 100);
    test::pump(20);
    for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(widthOf(entries[i]), entryWidths[i]) << entries[i];
    for (std::size_t i = 0; i < buttons.size(); ++i) EXPECT_EQ(toRightEdge(buttons[i]), distances[i]) << buttons[i];
    EXPECT_EQ(rates.width(), listWidth + 150);
    EXPECT_EQ(widthOf(kFullName), nameWidth + 150);
    press(window, kClose);
}

TEST_F(Catalogue, TheNameTabsShowTheRatesWhoseNameContainsTheTextLiterally)
{
    open();
    const struct {
        const char* text;
        std::vector<QString> names;
    } cases[] = {
        {"КЛАД", {u"Кладка стен из кирпича"_s, u"Разборка кладки"_s}},
        {"10%", {u"Скидка 10%"_s}},
        {"'", {u"Окраска 'Люкс' = шёлк"_s}},
        {"_", {u"Без шифра_итог"_s}},
        {"%", {u"Скидка 10%"_s}},
        {"шёл", {u"Окраска 'Люкс' = шёлк"_s}},
        {"ШЕЛ", {}},
        {"нет", {}},
    };
    for (auto [t, entry] : {std::pair{3, kName}, std::pair{4, kFilter}}) {
        tab(t);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(t) + " " + c.text);
            search(entry, QString::fromUtf8(c.text));
            EXPECT_EQ(names(), c.names);
        }
        search(entry, {});
        EXPECT_EQ(names().size(), 7u);
    }
}

// Many rates, two of them at the end of the name order, and reads sliced as finely as they
// can be: a search for a text that few names hold walks the whole file in slices.
class CatalogueScan : public test::CatalogueWindows {
protected:
    CatalogueScan()
    {
        LastRateCategory.clear();
        LastRateTab = 3;
        GLO::CurrentSmeta = 0;
        addRecords(FileId::Raszenki, 3000, [](int i) {
            WRK().NRAS = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
            WRK().NAME = i == 1400 ? u"Работа Ъ"_s : i == 2100 ? u"Работа ЪЫ"_s : QStringLiteral("Работа %1").arg(i);
            WRK().CODER = 1;
        });
        records::scan::setSliceTime(std::chrono::microseconds(0));
    }
    ~CatalogueScan() override
    {
        records::scan::setSliceTime(kDefaultSlice);
        if (ui::Scheduler::instance().isRunning(thread)) ui::post(thread, EVENT::CloseWindow);
        test::waitEnded(thread, 5000);
    }
    const std::chrono::microseconds kDefaultSlice = records::scan::sliceTime();
};

TEST_F(CatalogueScan, AKeystrokeDuringALongSearchAbandonsItForTheNewerText)
{
    call([] { BrowseRaszenki(); });
    ASSERT_TRUE(window);
    std::vector<std::vector<QString>> shown;
    ui::BrowseModel& model = list(window).model();
    auto record = [&] { shown.push_back(column(window, 0)); };
    QObject::connect(&model, &QAbstractItemModel::modelReset, record);
    QObject::connect(&model, &QAbstractItemModel::dataChanged, record);
    QTableView* view = list(window).view();
    view->setFocus();
    auto press = [&](const QString& c) {
        QKeyEvent event(QEvent::KeyPress, 0, Qt::NoModifier, c);
        QApplication::sendEvent(view, &event);
    };
    press(u"Ъ"_s);
    // the search has begun and gives the event loop back between its slices
    QCoreApplication::processEvents();
    ASSERT_FALSE(ui::isWaitingIdle(thread));
    press(u"Ы"_s);
    settle();
    EXPECT_EQ(column(window, 0), (std::vector<QString>{u"Работа ЪЫ"_s}));
    EXPECT_EQ(text(window, kName), u"ЪЫ"_s);
    // the older text's rows never showed
    for (const auto& rows : shown) EXPECT_NE(rows, (std::vector<QString>{u"Работа Ъ"_s, u"Работа ЪЫ"_s}));
}

TEST_F(Catalogue, TheSelectorChoosesByTypedPrefixOrAddsTheCategoryItNamesNot)
{
    open();
    tab(2);
    typeInSelector(u"кла"_s);
    EXPECT_EQ(selector()->currentText(), u"Кладочные работы"_s);
    EXPECT_EQ(codes(), (std::vector<QString>{"02-001", "02-002", "03-001"}));

    // an unknown name opens the category form with it; cancelled, the text goes
    typeInSelector(u"Кровля"_s);
    ui::Window* form = top();
    ASSERT_NE(form, window);
    EXPECT_EQ(text(form, kNewName), u"Кровля"_s);
    press(form, kNewCancel);
    ASSERT_EQ(top(), window);
    EXPECT_EQ(selector()->currentText(), "");
    EXPECT_EQ(codes(), (std::vector<QString>{"02-001", "02-002", "03-001"}));

    // completed, the new category is the chosen one
    typeInSelector(u"Кровля"_s);
    form = top();
    ASSERT_NE(form, window);
    retype(form, kNewCode, "K5");
    press(form, kNewOk);
    ASSERT_EQ(top(), window);
    EXPECT_EQ(selector()->currentText(), u"Кровля"_s);
    EXPECT_TRUE(codes().empty());
    EXPECT_EQ(categoryCodes(), (std::vector<QString>{"1", "2", "A1", "K5"}));
}

TEST_F(Catalogue, ANewRateStartsInTheCategoryOfTheCategoryTabOnly)
{
    enum RateForm { kGroup = 5, kCancel = 24 };
    enum { kInsert = 3 };
    open();
    tab(2);
    typeInSelector(u"Клад"_s);
    for (auto [t, group] : {std::pair{2, "2"}, std::pair{1, ""}, std::pair{3, ""}}) {
        SCOPED_TRACE(t);
        tab(t);
        press(window, kInsert);
        ui::Window* form = top();
        ASSERT_NE(form, window);
        EXPECT_EQ(text(form, kGroup), group);
        press(form, kCancel);
        ASSERT_EQ(top(), window);
    }
}

TEST_F(Catalogue, ACategoryChosenOnItsTabComesBackOnReopeningWhateverItsCode)
{
    open();
    tab(2);
    typeInSelector(u"Отд"_s);
    ui::post(thread, EVENT::CloseWindow);
    ASSERT_TRUE(ended());
    open();
    EXPECT_EQ(static_cast<QTabWidget*>(window->control(kTabs)->widget())->currentIndex(), 1);
    EXPECT_EQ(selector()->currentText(), u"Отделка"_s);
    EXPECT_EQ(codes(), (std::vector<QString>{"A1-001", "A1-002"}));
}

TEST_F(Catalogue, AsALookupItPicksTheRateOrPutsTheBufferBack)
{
    open(ui::REQUEST::SelectRecord, "02-002");
    EXPECT_FALSE(window->control(kSelect)->isHidden());
    click(window, 0);
    press(window, kClose);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, ui::RESPONSE::Cancelled);
    EXPECT_EQ(picked, "02-002");

    open(ui::REQUEST::SelectRecord, "02-002");
    click(window, 1);
    QTest::mouseDClick(list(window).view()->viewport(), Qt::LeftButton, Qt::NoModifier,
                       list(window).view()->visualRect(list(window).model().index(1, 0)).center());
    settle();
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, ui::RESPONSE::Completed);
    EXPECT_EQ(picked, "01-002");
}

// --- the query

class CatalogueQuery : public Catalogue {
protected:
    QDialog* queryWindow()
    {
        ui::Window* w = top();
        return w && w != window ? w->content()->findChild<QDialog*>() : nullptr;
    }
    template <class W>
    W* in(const QString& name)
    {
        QDialog* d = queryWindow();
        return d ? d->findChild<W*>(name) : nullptr;
    }
    // The row of each column, in the list's order; `how` the operator's place in its list.
    void set(int row, int how, const QString& value)
    {
        in<QComboBox>(QStringLiteral("operator%1").arg(row))->setCurrentIndex(how);
        in<QLineEdit>(QStringLiteral("value%1").arg(row))->setText(value);
    }
    void click(const char* button)
    {
        in<QPushButton>(QString::fromLatin1(button))->click();
        settle();
    }
    static constexpr int kNameRow = 0, kPriceRow = 3;
    static constexpr int kGreater = 4, kContains = 6;
};

TEST_F(CatalogueQuery, NarrowsEveryTabWithItsRangeAndLocatorUntilCleared)
{
    open();
    press(window, kQuery);
    ASSERT_TRUE(queryWindow());
    set(kPriceRow, kGreater, "abc");  // no number: refused, the window stays
    click("ok");
    ASSERT_TRUE(queryWindow());
    set(kPriceRow, kGreater, "100");
    click("ok");
    ASSERT_EQ(top(), window);
    EXPECT_EQ(codes(), (std::vector<QString>{"01-002", "02-001", "03-001", "A1-001"}));

    press(window, kQuery);
    set(kNameRow, kContains, u"кирп"_s);
    click("ok");
    EXPECT_EQ(codes(), (std::vector<QString>{"02-001"}));
    tab(3);
    EXPECT_EQ(names(), (std::vector<QString>{u"Кладка стен из кирпича"_s}));
    tab(2);  // category "1" has none
    EXPECT_TRUE(names().empty());
    tab(4);
    search(kFilter, u"стен"_s);
    EXPECT_EQ(names(), (std::vector<QString>{u"Кладка стен из кирпича"_s}));
    search(kFilter, u"разбор"_s);
    EXPECT_TRUE(names().empty());

    press(window, kQuery);
    click("clear");
    EXPECT_EQ(names(), (std::vector<QString>{u"Разборка кладки"_s}));
    tab(1);
    EXPECT_EQ(codes().size(), 7u);
}

TEST_F(CatalogueQuery, ASavedQueryComesBackAsItWasAndAppliesFromThePopup)
{
    test::ProgramSettings settings;
    const QString name = u"Люкс = 'да'"_s;
    const QString value = u" 'Люкс' = ш"_s;
    open();
    press(window, kQuery);
    set(kNameRow, kContains, value);
    in<QComboBox>("name")->setEditText(name);
    click("save");
    click("cancel");
    ASSERT_EQ(top(), window);
    EXPECT_EQ(codes().size(), 7u);  // saved, not applied

    settings.file.Kill();  // read back from the file
    settings.file.Init(settingsFileName);
    ui::QueryStore store(QStringLiteral("BrowseRaszenki"));
    EXPECT_EQ(store.Names(), QStringList{name});
    EXPECT_EQ(store.Load(name), (ui::Query{{0, records::Comparison::Contains, value}}));

    // the popup: the list's three items, then the saved queries
    ui::scriptPopupChoice(4);
    QTest::mouseClick(list(window).view()->viewport(), Qt::RightButton, Qt::NoModifier,
                      list(window).view()->visualRect(list(window).model().index(0, 0)).center());
    settle();
    EXPECT_EQ(names(), (std::vector<QString>{u"Окраска 'Люкс' = шёлк"_s}));
}

// --- stored list formats

const QString kDesign =
    u"295L(2)|MP~Наименование работы~@s220@Q'WRK:NAME'80L(2)|M~Шифр ед. Расценок~@s36@65L(2)|M~Ед. Измерения~@s25@"
    u"39R(1)|M~Стоим.Ед.~C(0)@n-10.2@39R(1)|M~Зар.Пл.~C(0)@n-10.2@46R(1)|M~Эксп. машин~C(0)@n-10.2@"
    u"68D(12)|M~Зар.Пл.Машиниста~C(0)@n-10.2@"_s;

QString withCodeWidth(int width) { return QString(kDesign).replace(u"80L(2)"_s, QString::number(width) + u"L(2)"_s); }

TEST_F(Catalogue, TheListTakesTheStoredFormatOnlyOfItsOwnDesignAndStoresItsWidths)
{
    test::ProgramSettings settings;
    const QString section = QStringLiteral("BrowseRaszenki");
    const QString other = u"80L(2)|M~Шифр~@s36@"_s;
    const struct {
        const char* what;
        QString original, user;
        int width;  // of the code column as the list opens
    } cases[] = {
        {"no original", {}, withCodeWidth(120), 80},
        {"equal original, no user format", kDesign, {}, 80},
        {"equal original, other widths", kDesign, withCodeWidth(120), 120},
        {"equal original, other columns", kDesign, other, 80},
        {"another design", withCodeWidth(90), withCodeWidth(120), 80},
        {"original without @", u"80L"_s, withCodeWidth(120), 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::ProgramSettings::ini().setValue(section, "SRCFOriginal?Browse:1", c.original);
        test::ProgramSettings::ini().setValue(section, "SRCF?Browse:1", c.user);
        open();
        EXPECT_EQ(list(window).columnWidthsDu()[1], c.width);
        ui::post(thread, EVENT::CloseWindow);
        ASSERT_TRUE(ended());
        EXPECT_EQ(test::ProgramSettings::ini().value(section, "SRCFOriginal?Browse:1"), kDesign);
        EXPECT_EQ(test::ProgramSettings::ini().value(section, "SRCF?Browse:1"), withCodeWidth(c.width));
    }

    // a dragged width survives reopening; Ctrl+Alt+R gives the design widths back
    open();
    list(window).view()->setColumnWidth(1, window->duX(150));
    ui::post(thread, EVENT::CloseWindow);
    ASSERT_TRUE(ended());
    open();
    EXPECT_EQ(list(window).columnWidthsDu()[1], 150);
    key(list(window).view(), Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(list(window).columnWidthsDu()[1], 80);
}

// --- "В Смету"

struct LineSeen {
    int request = -1;
    QString code;
    std::int16_t estimate = -1;
    Decimal koeff, price;
    int section = -1;
};

class PutInEstimate : public Catalogue {
protected:
    PutInEstimate()
    {
        // estimate 7 with sections 1, 3 and one the line form cannot take; 8 without sections
        addRecords(FileId::Headers, 2, [](int i) { DFL().NUMBER = std::int16_t(7 + i); });
        const int sections[] = {1, 3, 300};
        addRecords(FileId::GroupsWks, 3, [&](int i) {
            GRO().NUMSMET = 7;
            GRO().NUMINSMETA = std::int16_t(sections[i]);
        });
        ui::registerProcedure("UpdateWrksInSmt", [this](const ui::ProcedureArgs&) {
            ++forms;
            seen = {ProcRequest(), NSB().NRAS.toQString(), NSB().CODER, Decimal(NSB().KOOEFF), Decimal(NSB().CENA_OB),
                    GRO().NUMINSMETA};
            ProcRequest() = 0;
            ProcResponse() = ui::RESPONSE::Cancelled;
        });
    }
    // opened on a thread whose line buffer holds the last line it left
    void openWithStaleLine(std::uint8_t request = ui::REQUEST::None)
    {
        call([=] {
            NSB().NRAS = "old";
            NSB().CODER = 7;
            NSB().CENA_OB = Decimal(99);
            ProcRequest() = request;
            BrowseRaszenki();
        });
        ASSERT_TRUE(window);
    }
    bool putEnabled() { return window->control(kPut)->isEnabled(); }

    int forms = 0;
    LineSeen seen;
};

TEST_F(PutInEstimate, IsEnabledByAnEstimateAtSetUpOnlyAndNeverForALookup)
{
    const struct {
        int estimate;
        std::uint8_t request;
        bool enabled;
    } cases[] = {{0, ui::REQUEST::None, false}, {7, ui::REQUEST::None, true}, {7, ui::REQUEST::SelectRecord, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.estimate);
        GLO::CurrentSmeta = c.estimate;
        openWithStaleLine(c.request);
        EXPECT_EQ(putEnabled(), c.enabled);
        GLO::CurrentSmeta = 7;  // chosen later: no change
        ui::post(thread, EVENT::GainFocus);
        settle();
        EXPECT_EQ(putEnabled(), c.enabled);
        ui::post(thread, EVENT::CloseWindow);
        ASSERT_TRUE(ended());
    }
}

TEST_F(PutInEstimate, OpensTheLineFormOnACleanLineOfTheEstimatesLastSection)
{
    GLO::CurrentSmeta = 7;
    openWithStaleLine();
    press(window, kPut);
    ASSERT_EQ(forms, 1);
    EXPECT_EQ(seen.request, ui::REQUEST::InsertRecord);
    EXPECT_EQ(seen.code, "");
    EXPECT_EQ(seen.estimate, 0);  // nothing reserved: the form numbers the line
    EXPECT_EQ(seen.koeff, Decimal(1));
    EXPECT_EQ(seen.price, Decimal(0));
    EXPECT_EQ(seen.section, 3);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PutInEstimate, SaysWhyWhenTheEstimateIsGoneOrHasNoSection)
{
    const struct {
        int atSetUp, whenPressed;
        const char* said;
    } cases[] = {
        {7, 0, "Вы не выбрали смету для работы. |Если хотите добавить новую, вернитесь к списку смет."},
        {7, 9, "Вы не выбрали смету для работы. |Если хотите добавить новую, вернитесь к списку смет."},
        {8, 8, "В смете нет ни одного раздела. |Добавьте раздел в редакторе сметы."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        messages.clear();
        GLO::CurrentSmeta = c.atSetUp;
        openWithStaleLine();
        GLO::CurrentSmeta = c.whenPressed;
        press(window, kPut);
        EXPECT_EQ(forms, 0);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].text, QString::fromUtf8(c.said));
        EXPECT_EQ(messages.shown()[0].caption, u"Выбор сметы"_s);
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
        ui::post(thread, EVENT::CloseWindow);
        ASSERT_TRUE(ended());
    }
}

}  // namespace
