// Column groups of a list: where each column is drawn (a group's section, the row's first or
// second line) and what the list's view makes of it.
#include "platform/ui/browse/browse_groups.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTest>
#include <QTableView>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(BrowseGroups, AGroupPutsTheColumnsAfterTheLineEndOnASecondLine)
{
    // number, name | basis, customer in a group at least 400 wide; then two plain columns
    const std::vector<int> widths = {20, 100, 180, 80, 150, 60};
    const std::vector<bool> endsLine = {false, true, false, false, false, false};
    const std::vector<ui::BrowseColumnGroup> groups = {{"Основная информация", 4, 0, 4}};
    ui::ColumnLayout l = ui::layoutColumns(widths, endsLine, groups, {400});
    struct Place {
        int host, line, x, width;
    };
    const Place expected[] = {{0, 0, 0, 20}, {0, 0, 20, 100}, {0, 1, 0, 180}, {0, 1, 180, 80}, {4, 0, 0, 150}, {5, 0, 0, 60}};
    for (int c = 0; c < 6; ++c) {
        const ui::ColumnPlace& p = l.places[std::size_t(c)];
        EXPECT_EQ(p.host, expected[c].host) << c;
        EXPECT_EQ(p.line, expected[c].line) << c;
        EXPECT_EQ(p.x, expected[c].x) << c;
        EXPECT_EQ(p.width, expected[c].width) << c;
    }
    EXPECT_EQ(l.lines, 2);
    EXPECT_EQ(l.sectionWidths, (std::vector<int>{400, 0, 0, 0, 150, 60}));
    EXPECT_EQ(l.groupOfHost, (std::vector<int>{0, -1, -1, -1, -1, -1}));

    // wider lines than the group's width widen it; a line end at the group's last column and a
    // group without one keep a single line
    l = ui::layoutColumns(widths, {false, false, false, true, false, false}, {{"", 0, 1, 3}}, {10});
    EXPECT_EQ(l.lines, 1);
    EXPECT_EQ(l.sectionWidths, (std::vector<int>{20, 360, 0, 0, 150, 60}));
}

TEST(BrowseGroups, TheListShowsAGroupAsOneSectionWithTwoLineRowsUnderAThreeLineHeader)
{
    ui::Window window(ui::WindowKind::Dialog, "Сметы", 300, 150);
    auto* layout = new QVBoxLayout(window.content());
    ui::Control& c = ui::AddBrowseList(window, "?BROWSE:1", 1);
    layout->addWidget(c.widget());
    auto& list = *qobject_cast<ui::BrowseList*>(c.widget());
    const int oneLineRows = list.view()->verticalHeader()->defaultSectionSize();
    std::vector<ui::BrowseColumn> columns(5);
    const char* headings[] = {"№ п.п.", "Название сметы", "Основание", "Заказчик", "Название объекта"};
    for (int i = 0; i < 5; ++i) {
        columns[std::size_t(i)].heading = headings[i];
        columns[std::size_t(i)].widthDu = 40;
    }
    columns[1].endsLine = true;
    list.setColumns(columns, {{"Основная информация", 100, 0, 4}});
    list.model().setRows({{"1", "Ремонт", "Договор", "ООО Вектор", "Школа"}});
    window.open();
    test::pump();

    QTableView* view = list.view();
    for (int col = 0; col < 5; ++col) EXPECT_EQ(view->isColumnHidden(col), col == 1 || col == 2 || col == 3) << col;
    EXPECT_EQ(view->columnWidth(0), std::max(window.duX(100), window.duX(80)));
    EXPECT_GT(view->verticalHeader()->defaultSectionSize(), oneLineRows * 3 / 2);
    EXPECT_GE(view->horizontalHeader()->height(), 3 * view->fontMetrics().height());
    EXPECT_EQ(list.model().text(0, 3), "ООО Вектор");  // the model keeps a column per field

    // the basis is resized by its border on the header's third line; the customer moves along
    QHeaderView* header = view->horizontalHeader();
    const ui::ColumnLayout* shown = ui::columnLayoutOf(*view);
    ASSERT_TRUE(shown);
    const int width = shown->places[2].width, lineHeight = header->height() / 3;
    const QPoint border(header->sectionViewportPosition(0) + width, lineHeight * 5 / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, border);
    QMouseEvent drag(QEvent::MouseMove, QPointF(border + QPoint(25, 0)), header->viewport()->mapToGlobal(QPointF(border + QPoint(25, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &drag);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, border + QPoint(25, 0));
    EXPECT_EQ(shown->places[2].width, width + 25);
    EXPECT_EQ(shown->places[3].x, width + 25);
    EXPECT_EQ(shown->places[1].width, window.duX(40)) << "the first line stays";
    window.close();
}

}  // namespace
