// The browse component over the program's files (mostly the units of measure, a unique NoCase
// key on one STRING(25) field): the page cache over a large file, the locators, in-place
// editing with NavRequest, sort orders by tabs with filters, the popup menu, the lookup role,
// requests through a form, and the frame's toolbar buttons.
#include "data/thread_data.h"
#include "platform/ui/browse/browse_box.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/threads/dialog_script.h"
#include "platform/ui/windows/toolbar_state.h"
#include "platform/ui/windows/window_manager.h"
#include "tests/support/test_threads.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <sqlite3.h>

namespace {

using records::Level;

enum Controls { kList = 1, kTabs = 2, kSearch = 4, kSelect = 5, kInsert = 6, kChange = 7, kDelete = 8, kClose = 9, kHelp = 10 };

// A list window as the program's windows build it: the list, an entry for the locator's text,
// the buttons of a list, the toolbar's target; `configure` adds its sort orders and columns.
class ListWindow : public ui::WindowManager {
public:
    ListWindow(FileId file, std::function<void(ListWindow&)> configure)
        : WindowManager("BrowseList"), file_(file), configure_(std::move(configure))
    {
    }

    Level Init() override
    {
        WindowManager::Init();
        Relate(file_).Open();
        window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, "Список", 208, 193);
        layout = new QVBoxLayout(window->content());
        ui::Control& list = ui::AddBrowseList(*window, "?BROWSE:1", kList);
        layout->addWidget(list.widget(), 1);
        auto* search = new QLineEdit;
        layout->addWidget(search);
        window->add(ui::CREATE::Entry, "?SEARCH", search, kSearch);
        auto* buttonRow = new QHBoxLayout;
        layout->addLayout(buttonRow);
        const std::tuple<const char*, const char*, int> buttons[] = {
            {"?SELECT:2", "&Выбрать", kSelect}, {"?INSERT:3", "&Добавить", kInsert}, {"?CHANGE:3", "&Изменить", kChange},
            {"?DELETE:3", "&Удалить", kDelete}, {"?CLOSE", "Закрыть", kClose},      {"?HELP", "Помощь", kHelp}};
        for (const auto& [name, caption, number] : buttons) {
            auto* b = new QPushButton(QString::fromUtf8(caption));
            buttonRow->addWidget(b);
            window->add(ui::CREATE::Button, name, b, number);
        }
        AddCloseButton(kClose);

        brw.Init(*this, list, Relate(file_));
        brw.SelectControl = kSelect;
        brw.InsertControl = kInsert;
        brw.ChangeControl = kChange;
        brw.DeleteControl = kDelete;
        brw.HIDESELECT = 1;
        Open();
        configure_(*this);
        brw.SetToolbarTarget(kHelp);
        return Level::Benign;
    }

    Level Kill() override
    {
        WindowManager::Kill();
        Relate(file_).Close();
        return Level::Benign;
    }

    // The form of the list's requests (ASKPROCEDURE): the number and the request, its answer.
    void CallProcedure(int number) override
    {
        const std::uint8_t request = ProcRequest();
        ProcRequest() = 0;
        ProcResponse() = form ? form(number, request) : ui::RESPONSE::Cancelled;
    }

    ui::BrowseBox brw;
    std::function<std::uint8_t(int number, std::uint8_t request)> form;
    QVBoxLayout* layout = nullptr;

private:
    FileId file_;
    std::function<void(ListWindow&)> configure_;
};
using Configure = std::function<void(ListWindow&)>;

template <auto Field>
ui::BrowseColumn column(const char* heading, bool editable)
{
    ui::BrowseColumn c;
    c.heading = QString::fromUtf8(heading);
    c.widthDu = 80;
    c.field = ui::recordField<Field>();
    c.editable = editable;
    return c;
}

// The unit list: one order with an incremental locator, one editable column typed over, and a
// blank unit abandoned.
void units(ListWindow& w)
{
    w.brw.AddSortOrder(EdIzmerLayout().keyIndex("EDI:KeyEdIzm"))
        .SetLocator(ui::LocatorKind::Incremental, ui::recordField<&EdIzmerRecord::EDIZM>(), kSearch)
        .SetStep(ui::ThumbStep::Alphabetic);
    ui::BrowseColumn unit = column<&EdIzmerRecord::EDIZM>("Ед. Измерения", true);
    unit.picture = QStringLiteral("@S25");
    unit.overwrite = true;
    w.brw.AddField(unit);
    w.brw.IsEmptyRow = [](const void* r) { return static_cast<const EdIzmerRecord*>(r)->EDIZM.isBlank(); };
}

// The category list: a step locator on the code, the code and the name edited in place.
void categories(ListWindow& w)
{
    w.brw.AddSortOrder(NSBRAZLayout().keyIndex("NSR:ONCATEGORIES"))
        .SetLocator(ui::LocatorKind::Step, ui::recordField<&NSBRAZRecord::KEY_ROOT>());
    w.brw.AddField(column<&NSBRAZRecord::KEY_ROOT>("№ п.п.", true));
    w.brw.AddField(column<&NSBRAZRecord::NAME>("Наименование", true));
}

