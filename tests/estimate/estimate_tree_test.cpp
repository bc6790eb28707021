// The estimate editor's tree without its window: the rows it loads, expands and collapses,
// the rebuilds that keep the expanded rows, and the moves of the selection.

#include "estimate/editor/estimate_tree.h"
#include "estimate/editor/tree_rows.h"
#include "platform/core/dates.h"
#include "tests/data/data_test.h"

#include <functional>

namespace {

using records::Level;

// (signed level, text) of a row
using Shown = std::vector<std::pair<int, std::string>>;

QString padded(const char* text, int width) { return QString::fromUtf8(text).leftJustified(width); }
std::string sectionText(const char* name) { return ("Раздел " + padded(name, 80) + " . ").toStdString(); }
std::string lineText(const char* hours, const char* name, const char* unit)
{
    return (padded(hours, 8) + " | " + padded(name, 70) + " |  " + padded(unit, 25)).toStdString();
}

const std::string root = "Смета ";
// The contract date, not the estimate's date; the name cut at 50 characters.
const std::string estimate7 = ("   7  5/03/2024 " + padded("Ремонт кровли и фасада жилого дома по улице Садово", 50) + ' ' +
                               padded("ООО Заказчик", 40)).toStdString();
const std::string s1 = sectionText("Демонтаж"), s2 = sectionText("Пусто"), s3 = sectionText("Монтаж"),
              s300 = sectionText("Старый");
// a stored line break shows as two blanks
const std::string l1 = lineText("    1.50", "Разборка", "м2"), l2 = lineText("    0.00", "Вывоз  мусора", "т"),
              l5 = lineText("   12.25", "Уборка", "м2"), l31 = lineText("    2.00", "Кладка", "м3");

// Estimate 7: section 1 with lines 1, 2 and 5, an empty section 2, section 3 with one line, a
// section 300 of older files (a line of its low byte, 44, belongs to no section); header 8.
class Tree : public test::DataTest {
protected:
    Tree()
    {
        EXPECT_EQ(Relate(FileId::Headers).Open(), Level::Benign);
        HeadersRecord h = test::header(7, "Ремонт кровли и фасада жилого дома по улице Садовой, 12");
        h.DATEDOG = dates::fromYmd(2024, 3, 5);
        h.DATEACT = dates::fromYmd(2025, 1, 1);
        h.ZAKAZCHIK = "ООО Заказчик";
        store(FileId::Headers, h);
        store(FileId::Headers, test::header(8, "Другая"));
        sectionPositions = {addSection(7, 1, "Демонтаж"), addSection(7, 2, "Пусто"), addSection(7, 3, "Монтаж"),
                            addSection(7, 300, "Старый"), addSection(8, 1, "Чужой")};
        addLine(7, 1, 1, "Разборка", "м2", 150);
        addLine(7, 1, 2, "Вывоз\r\nмусора", "т", 0);
        addLine(7, 1, 5, "Уборка", "м2", 1225);
        addLine(7, 3, 1, "Кладка", "м3", 200);
        addLine(7, 44, 1, "Ничья", "м", 100);
        addLine(8, 1, 1, "Другая", "м", 100);
        tree.EditorEstimate = 7;
    }
    ~Tree() override { Relate(FileId::Headers).Close(); }

    static records::Position addSection(int estimate, int number, const char* name)
    {
        GroupsWksRecord s = test::section(estimate, number);
        s.NAME = name;
        store(FileId::GroupsWks, s);
        return Access(FileId::GroupsWks).file().position();
    }
    static void addLine(int estimate, int section, int number, const char* name, const char* unit, int hundredths)
    {
        WrksInSmtRecord l = test::line(estimate, section, number);
        l.NAME = name;
        l.EDIZM = unit;
        l.CHELCH.setScaled(hundredths);
        store(FileId::WrksInSmt, l);
    }

    Shown shown() const
    {
        Shown out;
        for (int i = 0; i < int(tree.queue().size()); ++i)
            out.emplace_back(tree.queue()[std::size_t(i)].level, tree.textOf(i).toStdString());
        return out;
    }

