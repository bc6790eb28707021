// The tree list control: boxes by the rows' levels, a click on a box posting the expand or
// collapse of its row, the right click and double click as events, a rebuilt queue reaching the
// view at once; and the menu bar of a child window, whose items post their numbers.
#include "platform/ui/controls/tree_list.h"
#include "platform/ui/windows/menu_bar.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

ui::TreeRow row(int level, const char* text)
{
    ui::TreeRow r;
    r.level = level;
    r.text = QString::fromUtf8(text);
    return r;
}

struct TreeList : ::testing::Test {
    TreeList()
    {
        new QVBoxLayout(window.content());
        list = static_cast<ui::TreeList*>(ui::AddTreeList(window, "?RELTREE", 15).widget());
        window.content()->layout()->addWidget(list);
        list->setColumnWidth(400);
        // root, a collapsed estimate with sections, an open section with a line, an empty section
        queue = {row(0, "Смета "), row(1, "смета"), row(2, "раздел 1"), row(3, "строка"), row(-2, "раздел 2"), row(2, "раздел 3")};
        list->setQueue(&queue);
        window.open();
        EXPECT_TRUE(test::pumpUntil([&] { return list->isVisible(); }));
        events();
    }
    std::vector<ui::Event> events()
    {
        std::vector<ui::Event> taken;
        while (window.hasEvents()) {
            ui::Event e = window.wait();
            if (e.field == 15) taken.push_back(e);
        }
        return taken;
    }
    QPoint boxOf(int r) { return list->boxRect(r).center(); }

    ui::Window window{ui::WindowKind::Dialog, "Дерево", 200, 120};
    ui::TreeList* list = nullptr;
    ui::TreeQueue queue;
};

TEST_F(TreeList, BoxesFollowTheLevelsAndAClickOnOnePostsItsRowsExpandOrCollapse)
{
    EXPECT_EQ((std::vector<int>{list->boxOf(0), list->boxOf(1), list->boxOf(2), list->boxOf(3), list->boxOf(4), list->boxOf(5)}),
              (std::vector<int>{-1, -1, -1, 0, +1, 0}));
    EXPECT_LT(list->indentOf(1), list->indentOf(2));
    EXPECT_EQ(list->indentOf(4), list->indentOf(2));  // by the absolute level
    list->selectRow(0);
    events();
    const struct {
        int row;
        int event;
    } cases[] = {{4, EVENT::Expanded}, {2, EVENT::Contracted}};
    for (const auto& c : cases) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, boxOf(c.row));
        EXPECT_EQ(list->actionRow(), c.row);
        const auto e = events();
        ASSERT_EQ(e.size(), 1u);
        EXPECT_EQ(e[0].event, c.event);
        EXPECT_EQ(list->selectedRow(), 0) << "a box acts on its row without selecting it";
    }
    // a click beside the box selects the row and makes it the action row
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(5, 0)).center());
    EXPECT_EQ(list->actionRow(), 5);
    EXPECT_EQ(list->selectedRow(), 5);
    const auto e = events();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].event, EVENT::NewSelection);
}

TEST_F(TreeList, RightClickSelectsTheRowAndReachesTheWindowAsDoesADoubleClick)
{
    const QPoint third = list->visualRect(list->model()->index(3, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, third);
    EXPECT_EQ(list->selectedRow(), 3);
    auto e = events();
    ASSERT_FALSE(e.empty());
    EXPECT_EQ(e.back().event, EVENT::AlertKey);
    EXPECT_EQ(e.back().keyCode, KEY::MouseRight);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
    e = events();
    ASSERT_FALSE(e.empty());
    EXPECT_EQ(e.back().keyCode, KEY::MouseLeft2);
}

TEST_F(TreeList, ARebuiltQueueReachesTheViewOnceAndKeepsTheChosenRow)
{
    QSignalSpy resets(list->model(), &QAbstractItemModel::modelReset);
    QSignalSpy inserted(list->model(), &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 500; ++i) queue.push_back(row(3, "строка"));
    list->refresh(400);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(list->model()->rowCount(), 506);
    EXPECT_EQ(list->selectedRow(), 400);
    EXPECT_TRUE(events().empty()) << "the program's choice of row posts no new selection";
    queue.resize(2);
    list->refresh(400);
    EXPECT_EQ(list->selectedRow(), 1);
}

TEST(MenuBar, ItemsInMenusPostTheirNumbersAndMayBeDisabled)
{
    ui::Window window(ui::WindowKind::Dialog, "Окно", 200, 120);
    new QVBoxLayout(window.content());
    ui::MenuBar bar(window);
    QMenu* file = bar.addMenu(nullptr, 1, "?Menu1", "&Файл");
    QMenu* print = bar.addMenu(file, 2, "?Menu2", "&Печать");
    bar.addItem(print, 3, "?Item3", "&11-графка");
    bar.addSeparator(print);
    bar.addItem(nullptr, 14, "?Item14", "&Акт");
    EXPECT_EQ(print->actions().size(), 2);  // the item and the separator
    EXPECT_TRUE(print->actions()[1]->isSeparator());
    EXPECT_NE(window.control(3), nullptr);
    for (int number : {3, 14}) {
        bar.item(number)->trigger();
        ASSERT_TRUE(window.hasEvents());
        const ui::Event e = window.wait();
        EXPECT_EQ(e.event, EVENT::Accepted);
        EXPECT_EQ(e.field, number);
    }
    bar.item(14)->setEnabled(false);
    bar.item(14)->trigger();
    EXPECT_FALSE(window.hasEvents());
}

}  // namespace