// The rates by the tabs of a sheet: by code with an incremental locator, by name with a
// filter locator.
void rates(ListWindow& w)
{
    auto* tabs = new QTabWidget;
    tabs->addTab(new QWidget, QStringLiteral("по Позиции"));
    tabs->addTab(new QWidget, QStringLiteral("По Работам"));
    w.layout->addWidget(tabs);
    w.window->add(ui::CREATE::Sheet, "?CURRENTTAB", tabs, kTabs);
    w.brw.ChooseSortOrder = [tabs] { return tabs->currentIndex() + 1; };
    w.brw.AddSortOrder(RaszenkiLayout().keyIndex("WRK:ONSPRAVOCH"))
        .SetLocator(ui::LocatorKind::Incremental, ui::recordField<&RaszenkiRecord::NRAS>(), kSearch);
    w.brw.AddSortOrder(RaszenkiLayout().keyIndex("WRK:ONWORKS"))
        .SetLocator(ui::LocatorKind::Filter, ui::recordField<&RaszenkiRecord::NAME>(), kSearch);
    w.brw.AddField(column<&RaszenkiRecord::NAME>("Наименование работы", false));
    w.brw.AddField(column<&RaszenkiRecord::NRAS>("Шифр ед. Расценок", false));
}

QString unitName(int i) { return QStringLiteral("u%1").arg(i, 6, 10, QChar('0')); }

struct Browse : test::ThreadsFixture {
    ~Browse() override
    {
        if (list) list->window->post(EVENT::CloseWindow);
        test::waitEnded(thread);
    }

    void addCategories(const std::vector<std::pair<const char*, const char*>>& categories)
    {
        addRecords(FileId::NSBRAZ, int(categories.size()), [&](int i) {
            NSR().KEY_ROOT = categories[std::size_t(i)].first;
            NSR().NAME = categories[std::size_t(i)].second;
        });
    }

    std::vector<QString> storedCategories()
    {
        return stored(FileId::NSBRAZ, [] { return NSR().KEY_ROOT.toQString() + ' ' + NSR().NAME.toQString(); });
    }

    // Runs a list under the request on a thread of its own; `before` runs there first.
    void runList(FileId file, Configure configure, std::uint8_t request = ui::REQUEST::None, std::function<void()> before = {})
    {
        thread = test::start([=, this] {
            if (before) before();
            ProcRequest() = request;
            ListWindow w(file, configure);
            list = &w;
            w.Run();
            list = nullptr;
            response = ProcResponse();
            requestAfter = ProcRequest();
            bufferAfter = EDI().EDIZM.toQString();
        });
        ASSERT_TRUE(test::pumpUntil([&] { return list && list->window->isOpen() && brw().SortOrder() >= 1; }));
        settle();
    }
    void runUnits(std::uint8_t request = ui::REQUEST::None, std::function<void()> before = {}, Configure more = {})
    {
        runList(FileId::EdIzmer, [more](ListWindow& w) {
            units(w);
            if (more) more(w);
        }, request, std::move(before));
    }

    // Until the list's thread has taken every event.
    void settle()
    {
        for (int i = 0; i < 3; ++i) {
            test::pump(10);
            test::pumpUntil([&] { return !list || !list->window->hasEvents(); });
        }
    }

    ui::BrowseBox& brw() { return list->brw; }
    QTableView* view() { return brw().list().view(); }
    ui::Window& window() { return *list->window; }
    ThreadData& listData() { return static_cast<ThreadData&>(ui::Scheduler::instance().find(thread)->state()); }
    sqlite3* listConnection() { return listData().access(FileId::EdIzmer).file().connection(); }

    std::vector<QString> shownRows(int column = 0)
    {
        std::vector<QString> rows;
        const ui::BrowseModel& m = brw().list().model();
        for (int r = 0; r < m.rowCount(); ++r) rows.push_back(m.text(r, column));
        return rows;
    }
    QString highlighted() { return brw().list().model().text(brw().page().highlighted(), 0); }

    void key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(w, k, m);
        settle();
    }
    // Characters typed into the list (QTest's key clicks know only Latin-1).
    void typeInList(const QString& text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(view(), &press);
        }
        settle();
    }
    void click(int row)
    {
        const QRect r = view()->visualRect(brw().list().model().index(row, 0));
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        settle();
    }
    void press(int control)
    {
        static_cast<QPushButton*>(window().control(control)->widget())->click();
        settle();
    }
    // The in-place editor of the row being edited.
    QLineEdit* cellEditor()
    {
        if (!brw().Editing()) return nullptr;
        const ui::BrowseModel& m = brw().list().model();
        for (int c = 0; c < m.columnCount(); ++c)
            if (auto* e = qobject_cast<QLineEdit*>(view()->indexWidget(m.index(brw().page().highlighted(), c)))) return e;
        return nullptr;
    }
    // Types the text into the row's editor and ends it with the key.
    void editRow(const QString& text, Qt::Key end)
    {
        QLineEdit* editor = cellEditor();
        ASSERT_TRUE(editor);
        editor->selectAll();
        editor->insert(text);
        key(editor, end);
    }

    ui::ThreadId thread = 0;
    ListWindow* list = nullptr;
    int response = -1;
    int requestAfter = -1;
    QString bufferAfter;
};

