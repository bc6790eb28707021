// The act window as the estimate editor starts it, by name on a thread of its own with NumSmeta
// set: its look, the section sums and colours, editing the act quantity in place with the
// keyboard, the fill from its menu, the outputs it starts for its own estimate, and lines
// changed or unreadable under it.
#include "estimate/act/browse_akt.h"

#include "data/globals.h"
#include "data/thread_data.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/windows/control_colors.h"
#include "platform/ui/windows/procedures.h"
#include "platform/ui/windows/window_manager.h"
#include "tests/estimate/act_records.h"
#include "tests/support/called_window.h"
#include "tests/support/raw_sqlite.h"

#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>

#include <map>

namespace {

enum Controls { kSections = 7, kChange = 8, kSheet = 9, kText = 10, kLines = 13, kClose = 14 };

const char* const kOutputs[] = {"PrintAktToText", "PrintAktGraph", "PrintAkt7graph"};

struct ActWindow : test::ActRecords, test::CalledWindow {
    ActWindow()
    {
        InitProgramGlobals();
        ui::registerProcedure("BrowseAkt", [](const ui::ProcedureArgs&) { BrowseAkt(); });
        // the outputs note the estimate they would report on
        for (const char* name : kOutputs)
            ui::registerProcedure(name, [this, name](const ui::ProcedureArgs&) { started.emplace_back(name, NumSmeta); });
    }
    ~ActWindow() override
    {
        for (int i = 0; i < 5 && ui::Scheduler::instance().isRunning(thread); ++i) {
            messages.answer(BUTTON_NO);  // a row in editing is not stored
            if (window) ui::post(thread, EVENT::CloseWindow);
            test::waitEnded(thread, 1000);
        }
        ui::unregisterProcedure("BrowseAkt");
        for (const char* name : kOutputs) ui::unregisterProcedure(name);
        InitProgramGlobals();
    }

    void addSections(const std::vector<std::pair<int, int>>& sections)
    {
        addRecords(FileId::GroupsWks, int(sections.size()), [&](int i) {
            GRO().NUMSMET = std::int16_t(sections[std::size_t(i)].first);
            GRO().NUMINSMETA = std::int16_t(sections[std::size_t(i)].second);
            GRO().NAME = QStringLiteral("Раздел %1").arg(sections[std::size_t(i)].second);
        });
    }
    // Estimate 1: section 1 with three lines of plan 10, section 2 with one; estimate 2 beside it.
    void addEstimates()
    {
        addSections({{1, 1}, {1, 2}, {2, 1}});
        addLines({{1, 1, 1, "10.00", "0", "Кладка"},
                  {1, 1, 2, "10.00", "0", "Штукатурка"},
                  {1, 1, 3, "10.00", "0", "Окраска"},
                  {1, 2, 1, "3.00", "1.50", "Кровля"},
                  {2, 1, 1, "8.00", "0", "Фасад"}});
    }
    // The act quantities of the estimate's lines in key order, as the file holds them.
    std::vector<std::string> acts(int estimate)
    {
        return RawConnection("WRKSINSM.TPS")
            .column("SELECT ONAKT FROM records WHERE CODER = " + std::to_string(estimate) +
                    " ORDER BY GRINSMETA, NUMINGROUP");
    }

    // BrowseAkt by name on a caller's thread, as the editor starts it.
    void open(int estimate, std::uint8_t request = ui::REQUEST::None)
    {
        response = -1;
        thread = test::start([=, this] {
            NumSmeta = estimate;
            ProcRequest() = request;
            ui::callProcedure("BrowseAkt");
            response = ProcResponse();
        });
        window = test::waitWindow(thread);
        ASSERT_TRUE(window);
        settle();
    }

    ui::BrowseList& list(int control) { return *qobject_cast<ui::BrowseList*>(window->control(control)->widget()); }
    std::vector<QString> column(int control, int c)
    {
        std::vector<QString> out;
        for (int r = 0; r < list(control).model().rowCount(); ++r) out.push_back(list(control).model().text(r, c).trimmed());
        return out;
    }
    int highlighted(int control) { return list(control).view()->currentIndex().row(); }
    QLineEdit* cellEditor()
    {
        for (int r = 0; r < list(kLines).model().rowCount(); ++r)
            if (auto* e = qobject_cast<QLineEdit*>(list(kLines).viewOf(1)->indexWidget(list(kLines).model().index(r, 1))))
                return e;
        return nullptr;
    }
    int editedRow()
    {
        for (int r = 0; r < list(kLines).model().rowCount(); ++r)
            if (list(kLines).viewOf(1)->indexWidget(list(kLines).model().index(r, 1))) return r;
        return -1;
    }
    // Types over the edited act and ends the row with the key.
    void editAct(const QString& act, Qt::Key end)
    {
        QLineEdit* editor = cellEditor();
        ASSERT_TRUE(editor);
        editor->selectAll();
        editor->del();
        type(editor, act);
        key(editor, end);
    }
    QAction* menuItem(int index)
    {
        auto* bar = window->content()->findChild<QMenuBar*>();
        return bar->actions().at(0)->menu()->actions().at(index);
    }
    void choose(int index)
    {
        menuItem(index)->trigger();
        settle();
    }

