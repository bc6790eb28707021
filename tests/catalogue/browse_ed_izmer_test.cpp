// The unit list as the frame and the lookups run it: the window's look by request, the locator,
// in-place editing (duplicates, blank units, the width, going on with Down and Up, closing the
// window meanwhile), deleting, the lookup role with its buffer, the frame's toolbar and the saved
// window position.
#include "catalogue/units/browse_ed_izmer.h"

#include "app/settings/settings_file.h"
#include "data/thread_data.h"
#include "platform/core/ini_file.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/threads/dialog_script.h"
#include "platform/ui/windows/help.h"
#include "platform/ui/windows/nested_wait.h"
#include "platform/ui/windows/window_manager.h"
#include "tests/support/program_settings.h"
#include "tests/support/raw_sqlite.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_threads.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

enum Controls { kList = 1, kSearch = 4, kSelect = 5, kInsert = 6, kChange = 7, kDelete = 8, kClose = 9, kHelp = 10 };

using Units = std::vector<QString>;

struct UnitList : test::ThreadsFixture {
    ~UnitList() override
    {
        if (ui::Scheduler::instance().isRunning(thread)) ui::post(thread, EVENT::CloseWindow);
        test::waitEnded(thread);
    }

    // Every unit record, also a blank one, which the key leaves out.
    std::int64_t unitRecords() { return RawConnection("EDIZMER.TPS").integers("SELECT count(*) FROM records").at(0); }

    // BrowseEdIzmer on a thread of its own under the request; `before` runs there first.
    void open(std::uint8_t request = ui::REQUEST::None, std::function<void()> before = {})
    {
        response = -1;
        thread = test::start([=, this] {
            if (before) before();
            ProcRequest() = request;
            BrowseEdIzmer();
            response = ProcResponse();
            bufferAfter = EDI().EDIZM.toQString();
        });
        window = test::waitWindow(thread);
        ASSERT_TRUE(window);
        settle();
    }
    // Closes the window with "Закрыть" and waits for the procedure's end.
    void close()
    {
        press(kClose);
        ASSERT_TRUE(test::waitEnded(thread));
        window = nullptr;
    }

    // Until the list's thread has taken every event.
    void settle()
    {
        for (int i = 0; i < 3; ++i) {
            test::pump(5);
            test::pumpUntil([&] {
                const ui::Scheduler& s = ui::Scheduler::instance();
                return !s.isRunning(thread) || ui::isWaitingIdle(thread);
            });
        }
    }

    ui::BrowseList& list() { return *qobject_cast<ui::BrowseList*>(window->control(kList)->widget()); }
    QTableView* view() { return list().view(); }
    ThreadData& listData() { return static_cast<ThreadData&>(ui::Scheduler::instance().find(thread)->state()); }
    QString searchText() { return window->control(kSearch)->text(); }

    Units shownRows()
    {
        Units rows;
        for (int r = 0; r < list().model().rowCount(); ++r) rows.push_back(list().model().text(r, 0));
        return rows;
    }
    int highlightedRow() { return view()->currentIndex().row(); }
    QString highlighted() { return list().model().text(highlightedRow(), 0); }

    // The in-place editor of the row being edited; null when no row is.
    QLineEdit* cellEditor()
    {
        for (int r = 0; r < list().model().rowCount(); ++r)
            if (auto* e = qobject_cast<QLineEdit*>(view()->indexWidget(list().model().index(r, 0)))) return e;
        return nullptr;
    }
    bool editing() { return cellEditor() != nullptr; }