// --- the page cache

struct BigFile : Browse {
    static int countRow(unsigned type, void* context, void*, void*)
    {
        if (type == SQLITE_TRACE_ROW) ++*static_cast<int*>(context);
        return 0;
    }
    int rowsRead = 0;
};

TEST_F(BigFile, OpensScrollsAndLocatesReadingAboutAPage)
{
    constexpr int kUnits = 100000;
    addRecords(FileId::EdIzmer, kUnits, [](int i) { EDI().EDIZM = unitName(i); });

    runUnits(ui::REQUEST::None, [this] {
        Relate(FileId::EdIzmer).Open();
        sqlite3_trace_v2(Access(FileId::EdIzmer).file().connection(), SQLITE_TRACE_ROW, countRow, &rowsRead);
    });
    const int page = brw().page().size();
    ASSERT_GT(page, 3);
    EXPECT_EQ(int(shownRows().size()), page);
    EXPECT_EQ(highlighted(), unitName(0));
    // a page with one row more to see the end, and the view's first and last record for the
    // thumb: once to open, once more as the window gains the focus
    EXPECT_LE(rowsRead, 2 * (page + 3));

    rowsRead = 0;
    key(view(), Qt::Key_End);
    EXPECT_EQ(highlighted(), unitName(kUnits - 1));
    EXPECT_EQ(shownRows().front(), unitName(kUnits - page));
    EXPECT_EQ(brw().list().thumb(), 100);
    EXPECT_LE(rowsRead, page + 1);

    key(view(), Qt::Key_Home);
    EXPECT_EQ(brw().list().thumb(), 0);
    key(view(), Qt::Key_PageDown);
    EXPECT_EQ(highlighted(), unitName(page));

    typeInList("u05");
    EXPECT_EQ(highlighted(), unitName(50000));
    EXPECT_EQ(brw().LocatorText(), "u05");
    EXPECT_EQ(window().control(kSearch)->text(), "u05");
    EXPECT_NEAR(brw().list().thumb(), 50, 5);

    // the thumb dropped at the first quarter locates to the interpolated key
    QScrollBar* bar = brw().list().scrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(25);
    bar->setSliderDown(false);
    settle();
    EXPECT_GE(highlighted(), unitName(20000));
    EXPECT_LE(highlighted(), unitName(30000));
    EXPECT_TRUE(brw().LocatorText().isEmpty());
}

// --- the incremental locator

TEST_F(Browse, IncrementalLocatorFollowsTheTypedTextCaseFree)
{
    addUnits({"кг", "Км", "м", "м2", "шт"});
    runUnits();
    struct Step {
        const char* typed;  // "\b" is Backspace
        const char* text;
        const char* unit;
    };
    // "中": windows-1251 cannot hold it, so no unit can match it and it is refused
    const Step steps[] = {{"к", "к", "кг"}, {"м", "км", "Км"}, {"\b", "к", "кг"}, {"\b", "", "кг"},
                          {"л", "л", "м"},  {"中", "л", "м"}};
    for (const Step& s : steps) {
        for (QChar c : QString::fromUtf8(s.typed)) {
            if (c == '\b')
                key(view(), Qt::Key_Backspace);
            else
                typeInList(c);
        }
        EXPECT_EQ(brw().LocatorText(), QString::fromUtf8(s.text)) << s.typed;
        EXPECT_EQ(window().control(kSearch)->text(), QString::fromUtf8(s.text)) << s.typed;
        EXPECT_EQ(highlighted(), QString::fromUtf8(s.unit)) << s.typed;
    }

    click(1);
    EXPECT_EQ(highlighted(), "Км");
    EXPECT_TRUE(brw().LocatorText().isEmpty());
    typeInList("ш");  // starts afresh: "ш", not "лш" (which stays on м)
    EXPECT_EQ(brw().LocatorText(), "ш");
    EXPECT_EQ(highlighted(), "шт");
    EXPECT_EQ(listData().EdIzmer.EDIZM.toQString(), "шт");  // the buffer follows the row, not the search text
}

// --- in-place editing

TEST_F(Browse, InsertOnAnEmptyListOpensTheFirstRowAndEnterStoresIt)
{
    runUnits();
    key(view(), Qt::Key_Return, Qt::ControlModifier);  // change and delete need a row
    key(view(), Qt::Key_Delete);
    EXPECT_FALSE(brw().Editing());

    press(kInsert);
    ASSERT_TRUE(brw().Editing());
    EXPECT_EQ(brw().page().highlighted(), 0);
    EXPECT_EQ(cellEditor()->maxLength(), 25);
    editRow("кг", Qt::Key_Return);
    EXPECT_FALSE(brw().Editing());
    EXPECT_EQ(storedUnits(), std::vector<QString>{"кг"});
    EXPECT_EQ(shownRows(), std::vector<QString>{"кг"});
    EXPECT_EQ(listData().EdIzmer.EDIZM.toQString(), "кг");
}