    int closes = 0;
    EstimateTree tree{[this] { ++closes; }};
    std::vector<records::Position> sectionPositions;
};

const Shown collapsed = {{0, root}, {-1, estimate7}};
const Shown sectionsShown = {{0, root}, {1, estimate7}, {-2, s1}, {2, s2}, {-2, s3}, {2, s300}};
const Shown firstOpen = {{0, root}, {1, estimate7}, {2, s1}, {3, l1}, {3, l2}, {3, l5}, {2, s2}, {-2, s3}, {2, s300}};
const Shown allOpen = {{0, root}, {1, estimate7}, {2, s1}, {3, l1}, {3, l2}, {3, l5}, {2, s2}, {2, s3}, {3, l31}, {2, s300}};

TEST_F(Tree, LoadsExpandsCollapsesAndRebuildsKeepingTheExpandedRows)
{
    struct Step {
        const char* what;
        std::function<void(EstimateTree&)> act;
        Shown rows;
    };
    const Step steps[] = {
        {"loaded collapsed", [](EstimateTree& t) { t.TreeContractAll(); }, collapsed},
        {"the estimate expanded", [](EstimateTree& t) { t.TreeExpandNode(1); }, sectionsShown},
        {"a section expanded", [](EstimateTree& t) { t.TreeExpandNode(2); }, firstOpen},
        {"an expanded row again", [](EstimateTree& t) { t.TreeExpandNode(2); }, firstOpen},
        {"rebuilt", [](EstimateTree& t) { t.TreeReload(); }, firstOpen},
        {"the empty section expanded and collapsed keeps its box",
         [](EstimateTree& t) {
             t.TreeExpandNode(6);
             t.TreeContractNode(6);
         },
         {{0, root}, {1, estimate7}, {2, s1}, {3, l1}, {3, l2}, {3, l5}, {-2, s2}, {-2, s3}, {2, s300}}},
        {"the estimate collapsed", [](EstimateTree& t) { t.TreeContractNode(1); }, collapsed},
        {"rebuilt collapsed", [](EstimateTree& t) { t.TreeReload(); }, collapsed},
        {"expanded again: the section it held stays open", [](EstimateTree& t) { t.TreeExpandNode(1); }, firstOpen},
        {"expand-all", [](EstimateTree& t) { t.TreeExpandAll(); }, allOpen},
        {"rebuilt after expand-all", [](EstimateTree& t) { t.TreeReload(); }, allOpen},
        {"contract-all", [](EstimateTree& t) { t.TreeContractAll(); }, collapsed},
        {"rebuilt after contract-all", [](EstimateTree& t) { t.TreeReload(); }, collapsed},
        {"the root expanded then collapsed", [](EstimateTree& t) {
             t.TreeExpandNode(0);
             t.TreeContractNode(0);
         }, {{0, root}}},
        {"rebuilt: the rows below the root return", [](EstimateTree& t) { t.TreeReload(); }, collapsed},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act(tree);
        EXPECT_EQ(shown(), s.rows);
    }
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Tree, AnEstimateWithoutAHeaderShowsTheRootOnlyAndOneWithoutSectionsNoBox)
{
    for (int estimate : {9, 0}) {
        SCOPED_TRACE(estimate);
        tree.EditorEstimate = estimate;
        tree.TreeContractAll();
        EXPECT_EQ(shown(), (Shown{{0, root}}));
    }
    tree.EditorEstimate = 8;
    tree.TreeContractAll();
    ASSERT_EQ(tree.queue().size(), 2u);
    EXPECT_EQ(tree.queue()[1].level, -1);
    RawConnection("GROUPSWK.TPS").exec("DELETE FROM records WHERE NUMSMET = 8");
    tree.TreeContractAll();
    EXPECT_EQ(tree.queue()[1].level, 1);
}

TEST_F(Tree, MovesTheSelectionAsTheToolbarCommandsDo)
{
    struct Step {
        const char* what;
        int from;
        void (EstimateTree::*move)();
        int to;
        Shown rows;
    };
    const Shown thirdOpen = {{0, root}, {1, estimate7}, {2, s1}, {3, l1}, {3, l2}, {3, l5}, {2, s2}, {2, s3}, {3, l31}, {2, s300}};
    const Step steps[] = {
        {"next row reads the estimate's sections", 1, &EstimateTree::TreeNextRow, 2, sectionsShown},
        {"and a section's lines", 2, &EstimateTree::TreeNextRow, 3, firstOpen},
        {"next of the same level passes the empty section to the next line", 5, &EstimateTree::TreeNextSameLevel, 8, thirdOpen},
        {"previous of the same level passes it back", 8, &EstimateTree::TreePreviousSameLevel, 5, thirdOpen},
        {"the parent of a line", 4, &EstimateTree::TreeParentRow, 2, thirdOpen},
        {"the next parent level after a line", 4, &EstimateTree::TreeNextParentLevel, 6, thirdOpen},
        {"after a section nothing: one estimate row", 6, &EstimateTree::TreeNextParentLevel, 6, thirdOpen},
        {"the next row on the last row stays", 9, &EstimateTree::TreeNextRow, 9, thirdOpen},
        {"the previous row on the first row stays", 0, &EstimateTree::TreePreviousRow, 0, thirdOpen},
    };
    tree.TreeContractAll();
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        tree.selected = s.from;
        (tree.*s.move)();
        EXPECT_EQ(tree.selected, s.to);
        EXPECT_EQ(shown(), s.rows);
    }
}