    void key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(w, k, m);
        settle();
    }
    // Characters typed one by one (QTest's key clicks know only Latin-1).
    void type(QWidget* w, const QString& text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
        settle();
    }
    void press(int control)
    {
        static_cast<QPushButton*>(window->control(control)->widget())->click();
        settle();
    }
    QPoint rowCentre(int row) { return view()->visualRect(list().model().index(row, 0)).center(); }
    void click(int row)
    {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(row));
        settle();
    }
    // as the window system sends it: a click, then the double click
    void doubleClick(int row)
    {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(row));
        QTest::mouseDClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(row));
        settle();
    }
    // Types the unit over the edited row's text and ends the row with the key.
    void editRow(const QString& unit, Qt::Key end)
    {
        QLineEdit* editor = cellEditor();
        ASSERT_TRUE(editor);
        editor->selectAll();
        editor->del();
        type(editor, unit);
        key(editor, end);
    }

    ui::ThreadId thread = 0;
    ui::Window* window = nullptr;
    int response = -1;
    QString bufferAfter;
};

// --- the window

TEST_F(UnitList, ShowsSelectOnlyAsALookupAndCloseAnswersByTheRequest)
{
    addUnits({"кг"});
    struct Case {
        std::uint8_t request;
        bool selectShown;
        int closeAnswers;
    };
    for (const Case c : {Case{ui::REQUEST::None, false, 1}, Case{ui::REQUEST::InsertRecord, false, 1},
                         Case{ui::REQUEST::ChangeRecord, false, 1}, Case{ui::REQUEST::DeleteRecord, false, 1},
                         Case{ui::REQUEST::SelectRecord, true, 2}}) {
        open(c.request);
        EXPECT_EQ(window->title(), "Единицы измерения");
        EXPECT_EQ(list().model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Ед. Измерения");
        EXPECT_EQ(list().statusTip(), "Browsing Records");
        EXPECT_EQ(qobject_cast<QTabWidget*>(window->control(2)->widget())->tabText(0), "ед. Измерения");
        EXPECT_EQ(qobject_cast<QLabel*>(window->control(3)->widget())->text(), "Поиск:");
        EXPECT_EQ(window->control(kSearch)->widget()->toolTip(), "Ед. Измерения");
        const char* const captions[] = {"&Выбрать", "&Добавить", "&Изменить", "&Удалить", "Закрыть", "Помощь"};
        for (int button = kSelect; button <= kHelp; ++button)
            EXPECT_EQ(static_cast<QPushButton*>(window->control(button)->widget())->text(),
                      QString::fromUtf8(captions[button - kSelect]));
        EXPECT_EQ(shownRows(), Units{"кг"});
        EXPECT_EQ(!window->control(kSelect)->isHidden(), c.selectShown) << int(c.request);
        EXPECT_EQ(window->toolbarButtons().count(3004) > 0, c.selectShown) << int(c.request);
        close();
        EXPECT_EQ(response, c.closeAnswers) << int(c.request);
    }
    EXPECT_EQ(storedUnits(), Units{"кг"});
}

// --- the locator

TEST_F(UnitList, LocatorFindsTheTypedTextInEitherCaseAndRestartsOnAClick)
{
    addUnits({"кг", "Км", "м", "м2", "шт"});
    open();
    struct Step {
        const char* typed;  // "\b" is Backspace
        const char* text;
        const char* unit;
    };
    const Step steps[] = {{"к", "к", "кг"}, {"м", "км", "Км"}, {"\b", "к", "кг"}, {"\b", "", "кг"}, {"л", "л", "м"}};
    for (const Step& s : steps) {
        if (*s.typed == '\b')
            key(view(), Qt::Key_Backspace);
        else
            type(view(), QString::fromUtf8(s.typed));
        EXPECT_EQ(searchText(), QString::fromUtf8(s.text)) << s.typed;
        EXPECT_EQ(highlighted(), QString::fromUtf8(s.unit)) << s.typed;
        EXPECT_EQ(listData().EdIzmer.EDIZM.toQString(), QString::fromUtf8(s.unit)) << s.typed;
    }

    click(3);
    EXPECT_EQ(highlighted(), "м2");
    EXPECT_TRUE(searchText().isEmpty());
    type(view(), "ш");  // "ш" afresh, not "лш"
    EXPECT_EQ(searchText(), "ш");
    EXPECT_EQ(highlighted(), "шт");
}

TEST_F(UnitList, TheLocatorStartsAfreshWhenTheHighlightMovesByOtherMeans)
{
    addUnits({"кг", "Км", "м", "м2", "шт"});
    open();
    struct Case {
        const char* name;
        std::function<void()> act;
        bool shownAtOnce;  // else the entry shows the old text until the list's next event
    };
    const Case cases[] = {
        {"moved with a key", [&] { key(view(), Qt::Key_Down); }, true},
        {"the focus lost", [&] {
             window->control(kSearch)->widget()->setFocus();
             settle();
             view()->setFocus();
             settle();
         }, false},
        {"editing started", [&] {
             key(view(), Qt::Key_Return, Qt::ControlModifier);
             ASSERT_TRUE(editing());
             key(cellEditor(), Qt::Key_Escape);
         }, true},
        {"a unit deleted", [&] { key(view(), Qt::Key_Delete); }, true},
    };
    for (const Case& c : cases) {
        type(view(), "м");
        ASSERT_EQ(searchText(), "м") << c.name;
        c.act();
        if (c.shownAtOnce) {
            EXPECT_TRUE(searchText().isEmpty()) << c.name;
        }
        type(view(), "ш");  // "ш" afresh, not "мш"
        EXPECT_EQ(searchText(), "ш") << c.name;
        EXPECT_EQ(highlighted(), "шт") << c.name;
        key(view(), Qt::Key_Home);
    }
    EXPECT_EQ(storedUnits(), (Units{"кг", "Км", "м2", "шт"}));
}

TEST_F(UnitList, TheTextAcceptedInTheSearchEntryLocates)
{
    addUnits({"кг", "м", "шт"});
    open();
    type(view(), "м");  // typed in the list before the entry takes the focus
    QLineEdit* search = qobject_cast<QLineEdit*>(window->control(kSearch)->widget());
    search->setFocus();
    search->selectAll();
    type(search, "ш");
    key(search, Qt::Key_Return);
    EXPECT_EQ(highlighted(), "шт");
    EXPECT_EQ(searchText(), "ш");
    type(view(), "г");  // the list's typing goes on from the accepted text
    EXPECT_EQ(searchText(), "шг");
}

TEST_F(UnitList, TheSearchEntryTypesOverAndTheRowEditorInserts)
{
    addUnits({"м2"});
    open();
    QLineEdit* search = qobject_cast<QLineEdit*>(window->control(kSearch)->widget());
    ASSERT_TRUE(search);
    search->setFocus();
    search->setText("шт");
    search->setCursorPosition(0);
    type(search, "м");
    EXPECT_EQ(search->text(), "мт");

    view()->setFocus();
    key(view(), Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(editing());
    cellEditor()->setCursorPosition(0);
    type(cellEditor(), "кв.");
    key(cellEditor(), Qt::Key_Return);
    EXPECT_EQ(storedUnits(), Units{"кв.м2"});
}

TEST_F(UnitList, TheThumbStandsByTheAlphabeticValueOfTheUnit)
{
    // by position "аб" would stand two thirds down; by its value it is near the top
    addUnits({"а", "аа", "аб", "я"});
    open();
    const struct {
        Qt::Key key;
        const char* unit;
        int low, high;
    } steps[] = {{Qt::Key_Down, "аа", 0, 5}, {Qt::Key_Down, "аб", 0, 5}, {Qt::Key_End, "я", 100, 100}, {Qt::Key_Home, "а", 0, 0}};
    for (const auto& s : steps) {
        key(view(), s.key);
        ASSERT_EQ(highlighted(), QString::fromUtf8(s.unit));
        EXPECT_GE(list().thumb(), s.low) << s.unit;
        EXPECT_LE(list().thumb(), s.high) << s.unit;
    }
}

// --- in-place editing

TEST_F(UnitList, AnEmptyListChangesAndDeletesNothingAndInsertOpensTheFirstRow)
{
    open();
    key(view(), Qt::Key_Return, Qt::ControlModifier);
    press(kChange);
    key(view(), Qt::Key_Delete);
    press(kDelete);
    EXPECT_FALSE(editing());
    EXPECT_TRUE(messages.shown().empty());

    press(kInsert);
    ASSERT_TRUE(editing());
    EXPECT_EQ(highlightedRow(), 0);
    editRow("кг", Qt::Key_Return);
    EXPECT_FALSE(editing());
    EXPECT_EQ(storedUnits(), Units{"кг"});
    EXPECT_EQ(shownRows(), Units{"кг"});
}

TEST_F(UnitList, AUnitThatDiffersOnlyInCaseIsRefusedAsADuplicate)
{
    open();
    press(kInsert);
    editRow("м2", Qt::Key_Return);
    ASSERT_EQ(storedUnits(), Units{"м2"});

    key(view(), Qt::Key_Insert);
    editRow("М2", Qt::Key_Return);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Ошибка дублирования в ключе");
    EXPECT_TRUE(messages.shown()[0].text.contains("EDI:KeyEdIzm")) << messages.shown()[0].text.toStdString();
    EXPECT_TRUE(editing());  // to be corrected or abandoned
    key(cellEditor(), Qt::Key_Escape);
    EXPECT_FALSE(editing());
    EXPECT_EQ(storedUnits(), Units{"м2"});
    EXPECT_EQ(shownRows(), Units{"м2"});
}

TEST_F(UnitList, DownAndUpAfterAChangedRowGoOnWithTheNeighbourAndEscAbandonsIt)
{
    addUnits({"кг", "м", "шт"});
    open();
    doubleClick(0);
    ASSERT_TRUE(editing());
    EXPECT_EQ(cellEditor()->text(), "кг");
    editRow("г", Qt::Key_Down);
    ASSERT_TRUE(editing());
    EXPECT_EQ(cellEditor()->text(), "м");
    EXPECT_EQ(highlightedRow(), 1);
    editRow("мм", Qt::Key_Up);
    ASSERT_TRUE(editing());
    EXPECT_EQ(cellEditor()->text(), "г");
    EXPECT_EQ(highlightedRow(), 0);
    editRow("метр", Qt::Key_Escape);
    EXPECT_FALSE(editing());
    EXPECT_EQ(storedUnits(), (Units{"г", "мм", "шт"}));
    EXPECT_EQ(highlighted(), "г");
    EXPECT_EQ(listData().NavRequest, 0);
}

TEST_F(UnitList, DownAfterAnAddedRowOpensAnotherNewRowAndEscAbandonsIt)
{
    addUnits({"кг"});
    open();
    key(view(), Qt::Key_Insert);
    editRow("м", Qt::Key_Down);
    ASSERT_TRUE(editing());
    EXPECT_TRUE(cellEditor()->text().isEmpty());
    editRow("шт", Qt::Key_Up);  // Up as well
    ASSERT_TRUE(editing());
    EXPECT_TRUE(cellEditor()->text().isEmpty());
    editRow("л", Qt::Key_Escape);
    EXPECT_FALSE(editing());
    EXPECT_EQ(storedUnits(), (Units{"кг", "м", "шт"}));
    EXPECT_EQ(shownRows(), (Units{"кг", "м", "шт"}));
    EXPECT_EQ(highlighted(), "м");  // Up went one row up before the new row opened
    EXPECT_EQ(listData().NavRequest, 0);
}

TEST_F(UnitList, ABlankUnitIsNeverStored)
{
    addUnits({"кг", "м"});
    open();
    struct Case {
        const char* name;
        std::function<void()> start;
        const char* typed;
        Qt::Key end;
    };
    const Case cases[] = {
        {"new row left empty", [&] { press(kInsert); }, "", Qt::Key_Return},
        {"new row of blanks", [&] { press(kInsert); }, "   ", Qt::Key_Return},
        {"new row left empty with Down", [&] { press(kInsert); }, "", Qt::Key_Down},  // no further new row
        {"unit emptied", [&] { key(view(), Qt::Key_Return, Qt::ControlModifier); }, "", Qt::Key_Return},
        {"unit emptied with Down", [&] { key(view(), Qt::Key_Return, Qt::ControlModifier); }, "", Qt::Key_Down},
    };
    for (const Case& c : cases) {
        c.start();
        editRow(QString::fromUtf8(c.typed), c.end);
        EXPECT_FALSE(editing()) << c.name;
        EXPECT_EQ(storedUnits(), (Units{"кг", "м"})) << c.name;
        EXPECT_EQ(unitRecords(), 2) << c.name;
        EXPECT_EQ(shownRows(), (Units{"кг", "м"})) << c.name;
        EXPECT_EQ(highlighted(), "кг") << c.name;
        EXPECT_EQ(listData().EdIzmer.EDIZM.toQString(), "кг") << c.name;
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(UnitList, AnEmptyNewRowEndsARunOfNewRows)
{
    open();
    press(kInsert);
    editRow("кг", Qt::Key_Down);
    editRow("м", Qt::Key_Down);
    ASSERT_TRUE(editing());
    key(cellEditor(), Qt::Key_Down);
    EXPECT_FALSE(editing());
    EXPECT_EQ(storedUnits(), (Units{"кг", "м"}));
    EXPECT_EQ(unitRecords(), 2);
    EXPECT_EQ(highlighted(), "м");
    EXPECT_EQ(listData().NavRequest, 0);
}

TEST_F(UnitList, AUnitOf25CharactersIsStoredWholeAndA26thCannotBeTyped)
{
    const QString letters = QStringLiteral("абвгдежзийклмнопрстуфхцчшщ");
    ASSERT_EQ(letters.size(), 26);
    open();
    press(kInsert);
    editRow(letters, Qt::Key_Return);
    EXPECT_EQ(storedUnits(), Units{letters.left(25)});
    EXPECT_EQ(shownRows(), Units{letters.left(25)});
}

TEST_F(UnitList, ClosingTheWindowAsksAboutATypedUnitAndAtTheSessionsEndAbandonsIt)
{
    test::ScriptedDialogs dialogs;  // the program's own message dialog
    addUnits({"кг"});
    const struct {
        const char* name;
        std::function<void()> close;
        const char* typed;
        unsigned answer;  // 0: the session ends and no one answers
        Units stored;
    } cases[] = {
        {"the close box", [&] { window->topWidget()->close(); }, "м", BUTTON_NO, {"кг"}},
        {"Закрыть", [&] { press(kClose); }, "м", BUTTON_YES, {"кг", "м"}},
        {"the frame's orderly close", [&] { ui::post(thread, EVENT::CloseWindow); }, "шт", BUTTON_YES, {"кг", "м", "шт"}},
        {"the session's end",
         [&] {
             ui::setSessionEnding(true);
             ui::post(thread, EVENT::CloseWindow);
         },
         "т", 0, {"кг", "м", "шт"}},
    };
    for (const auto& c : cases) {
        open();
        press(kInsert);
        ASSERT_TRUE(editing()) << c.name;
        type(cellEditor(), QString::fromUtf8(c.typed));
        ui::clearShownMessages();
        if (c.answer) ui::scriptMessageAnswer(c.answer);
        c.close();
        ASSERT_TRUE(test::waitEnded(thread)) << c.name;
        ui::setSessionEnding(false);
        ASSERT_EQ(ui::shownMessages().size(), 1u) << c.name;
        EXPECT_EQ(ui::shownMessages()[0].caption, QStringLiteral("Сохранение записи")) << c.name;
        EXPECT_EQ(storedUnits(), c.stored) << c.name;
    }
}

// --- deleting

TEST_F(UnitList, DeleteRemovesTheUnitWithoutAskingAndShiftDeleteNever)
{
    addUnits({"кг", "м", "шт"});
    // a material in that unit, which the delete leaves as it is
    auto materialUnits = [&] { return stored(FileId::MatLst, [] { return MAN().EDIZM.toQString(); }); };
    onThread([] {
        Relate(FileId::MatLst).Open();
        ASSERT_EQ(Access(FileId::MatLst).PrimeRecord(), records::Level::Benign);
        MAN().NAME = "Кирпич";
        MAN().EDIZM = "м";
        ASSERT_EQ(Access(FileId::MatLst).Insert(), records::Level::Benign);
        Relate(FileId::MatLst).Close();
    });
    ASSERT_EQ(materialUnits(), Units{"м"});
    open();
    key(view(), Qt::Key_Down);
    key(view(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(storedUnits(), (Units{"кг", "м", "шт"}));

    // in the row editor it cuts the text
    key(view(), Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(editing());
    cellEditor()->selectAll();
    key(cellEditor(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_TRUE(cellEditor()->text().isEmpty());
    EXPECT_EQ(QApplication::clipboard()->text(), "м");
    key(cellEditor(), Qt::Key_Escape);
    EXPECT_EQ(storedUnits(), (Units{"кг", "м", "шт"}));

    key(view(), Qt::Key_Delete);
    EXPECT_EQ(storedUnits(), (Units{"кг", "шт"}));
    EXPECT_EQ(highlighted(), "шт");  // the next unit takes its place
    press(kDelete);
    EXPECT_EQ(storedUnits(), Units{"кг"});
    EXPECT_EQ(shownRows(), Units{"кг"});
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(materialUnits(), Units{"м"});
}

TEST_F(UnitList, ThePopupMenuOffersSelectOnlyInTheLookup)
{
    addUnits({"кг", "м"});
    struct Case {
        std::uint8_t request;
        QStringList items;
    };
    const Case cases[] = {
        {ui::REQUEST::None, {"&Добавить", "&Изменить", "&Удалить"}},
        {ui::REQUEST::SelectRecord, {"&Выбрать", "&Добавить", "&Изменить", "&Удалить"}},
    };
    for (const Case& c : cases) {
        open(c.request);
        QTest::mouseClick(view()->viewport(), Qt::RightButton, Qt::NoModifier, rowCentre(1));
        QMenu* menu = nullptr;
        ASSERT_TRUE(test::pumpUntil([&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible()) menu = m;
            return menu != nullptr;
        }));
        QStringList items;
        for (QAction* a : menu->actions()) items << a->text();
        EXPECT_EQ(items, c.items) << int(c.request);
        menu->actions().front()->trigger();  // "&Выбрать" picks the unit the click highlighted
        settle();
        if (c.request == ui::REQUEST::SelectRecord) {
            ASSERT_TRUE(test::waitEnded(thread));
            EXPECT_EQ(response, 1);
            EXPECT_EQ(bufferAfter, "м");
        } else {
            ASSERT_TRUE(editing());  // "&Добавить"
            key(cellEditor(), Qt::Key_Escape);
            close();
        }
    }
}

// --- the lookup role

TEST_F(UnitList, TheLookupHandsBackThePickedUnitOrTheBufferAsItWas)
{
    addUnits({"кг", "м", "шт"});
    struct Case {
        const char* name;
        const char* before;  // the caller's buffer; null: no unit read on the thread
        std::function<void()> end;
        int answer;
        const char* unit;
    };
    const Case cases[] = {
        {"closed", "старое", [&] { press(kClose); }, 2, "старое"},
        {"closed on a fresh thread", nullptr, [&] { press(kClose); }, 2, ""},
        {"picked with the button", "старое", [&] { press(kSelect); }, 1, "м"},
        {"picked with Enter", nullptr, [&] { key(view(), Qt::Key_Return); }, 1, "м"},
        {"picked with a double click", nullptr, [&] { doubleClick(1); }, 1, "м"},
        {"deleted and closed", "старое", [&] {
             press(kDelete);
             press(kClose);
         }, 2, "старое"},
        {"changed and picked", "старое", [&] {
             press(kChange);
             editRow("мм", Qt::Key_Return);
             press(kSelect);
         }, 1, "мм"},
        {"added and picked", "старое", [&] {
             key(view(), Qt::Key_Insert);
             editRow("л", Qt::Key_Return);
             press(kSelect);
         }, 1, "л"},
    };
    for (const Case& c : cases) {
        addUnits({"м"});  // back after the cases that change or delete it
        open(ui::REQUEST::SelectRecord, [before = c.before] {
            if (before) EDI().EDIZM = QString::fromUtf8(before);
        });
        key(view(), Qt::Key_Down);
        EXPECT_EQ(listData().EdIzmer.EDIZM.toQString(), "м") << c.name;  // the buffer follows the row
        c.end();
        ASSERT_TRUE(test::waitEnded(thread)) << c.name;
        EXPECT_EQ(response, c.answer) << c.name;
        EXPECT_EQ(bufferAfter, QString::fromUtf8(c.unit)) << c.name;
    }
}

// --- the frame's toolbar

TEST_F(UnitList, TheFramesInsertButtonAddsARowWhileTheWindowIsActive)
{
    addUnits({"кг"});
    open();
    EXPECT_TRUE(window->toolbarButtons().count(3001));
    ui::post(thread, EVENT::Accepted, 3001);  // as the frame forwards its button
    settle();
    ASSERT_TRUE(editing());
    editRow("м", Qt::Key_Return);
    EXPECT_EQ(storedUnits(), (Units{"кг", "м"}));
    EXPECT_EQ(highlighted(), "м");
}

// --- help

TEST_F(UnitList, HelpShowsTheUnitsPageFromTheButtonAndFromTheFramesHelpButton)
{
    struct Viewer {
        explicit Viewer(Units& topics)
        {
            ui::setHelpViewer([&topics](const QString& topic) { topics.push_back(topic); });
        }
        ~Viewer() { ui::setHelpViewer({}); }
    };
    Units topics;
    Viewer viewer(topics);
    open();
    press(kHelp);
    EXPECT_TRUE(window->toolbarButtons().count(3013));
    ui::post(thread, EVENT::Accepted, 3013);  // as the frame forwards its button
    settle();
    EXPECT_EQ(topics, (Units{"units", "units"}));
}

// --- the window's position

TEST_F(UnitList, ThePositionIsSavedUnderItsNameAndRestoredAtTheNextOpening)
{
    test::ProgramSettings settings;
    const WindowPlacement moved{40, 50, 700, 500};

    open();
    window->setPlacement(moved);
    settle();
    close();
    QFile ini("tolvex.ini");
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("[BrowseEdIzmer]\r\n")) << text.toStdString();
    const QString section = QStringLiteral("BrowseEdIzmer");
    IniFile& file = IniFile::at(QStringLiteral("tolvex.ini"));
    EXPECT_EQ(file.value(section, "XPos"), "40");
    EXPECT_EQ(file.value(section, "YPos"), "50");
    EXPECT_EQ(file.value(section, "Width"), "700");
    EXPECT_EQ(file.value(section, "Height"), "500");

    open();
    const WindowPlacement restored = window->placement();
    EXPECT_EQ(restored.x, moved.x);
    EXPECT_EQ(restored.y, moved.y);
    EXPECT_EQ(restored.width, moved.width);
    EXPECT_EQ(restored.height, moved.height);
    close();
}

}  // namespace