TEST_F(Browse, DownAfterAnAddedRowOpensAnotherNewRow)
{
    addUnits({"кг"});
    runUnits();
    key(view(), Qt::Key_Insert);
    editRow("м", Qt::Key_Down);
    ASSERT_TRUE(brw().Editing());
    EXPECT_TRUE(cellEditor()->text().isEmpty());
    EXPECT_EQ(shownRows(), (std::vector<QString>{"кг", "м", ""}));  // the new row below the stored one
    editRow("шт", Qt::Key_Return);
    EXPECT_EQ(storedUnits(), (std::vector<QString>{"кг", "м", "шт"}));
    EXPECT_EQ(highlighted(), "шт");
    EXPECT_EQ(listData().NavRequest, 0);
}

TEST_F(Browse, DownAfterAChangedRowGoesOnWithTheNextRowAndEscAbandonsIt)
{
    addUnits({"кг", "м", "шт"});
    runUnits();
    key(view(), Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(brw().Editing());
    EXPECT_EQ(cellEditor()->text(), "кг");
    editRow("г", Qt::Key_Down);
    ASSERT_TRUE(brw().Editing());
    EXPECT_EQ(cellEditor()->text(), "м");
    editRow("метр", Qt::Key_Escape);
    EXPECT_FALSE(brw().Editing());
    EXPECT_EQ(storedUnits(), (std::vector<QString>{"г", "м", "шт"}));
    EXPECT_EQ(highlighted(), "м");
    EXPECT_EQ(listData().EdIzmer.EDIZM.toQString(), "м");
}

TEST_F(Browse, EscAndABlankRowAbandonAnInsert)
{
    addUnits({"кг", "м"});
    for (const char* typed : {"л", ""}) {
        runUnits();
        key(view(), Qt::Key_Down);
        key(view(), Qt::Key_Insert);
        editRow(QString::fromUtf8(typed), *typed ? Qt::Key_Escape : Qt::Key_Return);
        EXPECT_FALSE(brw().Editing()) << typed;
        EXPECT_EQ(shownRows(), (std::vector<QString>{"кг", "м"})) << typed;
        EXPECT_EQ(highlighted(), "м") << typed;
        press(kClose);
        test::waitEnded(thread);
    }
    EXPECT_EQ(storedUnits(), (std::vector<QString>{"кг", "м"}));
}

TEST_F(Browse, DuplicateUnitShowsTheManagersMessageAndKeepsTheRowInEditing)
{
    addUnits({"кг"});
    runUnits();
    key(view(), Qt::Key_Insert);
    editRow("КГ", Qt::Key_Return);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Ошибка дублирования в ключе"));
    EXPECT_TRUE(messages.shown()[0].text.contains("EDI:KeyEdIzm"));
    EXPECT_TRUE(brw().Editing());
    editRow("км", Qt::Key_Return);
    EXPECT_EQ(storedUnits(), (std::vector<QString>{"кг", "км"}));
}

TEST_F(Browse, OnlyAChangedRowIsWritten)
{
    addUnits({"кг"});
    runUnits();
    for (auto [typed, writes] : {std::pair{"кг", 0}, std::pair{"кГ", 1}}) {
        const int before = sqlite3_total_changes(listConnection());
        key(view(), Qt::Key_Return, Qt::ControlModifier);
        editRow(QString::fromUtf8(typed), Qt::Key_Return);
        EXPECT_FALSE(brw().Editing());
        EXPECT_EQ(sqlite3_total_changes(listConnection()) - before, writes) << typed;
    }
    EXPECT_EQ(storedUnits(), std::vector<QString>{"кГ"});
}

TEST_F(Browse, TheEditorRefusesCharactersWindows1251CannotHold)
{
    addUnits({"кг"});
    runUnits();
    key(view(), Qt::Key_Return, Qt::ControlModifier);
    QLineEdit* editor = cellEditor();
    ASSERT_TRUE(editor);
    editor->setCursorPosition(0);
    QTest::keyClicks(editor, "x");  // typed over the first character
    EXPECT_EQ(editor->text(), "xг");
    editor->insert(QStringLiteral("日"));
    EXPECT_EQ(editor->text(), "xг");
    key(editor, Qt::Key_Escape);
}

// --- the mouse while a row is edited

enum class Mouse { Click, DoubleClick, RightClickDelete, Wheel };
// Where the mouse goes: a row, or one of these.
enum Where : int { InTheEditor = -1, BesideTheEditor = -2, BelowTheRows = -3 };

struct MouseCase {
    const char* name;
    bool insert;  // a new row below "кг", else "кг" changed
    const char* typed;
    Mouse mouse;
    int where;
    const char* editor;       // the editor's text afterwards; null: the editing has ended
    const char* highlighted;  // when the editing has ended
    std::vector<QString> stored;
    size_t messages;  // the duplicate key's
};

void PrintTo(const MouseCase& c, std::ostream* os) { *os << c.name; }

struct MouseWhileEditing : Browse, testing::WithParamInterface<MouseCase> {};

TEST_P(MouseWhileEditing, AnotherRowCompletesTheEditedOneFirst)
{
    const MouseCase& c = GetParam();
    addUnits({"кг", "м", "шт"});
    runUnits();
    key(view(), c.insert ? Qt::Key_Insert : Qt::Key_Return, c.insert ? Qt::NoModifier : Qt::ControlModifier);
    ASSERT_TRUE(cellEditor());
    cellEditor()->selectAll();
    cellEditor()->insert(QString::fromUtf8(c.typed));
    if (c.mouse == Mouse::RightClickDelete) ui::scriptPopupChoice(3);  // "&Добавить", "&Изменить", "&Удалить"

    const QRect edited = view()->visualRect(brw().list().model().index(brw().page().highlighted(), 0));
    const QRect last = view()->visualRect(brw().list().model().index(brw().list().model().rowCount() - 1, 0));
    QWidget* target = view()->viewport();
    QPoint at;
    switch (c.where) {
    case InTheEditor:
        target = cellEditor();
        at = target->rect().center();
        break;
    case BesideTheEditor: at = {edited.right() + 10, edited.center().y()}; break;
    case BelowTheRows: at = {last.center().x(), last.bottom() + 10}; break;
    default: at = view()->visualRect(brw().list().model().index(c.where, 0)).center(); break;
    }
    ASSERT_TRUE(target->rect().contains(at));
    switch (c.mouse) {
    case Mouse::Click: QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at); break;
    case Mouse::DoubleClick:  // as the window system sends it: a click, then the double click
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier, at);
        break;
    case Mouse::RightClickDelete: QTest::mouseClick(target, Qt::RightButton, Qt::NoModifier, at); break;
    case Mouse::Wheel: window().post(EVENT::ScrollDown, kList); break;  // what the wheel's add-on posts
    }
    settle();

    if (c.editor) {
        ASSERT_TRUE(cellEditor());  // on the highlighted row
        EXPECT_EQ(cellEditor()->text(), QString::fromUtf8(c.editor));
        EXPECT_EQ(window().content()->focusWidget(), cellEditor());
    } else {
        EXPECT_FALSE(brw().Editing());
        EXPECT_EQ(highlighted(), QString::fromUtf8(c.highlighted));
        EXPECT_EQ(listData().EdIzmer.EDIZM.toQString(), QString::fromUtf8(c.highlighted));
        EXPECT_EQ(window().content()->focusWidget(), view());
    }
    EXPECT_EQ(listData().NavRequest, 0);
    EXPECT_EQ(messages.shown().size(), c.messages);
    // the menu opens once the editing has ended, never over a row in editing
    if (c.mouse == Mouse::RightClickDelete) {
        EXPECT_EQ(ui::takeScriptedPopupChoice().has_value(), c.editor != nullptr);
    }
    if (brw().Editing()) key(cellEditor(), Qt::Key_Escape);
    EXPECT_EQ(storedUnits(), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Browse, MouseWhileEditing,
    testing::Values(
        // the clicked record, wherever the stored row has moved the rows
        MouseCase{"ClickStoresAChangedRow", false, "я", Mouse::Click, 1, nullptr, "м", {"м", "шт", "я"}, 0},
        MouseCase{"ClickStoresAnAddedRow", true, "л", Mouse::Click, 3, nullptr, "шт", {"кг", "л", "м", "шт"}, 0},
        MouseCase{"ClickAbandonsABlankAddedRow", true, "", Mouse::Click, 2, nullptr, "м", {"кг", "м", "шт"}, 0},
        MouseCase{"ClickOnARefusedRowKeepsItInEditing", true, "КГ", Mouse::Click, 2, "КГ", "", {"кг", "м", "шт"}, 1},
        MouseCase{"DoubleClickEditsTheClickedRow", false, "я", Mouse::DoubleClick, 1, "м", "", {"м", "шт", "я"}, 0},
        MouseCase{"DoubleClickOnARefusedRowStoresOnce", true, "КГ", Mouse::DoubleClick, 2, "КГ", "",
                  {"кг", "м", "шт"}, 1},
        MouseCase{"RightClickStoresThenTheMenuActsOnTheClickedRow", false, "я", Mouse::RightClickDelete, 1, nullptr, "шт",
                  {"шт", "я"}, 0},
        MouseCase{"ClickInTheEditor", false, "я", Mouse::Click, InTheEditor, "я", "", {"кг", "м", "шт"}, 0},
        MouseCase{"ClickAndDoubleClickOnTheEditedRow", false, "я", Mouse::DoubleClick, BesideTheEditor, "я", "",
                  {"кг", "м", "шт"}, 0},
        MouseCase{"RightClickOnTheEditedRow", false, "я", Mouse::RightClickDelete, BesideTheEditor, "я", "",
                  {"кг", "м", "шт"}, 0},
        MouseCase{"ClickBelowTheRows", false, "я", Mouse::Click, BelowTheRows, "я", "", {"кг", "м", "шт"}, 0},
        MouseCase{"Wheel", false, "я", Mouse::Wheel, 0, "я", "", {"кг", "м", "шт"}, 0}),
    [](const testing::TestParamInfo<MouseCase>& info) { return std::string(info.param.name); });

