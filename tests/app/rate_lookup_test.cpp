// The rate catalogue and the work-line form as the program registers them: "В Смету" opens the
// form, whose "Справочник" opens the catalogue again as its lookup, and the rate picked there
// goes into the line.
#include "app/frame/procedures.h"
#include "app/settings/globals.h"
#include "catalogue/rates/browse_raszenki.h"
#include "platform/ui/procedures.h"
#include "tests/catalogue/catalogue_windows.h"

namespace {

using namespace Qt::StringLiterals;

enum Catalogue { kSelect = 2, kPut = 6 };
enum LineForm { kLookup = 1, kCode = 8, kName = 17, kOk = 39 };

struct RateLookup : test::CatalogueWindows {
    RateLookup() { registerProgramProcedures(); }
    ~RateLookup() override { GLO::CurrentSmeta = 0; }
};

TEST_F(RateLookup, TheLineFormTakesTheRatePickedInTheCatalogueItsButtonOpens)
{
    addCategories({{"1", u"Земляные работы"_s}});
    addRates({{"1", "01-001", u"Разработка грунта"_s, "м3"}, {"1", "01-002", u"Засыпка траншей"_s, "м3"}});
    addRecords(FileId::Headers, 1, [](int) { DFL().NUMBER = 7; });
    addRecords(FileId::GroupsWks, 1, [](int) {
        GRO().NUMSMET = 7;
        GRO().NUMINSMETA = 3;
    });
    GLO::CurrentSmeta = 7;
    call([] { BrowseRaszenki(); });
    ASSERT_TRUE(window->control(kPut)->isEnabled());
    press(window, kPut);
    ui::Window* form = top();
    ASSERT_NE(form, window);
    press(form, kLookup);
    ui::Window* lookup = top();
    ASSERT_NE(lookup, form);
    EXPECT_FALSE(lookup->control(kPut)->isEnabled());
    EXPECT_FALSE(lookup->control(kSelect)->isHidden());
    click(lookup, 1);
    press(lookup, kSelect);
    ASSERT_EQ(top(), form);
    EXPECT_EQ(text(form, kCode), "01-002");
    EXPECT_EQ(text(form, kName), u"Засыпка траншей"_s);
    messages.answer(BUTTON_NO);  // no further line
    press(form, kOk);
    ASSERT_EQ(top(), window);
    EXPECT_EQ(stored(FileId::WrksInSmt,
                     [] { return QStringLiteral("%1/%2 %3").arg(NSB().CODER).arg(NSB().GRINSMETA).arg(NSB().NRAS.toQString()); }),
              std::vector<QString>{"7/3 01-002"});
}

}  // namespace