TEST_F(Tree, PreviousRowGoesToTheLastChildOfARowNotRead)
{
    tree.TreeExpandAll();
    tree.TreeContractNode(7);  // section 3
    tree.TreeContractNode(2);  // section 1
    ASSERT_EQ(shown(), (Shown{{0, root}, {1, estimate7}, {-2, s1}, {2, s2}, {-2, s3}, {2, s300}}));
    tree.selected = 3;  // section 2
    tree.TreePreviousRow();
    EXPECT_EQ(tree.selected, 5);  // line 5, read now
    EXPECT_EQ(shown()[5], (std::pair<int, std::string>{3, l5}));
    // a work row moved to is marked loaded: it never has children
    EXPECT_TRUE(tree.queue()[5].loaded);
    EXPECT_FALSE(tree.queue()[4].loaded);
}

TEST_F(Tree, ARebuildSelectsTheRememberedRowWhileItIsThere)
{
    tree.TreeExpandAll();
    tree.selected = 9;
    tree.remember(-2, sectionPositions[2]);  // section 3, whatever its sign was
    tree.TreeReload();
    EXPECT_EQ(tree.selected, 7);
    tree.TreeContractAll();
    tree.selected = 1;
    tree.TreeReload();  // not in the tree: the selected row stays
    EXPECT_EQ(tree.selected, 1);
}

TEST_F(Tree, ColoursOfTheRows)
{
    tree.TreeExpandAll();
    const ui::TreeQueue& q = tree.queue();
    EXPECT_EQ(ui::colorOf(q[1].normalFg), QColor(0, 0, 160));
    EXPECT_EQ(ui::colorOf(q[1].normalBg), QColor(198, 226, 240));
    EXPECT_FALSE(ui::colorOf(q[2].normalFg).isValid());
    EXPECT_EQ(ui::colorOf(q[2].normalBg), QColor(179, 206, 232));
    for (const ui::TreeRow* r : {&q[0], &q[3]}) EXPECT_FALSE(ui::colorOf(r->normalBg).isValid());
    for (const ui::TreeRow& r : q) EXPECT_EQ(r.selectedBg, ui::kDefaultColor);
    EXPECT_EQ(ui::colorOf(TREECOLOR::SelectedBack), QColor(0, 64, 128));
}

TEST_F(Tree, AFailedReadStopsTheLoadAndClosesTheEditorOnce)
{
    tree.TreeContractAll();
    RawConnection("GROUPSWK.TPS").exec("ALTER TABLE records RENAME TO gone");
    messages.answer(BUTTON_OK);
    tree.TreeExpandNode(1);
    tree.TreeReload();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(shown(), (Shown{{0, root}}));
    EXPECT_EQ(captions().size(), 1u);
}

}  // namespace
