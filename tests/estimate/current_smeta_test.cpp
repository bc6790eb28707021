// The estimate editor offscreen: its set-up with the estimate list, the single editor with its
// hand-over, the commands on each level through the forms, the moves of sections and lines, and
// the reports and exports it starts with its own estimate.
#include "tests/estimate/editor_windows.h"

#include "platform/ui/windows/toolbar_state.h"
#include "tests/support/raw_sqlite.h"

#include <QPushButton>

namespace {

using Strings = std::vector<std::string>;

// Estimate 7: section 1 with lines 1, 2 and 5, an empty section 2, section 3 with one line;
// estimate 8 with one section.
struct Editor : test::EditorWindows {
    void fill()
    {
        addHeader(7, "Ремонт");
        addHeader(8, "Фасад");
        for (int s : {1, 2, 3}) addSection(7, s);
        addSection(8, 1);
        for (int n : {1, 2, 5}) addLine(7, 1, n);
        addLine(7, 3, 1);
    }
};

TEST_F(Editor, OpensOnTheChosenEstimateAndLeavesNoTraceWhenClosed)
{
    fill();
    openEditor(7);
    EXPECT_EQ(editor->title(), "Текущая смета");
    EXPECT_EQ(rows().size(), 2u);
    EXPECT_EQ(textOf(0), "Смета ");
    EXPECT_EQ(queue()[1].level, -1);
    EXPECT_TRUE(textOf(1).startsWith("   7 "));
    EXPECT_EQ(tree().selectedRow(), 0);
    EXPECT_EQ(GLO::CurrentSmeta, 7);
    EXPECT_EQ(NumSmeta, 7);
    EXPECT_EQ(CurrentSmetaThread, thread);
    // the frame's toolbar: add, change, delete and the six moves of the selection
    EXPECT_EQ(editor->toolbarButtons(), (std::set<int>{3001, 3002, 3003, 3005, 3006, 3007, 3008, 3009, 3010}));
    press(editor, test::kClose);
    EXPECT_TRUE(ended());
    EXPECT_EQ(GLO::CurrentSmeta, 0);
    EXPECT_EQ(CurrentSmetaThread, 0);
}

TEST_F(Editor, SetUpWithoutAnEstimateOrWithEstimateZero)
{
    fill();
    thread = startEditor(-1);
    EXPECT_TRUE(ended());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Выбор сметы");
    EXPECT_EQ(messages.shown()[0].text,
              "Вы не выбрали смету для работы. |Если хотите добавить новую, вернитесь к списку смет.");
    EXPECT_EQ(messages.shown()[0].buttons, unsigned(BUTTON_NO));
    EXPECT_EQ(GLO::CurrentSmeta, 0);
    EXPECT_EQ(CurrentSmetaThread, 0);

    messages.clear();
    openEditor(0);  // goes on after its message, on estimate 0
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Error");
    EXPECT_EQ(messages.shown()[0].text, "Номер смеры не может быть равен нулю!");
    EXPECT_EQ(rows(), (std::vector<std::pair<int, std::string>>{{0, "Смета"}}));
}

TEST_F(Editor, AddsOnEachLevelThroughItsFormAndSelectsWhatWasAdded)
{
    fill();
    openEditor(7);
    press(editor, test::kExpand);
    std::string primed;
    int added = 0;
    onForm = [&](const std::string& form, int) {
        const QString name = QString("Новая %1").arg(++added);
        if (form == "UpdateHeaders") primed = "header " + std::to_string(DFL().NUMBER);
        if (form == "UpdateGroupsWks") {
            primed = "section " + std::to_string(GRO().NUMSMET) + "/" + std::to_string(GRO().NUMINSMETA);
            GRO().NAME = name;
        }
        if (form == "UpdateWrksInSmt") {
            primed = "line " + std::to_string(NSB().CODER) + "/" + std::to_string(NSB().GRINSMETA) + "/" +
                     std::to_string(NSB().NUMINGROUP);
            NSB().NAME = name;
        }
        return true;
    };
    const struct {
        const char* row;       // the row selected, by its text
        const char* made;      // what the form was primed with
        const char* selected;  // the row selected after
    } cases[] = {
        {"Смета", "header 9", "Смета"},  // a header this editor never shows
        {"Ремонт", "section 7/4", "Новая 2"},
        {"Раздел 3", "line 7/3/2", "Новая 3"},
        {"Строка 1.2", "line 7/1/6", "Новая 4"},  // in the line's section
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const int row = rowOf(c.row);
        ASSERT_GE(row, 0);
        select(row);
        press(editor, test::kInsert);
        EXPECT_EQ(primed, c.made);
        EXPECT_TRUE(selectedText().contains(c.selected)) << selectedText().toStdString();
    }
    EXPECT_EQ(rowOf("   9 "), -1);
    EXPECT_EQ(lines(), (Strings{"7/1/1:Строка 1.1", "7/1/2:Строка 1.2", "7/1/5:Строка 1.5", "7/1/6:Новая 4",
                                "7/3/1:Строка 3.1", "7/3/2:Новая 3"}));
    EXPECT_EQ(formCalls, (std::vector<test::FormCall>{{"UpdateHeaders", 1}, {"UpdateGroupsWks", 1},
                                                      {"UpdateWrksInSmt", 1}, {"UpdateWrksInSmt", 1}}));
}

TEST_F(Editor, ACancelledFormAddsNothingAndALineIsNotAddedBeyondAByteSection)
{
    fill();
    addSection(7, 300);  // from older files
    openEditor(7);
    press(editor, test::kExpand);
    onForm = [](const std::string&, int) { return false; };
    select(rowOf("Раздел 2"));
    press(editor, test::kInsert);
    select(rowOf("Раздел 300"));
    press(editor, test::kInsert);
    EXPECT_EQ(formCalls, (std::vector<test::FormCall>{{"UpdateWrksInSmt", 1}}));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Номер раздела должен быть от 0 до 255.");
    EXPECT_EQ(messages.shown()[0].caption, "Смета");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(lines().size(), 4u);
}

TEST_F(Editor, ACompletedChangeReselectsItsRowAndARenumberedEstimateStaysShown)
{
    fill();
    openEditor(7);
    press(editor, test::kExpand);
    onForm = [](const std::string& form, int) {
        if (form == "UpdateGroupsWks") GRO().NUMINSMETA = 5;  // section 1 moves past section 3
        if (form == "UpdateHeaders") DFL().NUMBER = 17;
        return true;
    };
    select(rowOf("Раздел 1"));
    key(&tree(), Qt::Key_Return);
    EXPECT_TRUE(selectedText().contains("Раздел 1"));
    EXPECT_GT(tree().selectedRow(), rowOf("Раздел 3"));

    select(1);
    press(editor, test::kChange);
    EXPECT_TRUE(textOf(1).startsWith("  17 "));
    EXPECT_EQ(tree().selectedRow(), 1);
    // its sections followed the number (section 5 shows no lines: they stayed under number 1)
    EXPECT_EQ(rows().size(), 6u);
    EXPECT_GE(rowOf("Строка 3.1"), 0);
    EXPECT_EQ(GLO::CurrentSmeta, 17);
    EXPECT_EQ(formCalls, (std::vector<test::FormCall>{{"UpdateGroupsWks", 2}, {"UpdateHeaders", 2}}));
}

TEST_F(Editor, DeletesThroughTheFormsAndARowWhoseRecordIsGoneOpensNoForm)
{
    fill();
    openEditor(7);
    press(editor, test::kExpand);
    select(rowOf("Строка 1.2"));
    key(&tree(), Qt::Key_Delete);
    EXPECT_EQ(rowOf("Строка 1.2"), -1);
    // removed by another window meanwhile: the command only rebuilds the tree
    onThread([] {
        Relate(FileId::GroupsWks).Open();
        GRO().NUMSMET = 7;
        GRO().NUMINSMETA = 3;
        Access(FileId::GroupsWks).TryFetch(0);
        Access(FileId::GroupsWks).DeleteRecord();
        Relate(FileId::GroupsWks).Close();
    });
    select(rowOf("Раздел 3"));
    press(editor, test::kChange);
    EXPECT_EQ(rowOf("Раздел 3"), -1);
    // the estimate deleted: the root stays, and the editor
    select(1);
    press(editor, test::kDelete);
    EXPECT_EQ(rows(), (std::vector<std::pair<int, std::string>>{{0, "Смета"}}));
    EXPECT_FALSE(ended());
    EXPECT_EQ(formCalls, (std::vector<test::FormCall>{{"UpdateWrksInSmt", 3}, {"UpdateHeaders", 3}}));
}

// Moves: estimate 7 with sections 1 (lines 1, 2, 5 and 196 after a gap), 2 (empty), 3 (line 1)
// and a real section 199 with a line 199.
struct Moves : Editor {
    void fillMoves()
    {
        addHeader(7, "Ремонт");
        for (int s : {1, 2, 3, 199}) addSection(7, s);
        for (int n : {1, 2, 5, 196}) addLine(7, 1, n);
        addLine(7, 3, 1);
        addLine(7, 199, 199);
        openEditor(7);
        press(editor, test::kExpand);
    }
    // The row by its text, which a blank ends ("Раздел 1" is not "Раздел 199").
    int rowNamed(const char* text) { return rowOf(QString::fromUtf8(text) + ' '); }
    void moveRow(const char* text, int button)
    {
        select(rowNamed(text));
        press(editor, button);
    }
};

TEST_F(Moves, SectionsAndLinesExchangeTheirNumbersWithTheirNeighbours)
{
    const Strings sections0 = {"7/1:Раздел 1", "7/2:Раздел 2", "7/3:Раздел 3", "7/199:Раздел 199"};
    const Strings lines0 = {"7/1/1:Строка 1.1", "7/1/2:Строка 1.2", "7/1/5:Строка 1.5", "7/1/196:Строка 1.196",
                            "7/3/1:Строка 3.1", "7/199/199:Строка 199.199"};
    struct Case {
        const char* what;
        const char* row;
        int button;
        Strings sections, lines;
        const char* message;
    };
    const Case cases[] = {
        {"a section down, its lines with it", "Раздел 1", test::kDown,
         {"7/1:Раздел 2", "7/2:Раздел 1", "7/3:Раздел 3", "7/199:Раздел 199"},
         {"7/2/1:Строка 1.1", "7/2/2:Строка 1.2", "7/2/5:Строка 1.5",
          "7/2/196:Строка 1.196", "7/3/1:Строка 3.1", "7/199/199:Строка 199.199"},
         nullptr},
        {"the first section up", "Раздел 1", test::kUp, sections0, lines0, nullptr},
        {"the last section down", "Раздел 199", test::kDown, sections0, lines0, nullptr},
        {"a line down across a gap", "Строка 1.5", test::kDown, sections0,
         {"7/1/1:Строка 1.1", "7/1/2:Строка 1.2", "7/1/5:Строка 1.196", "7/1/196:Строка 1.5", "7/3/1:Строка 3.1",
          "7/199/199:Строка 199.199"},
         nullptr},
        {"a line up across a gap", "Строка 1.196", test::kUp, sections0,
         {"7/1/1:Строка 1.1", "7/1/2:Строка 1.2", "7/1/5:Строка 1.196", "7/1/196:Строка 1.5", "7/3/1:Строка 3.1",
          "7/199/199:Строка 199.199"},
         nullptr},
        {"the last line of a section down", "Строка 1.196", test::kDown, sections0, lines0, nullptr},
        {"the first line of a section up", "Строка 3.1", test::kUp, sections0, lines0, "Невозможно передвинуть запись"},
        {"the first line of the file up", "Строка 1.1", test::kUp, sections0, lines0, nullptr},
        {"the estimate up", "Ремонт", test::kUp, sections0, lines0, "Сметы не перенумеровываются"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RawConnection("GROUPSWK.TPS").exec("DELETE FROM records");
        RawConnection("WRKSINSM.TPS").exec("DELETE FROM records");
        RawConnection("HEADERS.TPS").exec("DELETE FROM records");
        if (editor) {
            press(editor, test::kClose);
            ASSERT_TRUE(ended());
        }
        messages.clear();
        fillMoves();
        moveRow(c.row, c.button);
        EXPECT_EQ(sections(), c.sections);
        EXPECT_EQ(lines(), c.lines);
        if (c.message) {
            ASSERT_EQ(messages.shown().size(), 1u);
            EXPECT_EQ(messages.shown()[0].text, c.message);
            EXPECT_EQ(messages.shown()[0].caption, "Смета");
        } else {
            EXPECT_TRUE(messages.shown().empty());
        }
        // the moved row stays selected
        EXPECT_EQ(tree().selectedRow(), rowNamed(c.row)) << selectedText().toStdString();
    }
}

TEST_F(Moves, TwoPressesMoveTheSelectedRowTwoPlacesAfterKeyboardNavigation)
{
    fillMoves();
    select(rowNamed("Строка 1.1"));
    key(&tree(), Qt::Key_Down);  // to line 2
    key(&tree(), Qt::Key_Down, Qt::ControlModifier);
    key(&tree(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(lines(), (Strings{"7/1/1:Строка 1.1", "7/1/2:Строка 1.5", "7/1/5:Строка 1.196", "7/1/196:Строка 1.2",
                                "7/3/1:Строка 3.1", "7/199/199:Строка 199.199"}));
    EXPECT_EQ(tree().selectedRow(), rowNamed("Строка 1.2"));
}

TEST_F(Editor, AMoveOfASectionBeyondOneByteIsRefused)
{
    // older files: a line keeps only the low byte of its section's number
    addHeader(7, "Ремонт");
    for (int s : {255, 256}) addSection(7, s);
    addLine(7, 255, 1);
    openEditor(7);
    press(editor, test::kExpand);
    const Strings before = sections();
    for (const auto& [row, button] : {std::pair{"Раздел 255 ", test::kDown}, std::pair{"Раздел 256 ", test::kUp}}) {
        SCOPED_TRACE(row);
        messages.clear();
        select(rowOf(row));
        press(editor, button);
        EXPECT_EQ(sections(), before);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].text, "Номер раздела должен быть от 0 до 255.");
    }
    EXPECT_EQ(lines(), (Strings{"7/255/1:Строка 255.1"}));
}

TEST_F(Moves, AMoveOverALockedFileChangesNothing)
{
    fillMoves();
    RawConnection other("WRKSINSM.TPS");
    other.exec("BEGIN IMMEDIATE");
    moveRow("Строка 1.1", test::kDown);
    other.exec("ROLLBACK");
    EXPECT_EQ(lines(), (Strings{"7/1/1:Строка 1.1", "7/1/2:Строка 1.2", "7/1/5:Строка 1.5", "7/1/196:Строка 1.196",
                                "7/3/1:Строка 3.1", "7/199/199:Строка 199.199"}));
    EXPECT_EQ(messages.shown().size(), 1u);
}

TEST_F(Editor, ASecondEditorHandsOverAndTheFirstKeepsItsOwnEstimate)
{
    fill();
    openEditor(7);
    second = startEditor(8);
    EXPECT_TRUE(test::waitEnded(second));
    settle();
    EXPECT_EQ(NumSmeta, 8);
    EXPECT_EQ(GLO::CurrentSmeta, 0);
    EXPECT_EQ(CurrentSmetaThread, thread);
    EXPECT_TRUE(textOf(1).startsWith("   7 "));

    // the menu's print item, the print button's popup and the XML export: estimate 7
    choose("&11-графка");
    ui::scriptPopupChoice(2);  // "&7-графка"
    press(editor, test::kPrintButton);
    choose("в &HTML - 11 граф ");
    choose("в &Excel");
    ASSERT_TRUE(test::pumpUntil([&] { return outputs.size() == 4; }));
    const std::vector<std::string> procedures = {"PrintSmeta", "Print7graph", "ExportSmetaToXml", "ExportSmetaToExcel"};
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        SCOPED_TRACE(procedures[i]);
        EXPECT_EQ(outputs[i].procedure, procedures[i]);
        EXPECT_EQ(outputs[i].numSmeta, 7);
    }
    EXPECT_EQ(outputs[2].args, (QVariantList{7, 1}));
    EXPECT_EQ(outputs[3].args, (QVariantList{7}));
    // the act and its outputs are not there yet
    for (const char* item : {"Акт 11 граф", "Акт 7 граф", "в &HTML - Акт 11 граф", "&Акт"}) {
        ASSERT_TRUE(menuItem(item)) << item;
        EXPECT_FALSE(menuItem(item)->isEnabled()) << item;
    }
    EXPECT_FALSE(editor->control(test::kAktButton)->isEnabled());
}

TEST_F(Editor, TheToolbarAndTheKeysMoveTheSelectionAndExpandRows)
{
    fill();
    openEditor(7);
    select(1);
    key(&tree(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(rows().size(), 5u);
    editor->post(EVENT::Accepted, TOOLBAR::Down);  // as the frame forwards it
    settle();
    EXPECT_TRUE(selectedText().contains("Раздел 1"));
    editor->post(EVENT::Accepted, TOOLBAR::PageDown);  // the next section
    settle();
    EXPECT_TRUE(selectedText().contains("Раздел 2"));
    select(1);
    key(&tree(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(rows().size(), 2u);
    ui::scriptPopupChoice(4);  // the tree's popup: "&Раскрыть все"
    QTest::mouseClick(tree().viewport(), Qt::RightButton, {}, tree().visualRect(tree().model()->index(1, 0)).center());
    settle();
    EXPECT_EQ(rows().size(), 9u);
}

}  // namespace