// --- closing the window while a row is edited

struct CloseCase {
    const char* name;
    bool insert;  // a new row below "кг", else "кг" changed
    const char* typed;
    unsigned answer;  // to "Сохранение записи"; 0: not asked
    bool stays;       // open, the row in editing
    std::vector<QString> stored;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

struct CloseWhileEditing : Browse, testing::WithParamInterface<CloseCase> {};

TEST_P(CloseWhileEditing, AChangedRowIsStoredOrAbandonedAsTheUserAnswers)
{
    const CloseCase& c = GetParam();
    addUnits({"кг", "м"});
    runUnits();
    key(view(), c.insert ? Qt::Key_Insert : Qt::Key_Return, c.insert ? Qt::NoModifier : Qt::ControlModifier);
    ASSERT_TRUE(cellEditor());
    cellEditor()->selectAll();
    cellEditor()->insert(QString::fromUtf8(c.typed));
    if (c.answer) messages.answer(c.answer);
    window().post(EVENT::CloseWindow);  // as the close box, "Закрыть" and the frame ask
    settle();

    ASSERT_EQ(messages.shown().empty(), !c.answer);
    if (c.answer) {
        EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Сохранение записи"));
        EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Вы хотите записать изменения для этой записи?"));
        EXPECT_EQ(messages.shown()[0].buttons, unsigned(BUTTON_YES | BUTTON_NO | BUTTON_CANCEL));
    }
    if (c.stays) {
        ASSERT_TRUE(list);
        ASSERT_TRUE(cellEditor());
        EXPECT_EQ(cellEditor()->text(), QString::fromUtf8(c.typed));
        EXPECT_EQ(window().content()->focusWidget(), cellEditor());
        EXPECT_EQ(storedUnits(), c.stored);
        key(cellEditor(), Qt::Key_Escape);
        window().post(EVENT::CloseWindow);
    }
    ASSERT_TRUE(test::waitEnded(thread));
    EXPECT_EQ(storedUnits(), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Browse, CloseWhileEditing,
    testing::Values(CloseCase{"ANewRowStoredOnYes", true, "л", BUTTON_YES, false, {"кг", "л", "м"}},
                    CloseCase{"ANewRowAbandonedOnNo", true, "л", BUTTON_NO, false, {"кг", "м"}},
                    CloseCase{"CancelGoesOnEditing", true, "л", BUTTON_CANCEL, true, {"кг", "м"}},
                    CloseCase{"ARefusedRowStaysInEditing", true, "КГ", BUTTON_YES, true, {"кг", "м"}},
                    CloseCase{"ANewRowLeftEmptyGoesUnasked", true, "", 0, false, {"кг", "м"}},
                    CloseCase{"AChangedRowStoredOnYes", false, "г", BUTTON_YES, false, {"г", "м"}},
                    CloseCase{"AChangedRowAbandonedOnNo", false, "г", BUTTON_NO, false, {"кг", "м"}},
                    CloseCase{"AnUnchangedRowGoesUnasked", false, "кг", 0, false, {"кг", "м"}}),
    [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

// --- editing two columns

TEST_F(Browse, TabMovesBetweenTheEditableColumnsAndPastTheLastStoresTheRow)
{
    runList(FileId::NSBRAZ, categories);
    press(kInsert);
    editRow("1", Qt::Key_Tab);
    ASSERT_TRUE(brw().Editing());
    EXPECT_TRUE(view()->indexWidget(brw().list().model().index(0, 1)));
    editRow("Земляные работы", Qt::Key_Backtab);
    EXPECT_EQ(cellEditor()->text(), "1");
    EXPECT_EQ(shownRows(1), std::vector<QString>{"Земляные работы"});
    key(cellEditor(), Qt::Key_Tab);
    key(cellEditor(), Qt::Key_Tab);
    EXPECT_FALSE(brw().Editing());
    EXPECT_EQ(storedCategories(), std::vector<QString>{"1 Земляные работы"});
}

TEST_F(Browse, AnAskingActionAsksBeforeStoringAChangedRow)
{
    addCategories({{"1", "Земляные"}});
    struct Case {
        unsigned answer;
        bool editing;
        const char* stored;
    };
    for (const Case& c : {Case{BUTTON_CANCEL, true, "1 Земляные"}, Case{BUTTON_NO, false, "1 Земляные"},
                          Case{BUTTON_YES, false, "1 Бетонные"}}) {
        runList(FileId::NSBRAZ, [](ListWindow& w) {
            categories(w);
            w.brw.ENTERACTION = ui::EDITACTION::Ask;
        });
        key(view(), Qt::Key_Return, Qt::ControlModifier);
        key(cellEditor(), Qt::Key_Tab);
        messages.clear();
        messages.answer(c.answer);
        editRow("Бетонные", Qt::Key_Return);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Сохранение записи"));
        EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Вы хотите записать изменения для этой записи?"));
        EXPECT_EQ(brw().Editing(), c.editing);
        if (c.editing) key(cellEditor(), Qt::Key_Escape);
        EXPECT_EQ(storedCategories(), std::vector<QString>{c.stored});
        press(kClose);
        ASSERT_TRUE(test::waitEnded(thread));
    }
}

// --- the step locator

TEST_F(Browse, StepLocatorGoesToTheFirstRowAtOrAfterTheTypedCharacter)
{
    addCategories({{"1", ""}, {"12", ""}, {"2", ""}, {"4", ""}});
    runList(FileId::NSBRAZ, categories);
    key(view(), Qt::Key_Down);
    const std::pair<const char*, const char*> steps[] = {{"1", "12"}, {"3", "4"}, {"2", "2"}, {"1", "1"}};
    for (const auto& [typed, code] : steps) {
        typeInList(typed);
        EXPECT_EQ(highlighted(), code) << typed;  // a row that begins with the character stays
    }
}

// --- sort orders and filters

TEST_F(Browse, TheTabChoosesTheOrderAndTheFiltersLimitTheRows)
{
    const std::pair<const char*, const char*> rateList[] = {{"01", "Кладка стен"},     {"02", "Окраска стен"},
                                                            {"03", "Кладка печей"},    {"04", "Штукатурка"},
                                                            {"05", "Разборка кладки"}, {"06", "Окна"}};
    addRecords(FileId::Raszenki, 6, [&](int i) {
        WRK().NRAS = rateList[i].first;
        WRK().NAME = rateList[i].second;
    });
    runList(FileId::Raszenki, rates);
    EXPECT_EQ(shownRows(1), (std::vector<QString>{"01", "02", "03", "04", "05", "06"}));
    key(view(), Qt::Key_Down);
    key(view(), Qt::Key_Down);

    auto* tabs = static_cast<QTabWidget*>(window().control(kTabs)->widget());
    tabs->setCurrentIndex(1);
    settle();
    EXPECT_EQ(brw().SortOrder(), 2);
    EXPECT_EQ(highlighted(), "Кладка печей");  // the same rate in the other order
    EXPECT_EQ(shownRows(), (std::vector<QString>{"Кладка печей", "Кладка стен", "Окна", "Окраска стен",
                                                 "Разборка кладки", "Штукатурка"}));
    typeInList("КЛАД");
    EXPECT_EQ(shownRows(), (std::vector<QString>{"Кладка печей", "Кладка стен", "Разборка кладки"}));
    EXPECT_EQ(window().control(kSearch)->text(), "КЛАД");

    // a query set for every order stays when the tab changes; the name filter does not
    const records::Column& code = RaszenkiLayout().columns[std::size_t(RaszenkiLayout().columnIndex("NRAS"))];
    brw().SetFilter("9 - QBE", records::textCondition(code, records::Comparison::NotEqual, "01"));
    window().post(EVENT::GainFocus);
    settle();
    EXPECT_EQ(shownRows(), (std::vector<QString>{"Кладка печей", "Разборка кладки"}));
    tabs->setCurrentIndex(0);
    settle();
    EXPECT_EQ(shownRows(1), (std::vector<QString>{"02", "03", "04", "05", "06"}));
    EXPECT_EQ(highlighted(), "Кладка печей");
    tabs->setCurrentIndex(1);
    settle();
    EXPECT_EQ(shownRows().size(), 5u);
}

// --- the popup menu and the refresh

TEST_F(Browse, ThePopupMenuOffersTheListsButtonsAndDeletesWithoutAsking)
{
    addUnits({"кг", "м", "шт"});
    runUnits();
    ui::scriptPopupChoice(3);  // "&Добавить", "&Изменить", "&Удалить"
    const QRect row = view()->visualRect(brw().list().model().index(1, 0));
    QTest::mouseClick(view()->viewport(), Qt::RightButton, Qt::NoModifier, row.center());
    settle();
    EXPECT_EQ(storedUnits(), (std::vector<QString>{"кг", "шт"}));
    EXPECT_EQ(highlighted(), "шт");
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Browse, GainingTheFocusShowsWhatAnotherThreadStored)
{
    addUnits({"кг"});
    runUnits();
    addUnits({"м"});
    EXPECT_EQ(shownRows(), std::vector<QString>{"кг"});
    window().post(EVENT::GainFocus);
    settle();
    EXPECT_EQ(shownRows(), (std::vector<QString>{"кг", "м"}));
}

// --- the lookup role

TEST_F(Browse, LookupPutsTheBufferBackUnlessARowIsSelected)
{
    addUnits({"кг", "м", "шт"});
    for (bool select : {false, true}) {
        runUnits(ui::REQUEST::SelectRecord, [] { EDI().EDIZM = "старое"; });
        EXPECT_FALSE(window().control(kSelect)->isHidden());
        key(view(), Qt::Key_Down);
        EXPECT_EQ(listData().EdIzmer.EDIZM.toQString(), "м");
        press(select ? kSelect : kClose);
        ASSERT_TRUE(test::waitEnded(thread));
        EXPECT_EQ(response, select ? 1 : 2);
        EXPECT_EQ(requestAfter, 0);  // a second lookup sets it again
        EXPECT_EQ(bufferAfter, select ? "м" : "старое");
    }
}

// --- requests through a form

TEST_F(Browse, InsertThroughTheFormPrimesTheRecordAndLandsOnTheNewOne)
{
    addUnits({"кг", "м", "шт"});
    std::vector<std::pair<int, int>> calls;
    QString primed = "?";
    runUnits(ui::REQUEST::None, {}, [&](ListWindow& w) {
        w.brw.ASKPROCEDURE = 1;
        w.form = [&](int number, std::uint8_t request) -> std::uint8_t {
            calls.emplace_back(number, request);
            primed = EDI().EDIZM.toQString();
            if (calls.size() > 1) return ui::RESPONSE::Cancelled;
            EDI().EDIZM = "л";
            return Access(FileId::EdIzmer).Insert() == Level::Benign ? ui::RESPONSE::Completed : ui::RESPONSE::Cancelled;
        };
    });
    key(view(), Qt::Key_End);
    press(kInsert);
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{1, ui::REQUEST::InsertRecord}}));
    EXPECT_TRUE(primed.isEmpty());  // cleared by the priming
    EXPECT_EQ(highlighted(), "л");
    EXPECT_EQ(listData().EdIzmer.EDIZM.toQString(), "л");

    key(view(), Qt::Key_Up);
    press(kInsert);  // cancelled: back on the row it left
    EXPECT_EQ(highlighted(), "кг");
    EXPECT_EQ(storedUnits(), (std::vector<QString>{"кг", "л", "м", "шт"}));
}

TEST_F(Browse, ARangedListShowsItsRangeAndAnInsertPrimesTheRangeFields)
{
    const std::pair<const char*, const char*> rateList[] = {{"1", "01"}, {"2", "02"}, {"1", "03"}, {"2", "04"}};
    addRecords(FileId::Raszenki, 4, [&](int i) {
        WRK().GROUP = rateList[i].first;
        WRK().NRAS = rateList[i].second;
    });
    QString primedGroup = "?";
    runList(FileId::Raszenki, [&](ListWindow& w) {
        w.brw.AddSortOrder(RaszenkiLayout().keyIndex("WRK:ONGROUP")).SetRange(1, [](void* r) {
            static_cast<RaszenkiRecord*>(r)->GROUP = "2";
        });
        w.brw.AddField(column<&RaszenkiRecord::NRAS>("Шифр", false));
        w.brw.ASKPROCEDURE = 1;
        w.form = [&](int, std::uint8_t) -> std::uint8_t {
            primedGroup = WRK().GROUP.toQString();
            WRK().NRAS = "05";
            return Access(FileId::Raszenki).Insert() == Level::Benign ? ui::RESPONSE::Completed : ui::RESPONSE::Cancelled;
        };
    });
    EXPECT_EQ(shownRows(), (std::vector<QString>{"02", "04"}));
    press(kInsert);
    EXPECT_EQ(primedGroup, "2");
    EXPECT_EQ(shownRows(), (std::vector<QString>{"02", "04", "05"}));
    EXPECT_EQ(highlighted(), "05");
}

// --- the frame's toolbar

TEST_F(Browse, ForwardedToolbarButtonsActWhileTheirListButtonsAreEnabled)
{
    addUnits({"кг", "м"});
    QSignalSpy changes(&ui::ToolbarState::instance(), &ui::ToolbarState::changed);
    runUnits();
    std::set<int> expected = {3001, 3002, 3003, 3005, 3006, 3007, 3008, 3009, 3010, 3011, 3013};
    EXPECT_EQ(window().toolbarButtons(), expected);  // the hidden select button gives no 3004
    EXPECT_TRUE(window().control(kSelect)->isHidden());

    ui::post(thread, EVENT::Accepted, 3009);
    settle();
    EXPECT_EQ(highlighted(), "м");

    window().control(kInsert)->disable();
    settle();
    expected.erase(3001);
    EXPECT_EQ(window().toolbarButtons(), expected);
    ASSERT_FALSE(changes.isEmpty());
    EXPECT_EQ(changes.last().at(0).value<ui::Window*>(), &window());
    ui::post(thread, EVENT::Accepted, 3001);
    settle();
    EXPECT_FALSE(brw().Editing());

    window().control(kInsert)->enable();
    ui::post(thread, EVENT::Accepted, 3001);
    settle();
    EXPECT_TRUE(brw().Editing());
    key(cellEditor(), Qt::Key_Escape);
}

}  // namespace
