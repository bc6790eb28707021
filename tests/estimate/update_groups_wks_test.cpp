// The section form as the editor calls it: a new section numbered by the caller's priming,
// renumbering and deleting with the section's work lines, and the numbers a section may not
// take (a pair another section holds, an estimate without a header, more than one byte).
#include "tests/estimate/estimate_windows.h"

#include "estimate/sections/section_rules.h"
#include "platform/ui/windows/control_colors.h"
#include "tests/support/raw_sqlite.h"

namespace {

enum Controls { kName = 3, kEstimate = 5, kNumber = 7, kOk = 8, kCancel = 9 };

using Sections = std::vector<test::Section>;
using Lines = std::vector<test::Line>;

struct SectionForm : test::EstimateWindows {
    // The editor's insert under estimate `estimate`: the buffer cleared, the estimate's number
    // set and the section primed retaining it.
    void insert(int estimate)
    {
        call(FileId::GroupsWks, [estimate] {
            Access(FileId::GroupsWks).layout().clear(&GRO());
            GRO().NUMSMET = std::int16_t(estimate);
            ASSERT_EQ(Access(FileId::GroupsWks).PrimeRecord(true), records::Level::Benign);
            ProcRequest() = ui::REQUEST::InsertRecord;
            ui::callProcedure("UpdateGroupsWks");
        });
    }
    void request(std::uint8_t request, int estimate, int number, bool expectWindow = true)
    {
        call(FileId::GroupsWks, [=] {
            ASSERT_TRUE(readSection(estimate, number));
            ProcRequest() = request;
            ui::callProcedure("UpdateGroupsWks");
        }, expectWindow);
    }
    // Estimates 1 and 2, sections 1/1, 1/2 and 2/1 with lines.
    void fill()
    {
        addHeader(1, "Школа");
        addHeader(2, "Аптека");
        addSection(1, 1, "Демонтаж");
        addSection(1, 2, "Монтаж");
        addSection(2, 1, "Отделка");
        addLines(1, 1, 1);
        addLines(1, 2, 2);
        addLines(2, 1, 1);
    }
};

TEST_F(SectionForm, ANewSectionTakesTheNextNumberOfItsEstimate)
{
    addHeader(7, "Школа");
    for (int n : {1, 2, 4}) addSection(7, n);
    addSection(8, 9);
    insert(7);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->title(), "Добавление раздела в смете");
    EXPECT_EQ(text(window, kEstimate), "7");
    EXPECT_EQ(text(window, kNumber), "5");
    for (int c : {kEstimate, kNumber})
        EXPECT_EQ(window->control(c)->widget()->palette().color(QPalette::Base), QColor(192, 192, 192)) << c;
    EXPECT_EQ(window->control(kNumber - 1)->text(), "&Номер раздела в смете:");
    type(window->control(kName)->widget(), "Кровля");
    // OK is no default button: Enter in an entry completes nothing, on the button it presses it
    key(window->control(kName)->widget(), Qt::Key_Return);
    EXPECT_TRUE(ui::Scheduler::instance().isRunning(thread));
    key(window->control(kOk)->widget(), Qt::Key_Return);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);
    EXPECT_EQ(sections(), (Sections{{7, 1, "Раздел"}, {7, 2, "Раздел"}, {7, 4, "Раздел"}, {7, 5, "Кровля"}, {8, 9, "Раздел"}}));

    insert(9);  // an estimate without sections starts at 1; cancelled, it leaves nothing
    EXPECT_EQ(text(window, kNumber), "1");
    press(window, kCancel);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 2);
    EXPECT_EQ(sections().size(), 5u);
}

TEST_F(SectionForm, ARenumberedSectionTakesItsLinesInOneWrite)
{
    fill();
    request(ui::REQUEST::ChangeRecord, 1, 2);
    EXPECT_EQ(window->title(), "Изменение раздела в смете");
    retype(window, kNumber, "5");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);
    EXPECT_EQ(sections(), (Sections{{1, 1, "Демонтаж"}, {1, 5, "Монтаж"}, {2, 1, "Отделка"}}));
    EXPECT_EQ(lines(), (Lines{{1, 1, 1}, {1, 5, 1}, {1, 5, 2}, {2, 1, 1}}));

    // into another estimate
    request(ui::REQUEST::ChangeRecord, 1, 5);
    retype(window, kEstimate, "2");
    retype(window, kNumber, "2");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(lines(), (Lines{{1, 1, 1}, {2, 1, 1}, {2, 2, 1}, {2, 2, 2}}));
}