    ui::Window* window = nullptr;
    int response = -1;
    std::vector<std::pair<QString, int>> started;
};

TEST_F(ActWindow, ShowsTheEstimatesSectionsWithTheirSumsAndTheHighlightedSectionsLines)
{
    addEstimates();
    for (const std::uint8_t request : {ui::REQUEST::None, ui::REQUEST::SelectRecord}) {
        open(1, request);
        EXPECT_EQ(window->title(), "Акт приемки выполненных работ");
        QMenu* menu = window->content()->findChild<QMenuBar*>()->actions().at(0)->menu();
        EXPECT_EQ(menu->title(), "&Акт");
        QStringList items;
        for (QAction* a : menu->actions()) items << a->text();
        EXPECT_EQ(items, (QStringList{"&Обнулить", "Заполнить на &25 %", "Заполнить на &50 %", "Заполнить на &75%",
                                      "Заполнить на &100%"}));
        EXPECT_EQ(qobject_cast<QTabWidget*>(window->control(kSheet)->widget())->tabText(0), "Выполнение работ по смете");
        const std::map<int, QString> buttons{{kChange, "&Изменить"}, {kText, "TXT"}, {11, "11 гр."},
                                             {12, "7 гр."},          {kClose, "Закрыть"}, {15, "Помощь"}};
        for (const auto& [number, caption] : buttons)
            EXPECT_EQ(static_cast<QPushButton*>(window->control(number)->widget())->text(), caption);
        EXPECT_EQ(window->control("?ЗАПОЛНИТЬ2")->number(), 5);
        EXPECT_EQ(window->control("?LIST")->number(), kLines);
        EXPECT_EQ(list(kSections).statusTip(), "Browsing Records");

        EXPECT_EQ(column(kSections, 0), (std::vector<QString>{"1", "2"}));
        EXPECT_EQ(column(kSections, 1), (std::vector<QString>{"Раздел 1", "Раздел 2"}));
        EXPECT_EQ(column(kSections, 2), (std::vector<QString>{"0.00", "1.50"}));
        EXPECT_EQ(list(kLines).model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Фактич.");
        EXPECT_EQ(column(kLines, 2), (std::vector<QString>{"Кладка", "Штукатурка", "Окраска"}));
        EXPECT_EQ(column(kLines, 0), (std::vector<QString>{"10.00", "10.00", "10.00"}));
        EXPECT_EQ(column(kLines, 3), (std::vector<QString>{"м2", "м2", "м2"}));

        key(list(kSections).view(), Qt::Key_Down);
        EXPECT_EQ(column(kLines, 2), std::vector<QString>{"Кровля"});
        EXPECT_EQ(column(kLines, 1), std::vector<QString>{"1.50"});
        press(window, kClose);
        ASSERT_TRUE(ended());
        EXPECT_EQ(response, request == ui::REQUEST::SelectRecord ? 2 : 1);
        window = nullptr;
    }
}

TEST_F(ActWindow, ActCellsAreColouredAgainstThePlan)
{
    addSections({{1, 1}});
    addLines({{1, 1, 1, "10.00", "12.00", "Сверх"}, {1, 1, 2, "10.00", "4.00", "Часть"}, {1, 1, 3, "10.00", "0", "Нет"},
              {1, 1, 4, "10.00", "-1.00", "Минус"}});
    open(1);
    // room for the four lines in any font
    window->topWidget()->resize(window->topWidget()->width(), window->topWidget()->height() + 200);
    settle();
    const ui::BrowseModel& m = list(kLines).model();
    const QColor red(255, 0, 0), yellow(255, 255, 0);
    const struct {
        QColor text, background;
    } expected[] = {{yellow, red}, {red, yellow}, {{}, {}}, {{}, {}}};
    for (int row = 0; row < 4; ++row) {
        const QModelIndex act = m.index(row, 1), plan = m.index(row, 0);
        EXPECT_EQ(act.data(Qt::ForegroundRole).value<QColor>(), expected[row].text) << row;
        EXPECT_EQ(act.data(Qt::BackgroundRole).value<QColor>(), expected[row].background) << row;
        EXPECT_FALSE(act.data(ui::BrowseModel::SelectedForegroundRole).isValid()) << row;
        EXPECT_FALSE(act.data(ui::BrowseModel::SelectedBackgroundRole).isValid()) << row;
        EXPECT_EQ(plan.data(Qt::BackgroundRole).value<QColor>(), QColor(192, 192, 192)) << row;
        EXPECT_FALSE(plan.data(Qt::ForegroundRole).isValid()) << row;
        EXPECT_FALSE(m.index(row, 2).data(Qt::BackgroundRole).isValid()) << row;
    }
    // as the list paints them: near the left edge of the right-aligned cells, beside the text;
    // the highlighted first row in the list's own selected colours
    QTableView* view = list(kLines).viewOf(0);
    const QImage shown = view->viewport()->grab().toImage();
    auto colourAt = [&](int row, int column) {
        const QRect cell = view->visualRect(m.index(row, column));
        return shown.pixelColor(cell.left() + 3, cell.center().y());
    };
    EXPECT_EQ(colourAt(1, 0), QColor(192, 192, 192));
    EXPECT_EQ(colourAt(1, 1), yellow);
    const QColor selected = colourAt(0, 1);
    EXPECT_TRUE(selected == view->palette().color(QPalette::Active, QPalette::Highlight) ||
                selected == view->palette().color(QPalette::Inactive, QPalette::Highlight))
        << selected.name().toStdString();
}

// "Всего" and "Фактич." stand in a view of their own, level with the rows of the names, which
// scroll sideways under the window's width; the act is edited there.
TEST_F(ActWindow, ThePlanAndTheActStayInViewWhileTheNamesScrollSideways)
{
    addEstimates();
    open(1);
    ui::BrowseList& lines = list(kLines);
    QTableView* fixed = lines.viewOf(0);
    QTableView* scrolled = lines.view();
    ASSERT_NE(fixed, scrolled);
    EXPECT_EQ(lines.viewOf(1), fixed);
    EXPECT_EQ(lines.viewOf(2), scrolled);
    EXPECT_TRUE(fixed->isVisible());
    scrolled->horizontalScrollBar()->setValue(scrolled->horizontalScrollBar()->maximum());
    EXPECT_GT(scrolled->horizontalScrollBar()->value(), 0);  // the names are wider than the window
    const QModelIndex plan = lines.model().index(0, 0), act = lines.model().index(0, 1);
    for (const QModelIndex& cell : {plan, act}) EXPECT_TRUE(fixed->viewport()->rect().contains(fixed->visualRect(cell)));
    EXPECT_EQ(fixed->horizontalHeader()->length(), fixed->viewport()->width());
    EXPECT_EQ(fixed->rowViewportPosition(0), scrolled->rowViewportPosition(0));
    EXPECT_EQ(fixed->viewport()->height(), scrolled->viewport()->height());
    EXPECT_EQ(fixed->mapTo(&lines, fixed->viewport()->geometry().topLeft()).y(),
              scrolled->mapTo(&lines, scrolled->viewport()->geometry().topLeft()).y());

    press(window, kChange);
    ASSERT_TRUE(cellEditor());
    EXPECT_EQ(cellEditor()->parentWidget(), fixed->viewport());
    key(cellEditor(), Qt::Key_Escape);
}

TEST_F(ActWindow, TheKeyboardStoresTheActAndGoesOnAsEachKeySays)
{
    addEstimates();
    open(1);
    press(window, kChange);
    ASSERT_EQ(editedRow(), 0);
    struct Step {
        const char* typed;
        Qt::Key end;
        int editedAfter;  // -1: editing ended
        std::vector<std::string> acts;
    };
    const Step steps[] = {
        {"4", Qt::Key_Return, 1, {"400", "0", "0", "150"}},    // Enter: stored, the next row
        {"12", Qt::Key_Down, 2, {"400", "1200", "0", "150"}},  // above the plan, stored as typed
        {"1", Qt::Key_Up, 1, {"400", "1200", "100", "150"}},   // Up: the row before
        {"5", Qt::Key_Tab, 2, {"400", "500", "100", "150"}},   // Tab: the next row
        {"7", Qt::Key_Escape, -1, {"400", "500", "100", "150"}},
    };
    for (const Step& s : steps) {
        editAct(QString::fromUtf8(s.typed), s.end);
        EXPECT_EQ(editedRow(), s.editedAfter) << s.typed;
        EXPECT_EQ(acts(1), s.acts) << s.typed;
    }
    EXPECT_EQ(column(kLines, 1), (std::vector<QString>{"4.00", "5.00", "1.00"}));
    EXPECT_EQ(column(kSections, 2), (std::vector<QString>{"10.00", "1.50"}));
    // only the act is edited: Enter on the list itself starts nothing, Ctrl+Enter edits
    key(list(kLines).view(), Qt::Key_Return);
    EXPECT_EQ(editedRow(), -1);
    key(list(kLines).view(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(editedRow(), highlighted(kLines));
    EXPECT_EQ(acts(2), std::vector<std::string>{"0"});
}

TEST_F(ActWindow, AnActTheFieldCannotHoldCannotBeTyped)
{
    addEstimates();
    open(1);
    press(window, kChange);
    QLineEdit* editor = cellEditor();
    ASSERT_TRUE(editor);
    editor->selectAll();
    editor->del();
    type(editor, "123456.78");
    EXPECT_EQ(editor->text(), "12345.78");  // the sixth digit before the point is refused
    editor->selectAll();
    editor->del();
    type(editor, "-99999.99");
    EXPECT_EQ(editor->text(), "-99999.99");
    EXPECT_EQ(editedRow(), 0);
    key(editor, Qt::Key_Escape);
    EXPECT_EQ(acts(1), (std::vector<std::string>{"0", "0", "0", "150"}));
}

TEST_F(ActWindow, StoringAnActKeepsWhatAnotherWindowStoredInTheLineMeanwhile)
{
    addEstimates();
    open(1);
    press(window, kChange);
    ASSERT_TRUE(cellEditor());
    // the work-line form of another thread stores the line being edited here
    RawConnection("WRKSINSM.TPS")
        .exec("UPDATE records SET CHELCH = 2000, NAME = 'Кладка стен' WHERE CODER = 1 AND GRINSMETA = 1 AND NUMINGROUP = 1");
    editAct("3", Qt::Key_Return);
    key(cellEditor(), Qt::Key_Escape);
    EXPECT_EQ(RawConnection("WRKSINSM.TPS").column("SELECT CHELCH || '/' || ONAKT || '/' || NAME FROM records WHERE pos = 1"),
              std::vector<std::string>{"2000/300/Кладка стен"});
    EXPECT_EQ(column(kLines, 2).at(0), "Кладка стен");
}

TEST_F(ActWindow, FillsAndOutputsStayWithTheWindowsEstimateWhenNumSmetaChanges)
{
    addEstimates();
    open(1);
    NumSmeta = 2;  // the estimate list chose another estimate meanwhile
    choose(2);     // "Заполнить на &50 %"
    EXPECT_EQ(acts(1), (std::vector<std::string>{"500", "500", "500", "150"}));
    EXPECT_EQ(acts(2), std::vector<std::string>{"0"});
    EXPECT_EQ(column(kLines, 1), (std::vector<QString>{"5.00", "5.00", "5.00"}));
    EXPECT_EQ(column(kSections, 2), (std::vector<QString>{"15.00", "1.50"}));
    for (int button : {int(kText), 11, 12}) {
        NumSmeta = 2;
        press(window, button);
        test::pumpUntil([&] { return started.size() == std::size_t(button - kText + 1); });
    }
    EXPECT_EQ(started, (std::vector<std::pair<QString, int>>{{"PrintAktToText", 1}, {"PrintAktGraph", 1}, {"PrintAkt7graph", 1}}));
    EXPECT_EQ(column(kSections, 0), (std::vector<QString>{"1", "2"}));
    choose(0);  // "&Обнулить"
    EXPECT_EQ(acts(1), (std::vector<std::string>{"0", "0", "0", "0"}));
    EXPECT_EQ(acts(2), std::vector<std::string>{"0"});
}

TEST_F(ActWindow, AFillWhileARowIsInEditingLeavesThatRowToItsEditor)
{
    addEstimates();
    open(1);
    press(window, kChange);
    ASSERT_EQ(editedRow(), 0);
    choose(4);  // "Заполнить на &100%"
    editAct("7", Qt::Key_Return);
    key(cellEditor(), Qt::Key_Escape);
    EXPECT_EQ(acts(1), (std::vector<std::string>{"700", "1000", "1000", "300"}));
}

TEST_F(ActWindow, LinesThatCannotBeReadAreSaidSoAndNoneAreShown)
{
    addEstimates();
    open(1);
    ASSERT_EQ(column(kLines, 2).size(), 3u);
    // the lines' file changes under the open window: its reads fail
    RawConnection("WRKSINSM.TPS").exec("ALTER TABLE records RENAME COLUMN ONAKT TO GONE");
    key(list(kSections).view(), Qt::Key_Down);
    EXPECT_EQ(highlighted(kSections), 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Ошибка доступа к записи");
    EXPECT_TRUE(column(kLines, 2).empty());
}

}  // namespace
