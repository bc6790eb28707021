// The rate form: its category and unit lookups (a lookup closed without a choice leaves the
// rate as it was), the nested lists on its thread, which leave its record alone, and what "OK"
// refuses.
#include "catalogue/categories/category_lists.h"
#include "catalogue/rates/update_raszenki.h"
#include "tests/catalogue/catalogue_windows.h"

namespace {

using test::Rate;
using Rates = std::vector<Rate>;

enum Form { kNumber = 3, kGroup = 5, kCategories = 6, kCode = 8, kName = 10, kUnit = 12, kUnits = 13, kOk = 23 };
enum CategoryButtons { kSelectIt = 2, kRatesOf = 7, kCloseBrowse = 8, kCloseSelect = 4 };
enum RateListButtons { kAddRate = 2, kCloseRates = 6 };

class RateForm : public test::CatalogueWindows {
protected:
    // The form changing the rate of that code; `before` runs on the thread first.
    void change(const QString& code, std::function<void()> before = {})
    {
        call([=] {
            if (before) before();
            readRate(code);
            ProcRequest() = ui::REQUEST::ChangeRecord;
            UpdateRaszenki();
            Relate(FileId::Raszenki).Close();
        });
        ASSERT_TRUE(window);
    }
    void insert()
    {
        call([] {
            Relate(FileId::Raszenki).Open();
            Access(FileId::Raszenki).layout().clear(&WRK());
            ProcRequest() = ui::REQUEST::InsertRecord;
            UpdateRaszenki();
            Relate(FileId::Raszenki).Close();
        });
        ASSERT_TRUE(window);
    }
    void accept(int control) { key(window->control(control)->widget(), Qt::Key_Tab); }
};

TEST_F(RateForm, TypedCategoryIsKeptWhenFoundElseChosenOrKeptWhenTheChoiceIsClosed)
{
    addCategories({{"A1", "первая"}, {"2", "вторая"}});
    addRates({{"A1", "R-1", "работа", "м"}});
    struct Case {
        const char* typed;
        bool listOpens;
        int closeWith;  // in the choosing list: 0 picks "2"
        bool byOk;      // "OK" made the code count as typed
        const char* stored;
    };
    const Case cases[] = {
        {"", false, 0, false, ""},   {"a1", false, 0, false, "a1"}, {"zz", true, 0, false, "2"},
        {"zz", true, kCloseSelect, false, "zz"}, {"zz", true, kCloseSelect, true, "zz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed + std::string(c.byOk ? " by OK" : ""));
        change("R-1");
        retype(window, kGroup, QString::fromUtf8(c.typed));
        if (c.byOk)
            press(window, kOk);  // as Enter does: the focus stays in the entry
        else
            accept(kGroup);
        ui::Window* select = top();
        ASSERT_TRUE(select);
        ASSERT_EQ(select != window, c.listOpens);
        if (c.listOpens) {
            EXPECT_EQ(select->title(), "Категории расценок");
            if (c.closeWith) {
                press(select, c.closeWith);
            } else {
                click(select, 0);  // "2" comes before "A1"
                press(select, kSelectIt);
            }
            ASSERT_EQ(top(), window);  // also when "OK" began it
            if (c.closeWith) {
                EXPECT_EQ(window->focusedControl(), kGroup);
            }
        }
        EXPECT_EQ(text(window, kGroup), QString::fromUtf8(c.stored));
        press(window, kOk);
        ASSERT_TRUE(ended());
        EXPECT_EQ(rates(), (Rates{{QString::fromUtf8(c.stored), "R-1", "работа", "м"}}));
    }
}

TEST_F(RateForm, ListButtonsReplaceOnlyWithWhatWasChosen)
{
    addUnits({"кг", "м"});
    addRates({{"A1", "R-1", "работа", "шт"}});
    // a unit read earlier on the thread is what a closed unit list hands back
    change("R-1", [] {
        Relate(FileId::EdIzmer).Open();
        EDI().EDIZM = "м";
        NSR().KEY_ROOT = "old";
    });
    press(window, kUnits);
    ASSERT_NE(top(), window);
    press(top(), 9);  // "Закрыть"
    EXPECT_EQ(text(window, kUnit), "шт");
    press(window, kUnits);
    click(top(), 0);
    press(top(), 5);  // "&Выбрать"
    EXPECT_EQ(text(window, kUnit), "кг");
    // the category list closed on no category (there are none) keeps the code
    press(window, kCategories);
    ASSERT_NE(top(), window);
    press(top(), kCloseBrowse);
    EXPECT_EQ(text(window, kGroup), "A1");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(rates(), (Rates{{"A1", "R-1", "работа", "кг"}}));
    // on a filled one it takes the category highlighted last
    addCategories({{"1", "один"}, {"2", "два"}});
    change("R-1");
    press(window, kCategories);
    click(top(), 1);
    press(top(), kCloseBrowse);
    EXPECT_EQ(text(window, kGroup), "2");
}

TEST_F(RateForm, NestedListsOnTheThreadLeaveTheFormsRecordAlone)
{
    addCategories({{"A1", "первая"}, {"C3", "третья"}});
    addRates({{"A1", "A-1", "работа А", "м"}, {"A1", "B-1", "работа Б", "кг"}});
    change("A-1");
    press(window, kCategories);
    ui::Window* categories = top();
    click(categories, 0);
    press(categories, kRatesOf);
    ui::Window* list = top();
    ASSERT_NE(list, categories);
    EXPECT_EQ(column(list), (std::vector<QString>{"A-1", "B-1"}));
    click(list, 1);
    press(list, kAddRate);
    ASSERT_NE(top(), list);
    key(top()->control(kCode)->widget(), Qt::Key_Escape);
    ASSERT_EQ(top(), list);
    press(list, kCloseRates);
    click(categories, 1);
    press(categories, kCloseBrowse);
    ASSERT_EQ(top(), window);
    EXPECT_EQ(text(window, kGroup), "C3");
    EXPECT_EQ(text(window, kCode), "A-1");
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(rates(), (Rates{{"C3", "A-1", "работа А", "м"}, {"A1", "B-1", "работа Б", "кг"}}));
}

TEST_F(RateForm, CategoryListPrimesNewRatesWithItsOwnCategoryWhateverTheLookupsDid)
{
    addCategories({{"A1", "первая"}, {"C3", "третья"}});
    addRates({{"A1", "A-1", "работа А", "м"}, {"C3", "C-1", "работа В", "м"}});
    call([] { BrowseNSBRAZ(); });
    ASSERT_TRUE(window);
    press(window, kRatesOf);
    ui::Window* list = top();
    press(list, kAddRate);
    ui::Window* form = top();
    EXPECT_EQ(form->title(), "Добавление расценки в справочник");
    EXPECT_EQ(text(form, kGroup), "A1");
    EXPECT_EQ(text(form, kNumber), "1");
    // a lookup moves the category buffer to C3 and the new rate with it
    retype(form, kGroup, "zz");
    key(form->control(kGroup)->widget(), Qt::Key_Tab);
    click(top(), 1);
    press(top(), kSelectIt);
    EXPECT_EQ(text(form, kGroup), "C3");
    retype(form, kCode, "N-1");
    press(form, kOk);
    ASSERT_EQ(top(), list);
    EXPECT_EQ(column(list), std::vector<QString>{"A-1"});
    press(list, kAddRate);
    EXPECT_EQ(text(top(), kGroup), "A1");
    retype(top(), kCode, "N-2");
    press(top(), kOk);
    EXPECT_EQ(column(list), (std::vector<QString>{"A-1", "N-2"}));
}

TEST_F(RateForm, OkRefusesRepeatedCodesAndARateWithoutCodeOrNameAndStaysOpen)
{
    addRates({{"A1", "A-1", "работа А", "м"}, {"A1", "B-1", "работа Б", "м"}});
    // an insert repeating a code in another case; then without code and name
    insert();
    EXPECT_EQ(text(window, kNumber), "1");
    EXPECT_EQ(text(window, 15), "0.00");
    retype(window, kCode, "a-1");
    press(window, kOk);
    EXPECT_TRUE(said("По позиции"));
    EXPECT_EQ(top(), window);
    messages.clear();
    retype(window, kCode, "");
    press(window, kOk);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Укажите шифр или наименование расценки.");
    EXPECT_EQ(messages.shown()[0].caption, "Расценки на производство работ");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(window->focusedControl(), kCode);
    EXPECT_EQ(top(), window);
    ui::post(thread, EVENT::CloseWindow);
    ASSERT_TRUE(ended());
    // a change taking another rate's code
    messages.clear();
    change("B-1");
    EXPECT_EQ(window->title(), "Изменение расценки");
    retype(window, kCode, "A-1");
    press(window, kOk);
    EXPECT_TRUE(said("Запись не обновляется"));
    EXPECT_EQ(top(), window);
    messages.answer(BUTTON_NO);  // "Сохранение записи": closes without storing
    ui::post(thread, EVENT::CloseWindow);
    ASSERT_TRUE(ended());
    EXPECT_EQ(rates(), (Rates{{"A1", "A-1", "работа А", "м"}, {"A1", "B-1", "работа Б", "м"}}));
}

TEST_F(RateForm, OkWithoutEditsWritesNothing)
{
    addRates({{"A1", "A-1", "работа А", "м"}});
    change("A-1");
    // another window renames the rate meanwhile: a write of the form's copy would undo that
    onThread([] {
        readRate("A-1");
        WRK().NAME = "переименована";
        Relate(FileId::Raszenki).Update();
        Relate(FileId::Raszenki).Close();
    });
    press(window, kOk);
    ASSERT_TRUE(ended());
    EXPECT_EQ(response, ui::RESPONSE::Completed);
    EXPECT_EQ(rates(), (Rates{{"A1", "A-1", "переименована", "м"}}));
}

TEST_F(RateForm, NumberTakesNothingAboveWhatItsFieldHolds)
{
    addRates({{"A1", "A-1", "работа А", "м"}});
    change("A-1");
    retype(window, kNumber, "40000");
    EXPECT_EQ(text(window, kNumber), "4000");
    retype(window, kNumber, "32767");
    EXPECT_EQ(text(window, kNumber), "32767");
}

TEST_F(RateForm, DeleteAsksWithoutAWindow)
{
    addRates({{"A1", "A-1", "работа А", "м"}});
    messages.answer(BUTTON_YES);
    thread = test::start([] {
        readRate("A-1");
        ProcRequest() = ui::REQUEST::DeleteRecord;
        UpdateRaszenki();
        Relate(FileId::Raszenki).Close();
    });
    ASSERT_TRUE(ended());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Вы уверены что желаете удалить выделенную запись?");
    EXPECT_TRUE(rates().empty());
}

}  // namespace