TEST_F(SectionForm, NumbersASectionMayNotTakeAreRefusedAndTheFormStaysOpen)
{
    fill();
    struct Case {
        const char* name;
        const char* estimate;
        const char* number;
        const char* text;
        int focus;
    };
    const Case cases[] = {
        {"a pair another section holds", "1", "1", "В смете уже есть раздел с таким номером.", kNumber},
        {"an estimate without a header", "3", "2", "Сметы с таким номером нет.", kEstimate},
        {"a number a line cannot hold", "1", "256", "Номер раздела должен быть от 0 до 255.", kNumber},
    };
    for (const Case& c : cases) {
        request(ui::REQUEST::ChangeRecord, 1, 2);
        retype(window, kEstimate, c.estimate);
        retype(window, kNumber, c.number);
        messages.clear();
        press(window, kOk);
        ASSERT_EQ(messages.shown().size(), 1u) << c.name;
        EXPECT_EQ(messages.shown()[0].text, QString::fromUtf8(c.text)) << c.name;
        EXPECT_EQ(messages.shown()[0].caption, "Смета") << c.name;
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information) << c.name;
        EXPECT_EQ(messages.shown()[0].buttons, unsigned(BUTTON_OK)) << c.name;
        EXPECT_TRUE(window->isOpen()) << c.name;
        EXPECT_EQ(window->focusedControl(), c.focus) << c.name;
        messages.answer(BUTTON_NO);  // "Сохранение записи": not stored
        press(window, kCancel);
        ASSERT_TRUE(ended()) << c.name;
        EXPECT_EQ(response, 2) << c.name;
    }
    EXPECT_EQ(sections(), (Sections{{1, 1, "Демонтаж"}, {1, 2, "Монтаж"}, {2, 1, "Отделка"}}));
    EXPECT_EQ(lines(), (Lines{{1, 1, 1}, {1, 2, 1}, {1, 2, 2}, {2, 1, 1}}));
}

TEST_F(SectionForm, APrimed256IsRefusedUntilAFreeNumberIsTyped)
{
    addHeader(1, "Школа");
    addSection(1, 255);
    insert(1);
    EXPECT_EQ(text(window, kNumber), "256");
    press(window, kOk);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Номер раздела должен быть от 0 до 255.");
    retype(window, kNumber, "3");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);
    EXPECT_EQ(sections(), (Sections{{1, 3, ""}, {1, 255, "Раздел"}}));
}

TEST_F(SectionForm, DuplicatesOfOlderFilesKeepTheirLinesAndANameChangeIsStored)
{
    fill();
    addSection(1, 2, "Монтаж, дубль");  // an older file's duplicate of 1/2
    request(ui::REQUEST::ChangeRecord, 1, 2);
    retype(window, kName, "Монтаж кровли");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(sections()[1], (test::Section{1, 2, "Монтаж кровли"}));

    // deleted or renumbered, one of two leaves the lines to the other
    messages.answer(BUTTON_YES);
    request(ui::REQUEST::DeleteRecord, 1, 2, false);
    ASSERT_TRUE(ended());
    EXPECT_EQ(sections(), (Sections{{1, 1, "Демонтаж"}, {1, 2, "Монтаж, дубль"}, {2, 1, "Отделка"}}));
    addSection(1, 2, "Монтаж, ещё дубль");
    request(ui::REQUEST::ChangeRecord, 1, 2);
    retype(window, kNumber, "6");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(sections(),
              (Sections{{1, 1, "Демонтаж"}, {1, 2, "Монтаж, ещё дубль"}, {1, 6, "Монтаж, дубль"}, {2, 1, "Отделка"}}));
    EXPECT_EQ(lines(), (Lines{{1, 1, 1}, {1, 2, 1}, {1, 2, 2}, {2, 1, 1}}));
}

TEST_F(SectionForm, DeleteTakesTheSectionsLinesOrWhenRefusedNothing)
{
    fill();
    messages.answer(BUTTON_NO);
    request(ui::REQUEST::DeleteRecord, 1, 2, false);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 2);
    EXPECT_EQ(sections().size(), 3u);
    EXPECT_EQ(lines().size(), 4u);

    messages.answer(BUTTON_YES);
    request(ui::REQUEST::DeleteRecord, 1, 2, false);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, 1);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].caption, "Подтвердите Удаление");
    EXPECT_EQ(sections(), (Sections{{1, 1, "Демонтаж"}, {2, 1, "Отделка"}}));
    EXPECT_EQ(lines(), (Lines{{1, 1, 1}, {2, 1, 1}}));
    // a new section given the number starts empty
    addSection(1, 2);
    EXPECT_EQ(lines(), (Lines{{1, 1, 1}, {2, 1, 1}}));
}

TEST_F(SectionForm, ADeleteThatCannotReachTheLinesChangesNothing)
{
    fill();
    RawConnection other("WRKSINSM.TPS");  // another program writes the lines meanwhile
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    messages.answer(BUTTON_YES);
    request(ui::REQUEST::DeleteRecord, 1, 2, false);
    ASSERT_TRUE(ended());
    other.exec("ROLLBACK");
    EXPECT_EQ(response, 2);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].caption, "Транзакция отменена");
    EXPECT_EQ(sections().size(), 3u);
    EXPECT_EQ(lines().size(), 4u);
}

}  // namespace
