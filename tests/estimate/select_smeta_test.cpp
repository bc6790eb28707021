// The estimate list as the editor calls it (the select request, nested on the editor's thread):
// its columns, the three orders with their one-key jumps, choosing and closing with the two
// estimate numbers, and adding, deleting and the other buttons through the header form.
#include "tests/estimate/estimate_windows.h"

#include "platform/ui/browse/browse_list.h"
#include "platform/ui/windows/help.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableView>

namespace {

enum Controls { kList = 1, kSelect, kInsert, kChange, kDelete, kTab, kClose, kHelp, kCopy };
enum FormControls { kFormOk = 68, kFormCancel = 69 };

using Numbers = std::vector<int>;

struct EstimateList : test::EstimateWindows {
    // Three headers with mixed-case names; dates give a third order.
    void addThree()
    {
        addHeader(1, "Ремонт кровли", 80003);
        addHeader(2, "аптека", 80001);
        addHeader(3, "Детский сад", 80002);
    }
    // The editor's call: request 4, then SelectSmeta by name.
    void open(std::uint8_t request = ui::REQUEST::SelectRecord)
    {
        call(FileId::Headers, [request] {
            ProcRequest() = request;
            ui::callProcedure("SelectSmeta");
        });
        ASSERT_TRUE(window);
    }
    ui::BrowseList& list() { return *qobject_cast<ui::BrowseList*>(window->control(kList)->widget()); }
    QTableView* view() { return list().view(); }
    Numbers shown()
    {
        Numbers rows;
        for (int r = 0; r < list().model().rowCount(); ++r) rows.push_back(list().model().text(r, 0).trimmed().toInt());
        return rows;
    }
    int highlighted() { return list().model().text(view()->currentIndex().row(), 0).trimmed().toInt(); }
    void tab(int index)
    {
        qobject_cast<QTabWidget*>(window->control(kTab)->widget())->setCurrentIndex(index);
        settle();
    }
    void setNumbers(int value)
    {
        NumSmeta = value;
        GLO::CurrentSmeta = value;
    }
};

TEST_F(EstimateList, ShowsNineColumnsWithTheMainInformationOnTwoLines)
{
    addThree();
    open();
    EXPECT_EQ(window->title(), "Выберите смету из списка");
    const QStringList headings = {"№ п.п.", "Название сметы", "Основание составления сметы", "Заказчик", "Название объекта",
                                  "Должность заказчика", "Ф.И.О.", "Подрядчик", "Должность подрядчика"};
    ASSERT_EQ(list().model().columnCount(), 9);
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(list().model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headings[c]);
        EXPECT_EQ(view()->isColumnHidden(c), c >= 1 && c <= 3) << c;  // drawn in the group's section
    }
    EXPECT_GE(view()->horizontalHeader()->height(), 3 * view()->fontMetrics().height());
    const char* const captions[] = {"&Выбрать", "&Добавить", "&Изменить", "&Удалить", nullptr, "Закрыть", "Помощь", "Копировать"};
    for (int c = kSelect; c <= kCopy; ++c)
        if (captions[c - kSelect]) {
            EXPECT_EQ(window->control(c)->text(), QString::fromUtf8(captions[c - kSelect]));
        }
    const auto* sheet = qobject_cast<QTabWidget*>(window->control(kTab)->widget());
    EXPECT_EQ(sheet->tabText(0), "по Номеру");
    EXPECT_EQ(sheet->tabText(1), "по Наименованию");
    EXPECT_EQ(sheet->tabText(2), "по Дате");
}

TEST_F(EstimateList, EachTabHasItsOrderAndJumpsByOneKey)
{
    addThree();
    addHeader(12, "ремонт фасада", 80004);
    open();
    struct Case {
        int tab;
        Numbers order;
        const char* typed;
        int jumpsTo;
    };
    const Case cases[] = {
        {1, {2, 3, 1, 12}, "р", 1},  // by name regardless of case: аптека, Детский сад, Ремонт, ремонт
        {2, {2, 3, 1, 12}, "9", 2},  // the first date at or after 9
        {0, {1, 2, 3, 12}, "3", 3},
    };
    for (const Case& c : cases) {
        tab(c.tab);
        EXPECT_EQ(shown(), c.order) << c.tab;
        view()->setFocus();
        type(view(), QString::fromUtf8(c.typed));
        EXPECT_EQ(highlighted(), c.jumpsTo) << c.tab;
    }
    tab(1);
    type(view(), "Д");
    EXPECT_EQ(highlighted(), 3);
}

