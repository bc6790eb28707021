// The rate catalogue and the work-line form as the program registers them: "В Смету" opens the
// form, whose "Справочник" opens the catalogue again as its lookup, and the rate picked there
// goes into the line.
#include "app/frame/procedures.h"
#include "catalogue/rates/browse_raszenki.h"
#include "data/globals.h"
#include "platform/ui/windows/procedures.h"
#include "tests/catalogue/catalogue_windows.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWindow>

namespace {

using namespace Qt::StringLiterals;

enum Catalogue { kSelect = 2, kPut = 6 };
enum LineForm { kLookup = 1, kCode = 8, kName = 17, kOk = 39 };

struct RateLookup : test::CatalogueWindows {
    RateLookup() { registerProgramProcedures(); }
    ~RateLookup() override { GLO::CurrentSmeta = 0; }

    void addLineFixture()
    {
        addCategories({{"1", u"Земляные работы"_s}});
        addRates({{"1", "01-001", u"Разработка грунта"_s, "м3"}, {"1", "01-002", u"Засыпка траншей"_s, "м3"}});
        addRecords(FileId::Headers, 1, [](int) { DFL().NUMBER = 7; });
        addRecords(FileId::GroupsWks, 1, [](int) {
            GRO().NUMSMET = 7;
            GRO().NUMINSMETA = 3;
        });
        GLO::CurrentSmeta = 7;
    }
};

// The frame the catalogue opens in as the program's MDI child; it outlives the windows.
struct Frame {
    Frame()
    {
        frame.setCentralWidget(area);
        frame.resize(900, 700);
        frame.show();
        ui::Window::setMdiArea(area);
    }
    ~Frame() { ui::Window::setMdiArea(nullptr); }

    QMainWindow frame;
    QMdiArea* area = new QMdiArea;
};

struct RateLookupInTheFrame : Frame, RateLookup {
    static QWidget* windowOf(ui::Window* w) { return w->topWidget()->window(); }
    // The window is in front of `below`: a window the window manager keeps above it (its
    // transient), or the frame's topmost child; and it is the active one.
    static bool inFrontOf(ui::Window* w, QWidget* below)
    {
        QWindow* own = windowOf(w)->windowHandle();
        for (QWindow* t = own ? own->transientParent() : nullptr; t; t = t->transientParent())
            if (t == below->windowHandle()) return true;
        return false;
    }
    static bool active(ui::Window* w)
    {
        return test::pumpUntil([w] { return QApplication::activeWindow() == windowOf(w); }, 2000);
    }
};

TEST_F(RateLookup, TheLineFormTakesTheRatePickedInTheCatalogueItsButtonOpens)
{
    addLineFixture();
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

TEST_F(RateLookupInTheFrame, EachWindowOpensInFrontOfItsCallerAndHandsTheFrontBackAsItCloses)
{
    addLineFixture();
    call([] { BrowseRaszenki(); });
    auto* catalogue = qobject_cast<QMdiSubWindow*>(window->topWidget());
    ASSERT_TRUE(catalogue);
    ASSERT_TRUE(active(window));
    press(window, kPut);
    ui::Window* form = top();
    ASSERT_NE(form, window);
    EXPECT_TRUE(inFrontOf(form, &frame));
    EXPECT_TRUE(active(form));
    // the lookup cannot be inside the frame, under the form: it is a window over the form
    press(form, kLookup);
    ui::Window* lookup = top();
    ASSERT_NE(lookup, form);
    EXPECT_TRUE(inFrontOf(lookup, windowOf(form)));
    EXPECT_TRUE(active(lookup));
    const QPointer<QWidget> lookupWindow = windowOf(lookup);
    EXPECT_NE(lookupWindow, windowOf(form));
    click(lookup, 1);
    press(lookup, kSelect);
    ASSERT_EQ(top(), form);
    EXPECT_TRUE(active(form));
    EXPECT_TRUE(!lookupWindow || !lookupWindow->isVisible());
    EXPECT_EQ(text(form, kCode), "01-002");
    // the line stored, the catalogue is the frame's front child again
    messages.answer(BUTTON_NO);
    press(form, kOk);
    ASSERT_EQ(top(), window);
    EXPECT_TRUE(active(window));
    EXPECT_EQ(area->activeSubWindow(), catalogue);
    EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder).value(area->subWindowList().size() - 1), catalogue);
}

}  // namespace
