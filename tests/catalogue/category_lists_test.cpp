// The category lists: the step locator, in-place editing with its refusals, deleting, the
// choosing list, the category form and the rates of one category.
#include "catalogue/categories/category_lists.h"
#include "catalogue/categories/update_nsbraz.h"
#include "tests/catalogue/catalogue_windows.h"

#include <QLabel>

namespace {

using test::Rate;
using Codes = std::vector<QString>;

enum Browse { kSelect = 2, kInsert = 3, kChange = 4, kDelete = 5, kRates = 7, kClose = 8 };

class CategoryLists : public test::CatalogueWindows {
protected:
    void openBrowse()
    {
        call([] { BrowseNSBRAZ(); });
        ASSERT_TRUE(window);
    }
    QTableView* view() { return list(window).view(); }
};

TEST_F(CategoryLists, StepLocatorGoesToTheFirstCodeBeginningWithTheLastCharacterOrAfterIt)
{
    addCategories({{"1", "один"}, {"10", "десять"}, {"2", "два"}, {"A1", "а"}, {"b", "б"}});
    openBrowse();
    EXPECT_EQ(column(window), (Codes{"1", "10", "2", "A1", "b"}));
    click(window, 1);
    const struct {
        const char* typed;
        const char* lands;
    } steps[] = {{"1", "10"}, {"a", "A1"}, {"B", "b"}, {"3", "A1"}, {"z", "b"}};
    for (const auto& s : steps) {
        type(view(), QString::fromUtf8(s.typed));
        EXPECT_EQ(highlighted(window), QString::fromUtf8(s.lands)) << s.typed;
    }
}

TEST_F(CategoryLists, InPlaceRefusesRepeatedAndBlankCodesKeepingTheRowInEditing)
{
    addCategories({{"A1", "первая"}, {"B2", "вторая"}});
    openBrowse();
    // an added row repeating a code in another case
    key(view(), Qt::Key_Insert);
    typeInCell(window, "a1");
    key(cellEditor(window), Qt::Key_Return);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "Ошибка дублирования в ключе");
    EXPECT_TRUE(messages.shown()[0].text.contains("по Категориям"));
    EXPECT_TRUE(cellEditor(window));
    key(cellEditor(window), Qt::Key_Escape);
    // a changed row taking another's code
    messages.clear();
    click(window, 1);
    key(view(), Qt::Key_Return, Qt::ControlModifier);
    typeInCell(window, "a1");
    key(cellEditor(window), Qt::Key_Return);
    EXPECT_TRUE(said("Запись не обновляется"));
    EXPECT_TRUE(cellEditor(window));
    key(cellEditor(window), Qt::Key_Escape);
    // a name without a code, new or by blanking the code: refused, back in the code
    for (bool added : {true, false}) {
        messages.clear();
        if (added) {
            key(view(), Qt::Key_Insert);
            key(cellEditor(window), Qt::Key_Tab);
            typeInCell(window, "без номера");
        } else {
            click(window, 0);
            key(view(), Qt::Key_Return, Qt::ControlModifier);
            typeInCell(window, "");
        }
        key(cellEditor(window), Qt::Key_Return);
        ASSERT_EQ(messages.shown().size(), 1u) << added;
        EXPECT_EQ(messages.shown()[0].text, "Укажите № п.п. категории.");
        EXPECT_EQ(messages.shown()[0].caption, "Категории расценок");
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
        ASSERT_TRUE(cellEditor(window));
        EXPECT_EQ(list(window).view()->indexAt(cellEditor(window)->geometry().center()).column(), 0) << added;
        key(cellEditor(window), Qt::Key_Escape);
    }
    // an empty new row goes as with Esc
    messages.clear();
    key(view(), Qt::Key_Insert);
    key(cellEditor(window), Qt::Key_Return);
    EXPECT_FALSE(cellEditor(window));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(categoryCodes(), (Codes{"A1", "B2"}));
}

TEST_F(CategoryLists, AddsWithTabAndDeletesWithoutAskingLeavingTheRates)
{
    addCategories({{"A1", "первая"}});
    addRates({{"A1", "1-1", "работа", "м"}});
    openBrowse();
    key(view(), Qt::Key_Insert);
    typeInCell(window, "C3");
    key(cellEditor(window), Qt::Key_Tab);
    typeInCell(window, "третья");
    key(cellEditor(window), Qt::Key_Return);
    EXPECT_EQ(column(window), (Codes{"A1", "C3"}));
    EXPECT_EQ(column(window, 1), (Codes{"первая", "третья"}));
    click(window, 0);
    key(view(), Qt::Key_Delete);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(categoryCodes(), Codes{"C3"});
    EXPECT_EQ(rates(), (std::vector<Rate>{{"A1", "1-1", "работа", "м"}}));
}