TEST_F(EstimateList, ChoosingSetsBothNumbersByEveryWayAndClosingKeepsThem)
{
    addThree();
    struct Case {
        const char* name;
        std::uint8_t request;
        std::function<void()> act;
        int answer;
        int numbers;  // after the list, from 7 before it
    };
    const Case cases[] = {
        {"Выбрать", 4, [&] { press(window, kSelect); }, 1, 2},
        {"Enter", 4, [&] { key(view(), Qt::Key_Return); }, 1, 2},
        {"double click", 4,
         [&] {
             const QPoint at = view()->visualRect(list().model().index(1, 0)).center();
             QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
             QTest::mouseDClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
             settle();
         },
         1, 2},
        {"the frame's select button", 4,
         [&] {
             ui::post(thread, EVENT::Accepted, 3004);
             settle();
         },
         1, 2},
        {"Закрыть", 4, [&] { press(window, kClose); }, 2, 7},
        {"Закрыть without the select request", 0, [&] { press(window, kClose); }, 1, 7},
    };
    for (const Case& c : cases) {
        setNumbers(7);
        open(c.request);
        key(view(), Qt::Key_Down);
        c.act();
        ASSERT_TRUE(ended()) << c.name;
        EXPECT_EQ(response, c.answer) << c.name;
        EXPECT_EQ(NumSmeta, c.numbers) << c.name;
        EXPECT_EQ(GLO::CurrentSmeta, c.numbers) << c.name;
    }
    // the estimate that is already current is chosen again
    setNumbers(1);
    open();
    NumSmeta = 0;
    press(window, kSelect);
    ASSERT_TRUE(ended());
    EXPECT_EQ(NumSmeta, 1);
    EXPECT_EQ(GLO::CurrentSmeta, 1);
}

TEST_F(EstimateList, AnEmptyListChoosesNothing)
{
    setNumbers(7);
    open();
    press(window, kSelect);
    key(view(), Qt::Key_Return);
    EXPECT_TRUE(ui::Scheduler::instance().isRunning(thread));
    EXPECT_EQ(NumSmeta, 7);
    EXPECT_EQ(GLO::CurrentSmeta, 7);
    press(window, kClose);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 2);
}

TEST_F(EstimateList, AnAddedHeaderTakesTheDefaultsAndACancelledOneLeavesNoRecord)
{
    addThree();
    FirmName = "ООО Вектор";
    setNumbers(7);
    open();
    press(window, kInsert);
    ui::Window* form = top();
    ASSERT_NE(form, window);
    EXPECT_EQ(form->title(), "Запись будет ДОБАВЛЕНА  (Новая)");
    EXPECT_EQ(text(form, 3), "4");
    press(form, kFormCancel);
    EXPECT_EQ(top(), window);
    EXPECT_EQ(headerNumbers(), (Numbers{1, 2, 3}));
    EXPECT_EQ(shown(), (Numbers{1, 2, 3}));

    press(window, kInsert);
    form = top();
    press(form, kFormOk);
    EXPECT_EQ(top(), window);
    EXPECT_EQ(headerNumbers(), (Numbers{1, 2, 3, 4}));
    EXPECT_EQ(highlighted(), 4);  // on the new header
    EXPECT_EQ(list().model().text(0, 7), "");
    EXPECT_EQ(list().model().text(3, 7), "ООО Вектор");
    // left without choosing: NumSmeta holds the new header (its form's OK), the list answers 2
    press(window, kClose);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 2);
    EXPECT_EQ(NumSmeta, 4);
    EXPECT_EQ(GLO::CurrentSmeta, 7);
}

TEST_F(EstimateList, AConfirmedDeleteTakesTheEstimatesSectionsAndLines)
{
    addThree();
    addSection(1, 1);
    addSection(1, 2);
    addSection(2, 1);
    addLines(1, 1, 3);
    addLines(1, 2, 2);
    addLines(2, 1, 2);
    open();
    messages.answer(BUTTON_NO);
    press(window, kDelete);
    EXPECT_EQ(headerNumbers(), (Numbers{1, 2, 3}));
    messages.answer(BUTTON_YES);
    key(view(), Qt::Key_Delete);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].caption, "Подтвердите Удаление");
    EXPECT_EQ(headerNumbers(), (Numbers{2, 3}));
    EXPECT_EQ(shown(), (Numbers{2, 3}));
    EXPECT_EQ(sections(), (std::vector<test::Section>{{2, 1, "Раздел"}}));
    EXPECT_EQ(lines(), (std::vector<test::Line>{{2, 1, 1}, {2, 1, 2}}));
}

TEST_F(EstimateList, CopyOnlySaysSoAndTheViewRequestOffersNoForms)
{
    addThree();
    std::vector<QString> topics;
    ui::setHelpViewer([&topics](const QString& topic) { topics.push_back(topic); });
    open(ui::REQUEST::ViewRecord);
    press(window, kCopy);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Извините, будет доступно в следующей версии");
    EXPECT_EQ(messages.shown()[0].caption, "");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::None);
    EXPECT_EQ(messages.shown()[0].buttons, unsigned(BUTTON_OK));
    for (int c : {kInsert, kChange, kDelete}) EXPECT_TRUE(window->control(c)->isHidden()) << c;
    key(view(), Qt::Key_Insert);
    key(view(), Qt::Key_Delete);
    EXPECT_EQ(top(), window);
    EXPECT_EQ(headerNumbers(), (Numbers{1, 2, 3}));
    press(window, kHelp);
    ui::post(thread, EVENT::Accepted, 3013);  // the frame's help button
    settle();
    EXPECT_EQ(topics, (std::vector<QString>{"SelectSmeta", "SelectSmeta"}));
    ui::setHelpViewer({});
}

}  // namespace