TEST_F(CategoryLists, DownGoesOnWithANewRowInItsCodeAndWithAChangedRowInTheSameColumn)
{
    openBrowse();
    auto editedColumn = [this] {
        return list(window).view()->indexAt(cellEditor(window)->geometry().center()).column();
    };
    // a run of categories typed with Down between them, each new row starting in the code
    key(view(), Qt::Key_Insert);
    const struct {
        const char* code;
        const char* name;
    } typed[] = {{"7", "Семь"}, {"8", "Восемь"}};
    for (const auto& row : typed) {
        ASSERT_TRUE(cellEditor(window));
        EXPECT_EQ(editedColumn(), 0) << row.code;
        typeInCell(window, QString::fromUtf8(row.code));
        key(cellEditor(window), Qt::Key_Tab);
        typeInCell(window, QString::fromUtf8(row.name));
        key(cellEditor(window), Qt::Key_Down);
    }
    ASSERT_TRUE(cellEditor(window));
    EXPECT_EQ(editedColumn(), 0);
    key(cellEditor(window), Qt::Key_Escape);
    EXPECT_EQ(categoryCodes(), (Codes{"7", "8"}));
    EXPECT_EQ(column(window, 1), (Codes{"Семь", "Восемь"}));
    // a changed row goes on in the column it ended in
    click(window, 0);
    key(view(), Qt::Key_Return, Qt::ControlModifier);
    key(cellEditor(window), Qt::Key_Tab);
    typeInCell(window, "семь");
    key(cellEditor(window), Qt::Key_Down);
    ASSERT_TRUE(cellEditor(window));
    EXPECT_EQ(editedColumn(), 1);
    EXPECT_EQ(cellEditor(window)->text(), "Восемь");
    key(cellEditor(window), Qt::Key_Escape);
    EXPECT_EQ(column(window, 1), (Codes{"семь", "Восемь"}));
}

TEST_F(CategoryLists, RatesOfTheHighlightedCategoryOnlyByCodeInAnyCase)
{
    addCategories({{"A1", "первая"}, {"B2", "вторая"}});
    addRates({{"a1", "2-1", "вторая работа", "м"}, {"B2", "1-0", "чужая", "м"}, {"A1", "1-1", "первая работа", "м"}});
    openBrowse();
    press(window, kRates);
    ui::Window* rates = top();
    ASSERT_NE(rates, window);
    EXPECT_EQ(rates->title(), "Расценки  по данной категории");
    EXPECT_EQ(column(rates), (Codes{"1-1", "2-1"}));
    EXPECT_EQ(list(rates).model().headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "Стоим. ед.");
    EXPECT_EQ(list(rates).model().headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), "Стоим. Ед.");
    press(rates, 6);
    EXPECT_EQ(top(), window);
    press(window, kClose);
    EXPECT_TRUE(ended());
    EXPECT_EQ(response, ui::RESPONSE::Completed);
}

TEST_F(CategoryLists, SelectAnswersByItsButtons)
{
    addCategories({{"1", "один"}, {"2", "два"}});
    struct Case {
        bool pick;
        int answer;
        const char* buffer;
    };
    for (const Case c : {Case{true, ui::RESPONSE::Completed, "2"}, Case{false, ui::RESPONSE::Cancelled, "X"}}) {
        QString after;
        call([&after] {
            NSR().KEY_ROOT = "X";
            ProcRequest() = ui::REQUEST::SelectRecord;
            SelectNSBRAZ();
            after = NSR().KEY_ROOT.toQString();
        });
        ASSERT_TRUE(window);
        EXPECT_FALSE(window->control(2)->isHidden());
        click(window, 1);
        press(window, c.pick ? 2 : 4);
        ASSERT_TRUE(ended());
        EXPECT_EQ(response, c.answer);
        EXPECT_EQ(after, QString::fromUtf8(c.buffer));
    }
}

TEST_F(CategoryLists, FormAddsOnTheCallersBufferAndRefusesRepeatedOrBlankCodes)
{
    enum { kCode = 3, kName = 5, kOk = 6, kCancel = 7 };
    addCategories({{"A1", "первая"}});
    auto open = [&] {
        call([] {
            Relate(FileId::NSBRAZ).Open();
            Access(FileId::NSBRAZ).layout().clear(&NSR());
            NSR().NAME = "набранное";
            ProcRequest() = ui::REQUEST::InsertRecord;
            UpdateNSBRAZ();
            Relate(FileId::NSBRAZ).Close();
        });
        ASSERT_TRUE(window);
    };
    // untouched: cancelled without a question
    open();
    EXPECT_EQ(window->title(), "Добавление категории");
    EXPECT_EQ(text(window, kName), "набранное");
    press(window, kCancel);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, ui::RESPONSE::Cancelled);
    EXPECT_TRUE(messages.shown().empty());
    // a blank code, also by answering Yes to "Сохранение записи"; then a repeated one
    open();
    retype(window, kName, "новая");
    messages.answer(BUTTON_YES);
    press(window, kCancel);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].caption, "Сохранение записи");
    EXPECT_EQ(messages.shown()[1].text, "Укажите № п.п. категории.");
    EXPECT_EQ(top(), window);
    retype(window, kCode, "a1");
    press(window, kOk);
    EXPECT_TRUE(said("по Категориям"));
    EXPECT_EQ(top(), window);
    retype(window, kCode, "C3");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, ui::RESPONSE::Completed);
    EXPECT_EQ(categoryCodes(), (Codes{"A1", "C3"}));
}

}  // namespace
