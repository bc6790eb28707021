// The settings window `ShwNaz`: its entries and spins write the globals when accepted, within
// the globals' widths and exactly; "Закрыть" completes, or cancels under the select request.
#include "app/windows/settings_window.h"
#include "data/globals.h"
#include "platform/ui/windows/spin_box.h"
#include "tests/support/ui_driver.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace {

Decimal num(const char* text) { return *Decimal::parse(text); }

struct SettingsWindowTest : ::testing::Test {
    SettingsWindowTest() { InitProgramGlobals(); }

    // Opens the window on a thread of its own under the request.
    ui::Window* open(std::uint8_t request = 0)
    {
        thread = test::start([this, request] {
            ProcRequest() = request;
            ShwNaz();
            response = ProcResponse();
        });
        return test::waitWindowTitled(thread, QStringLiteral("Установки программы"));
    }
    void close(ui::Window* w)
    {
        static_cast<QPushButton*>(w->control("?CLOSE")->widget())->click();
        ASSERT_TRUE(test::waitEnded(thread));
    }
    static QLineEdit* entry(ui::Window* w, const QString& name) { return static_cast<QLineEdit*>(w->control(name)->widget()); }
    static ui::SpinBox* spin(ui::Window* w, const QString& name) { return static_cast<ui::SpinBox*>(w->control(name)->widget()); }
    // Types (or pastes) the text over the entry's contents and accepts it with Enter.
    static void typeAndAccept(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        edit->insert(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    static void stepAndAccept(ui::SpinBox* s, int steps)
    {
        for (int i = 0; i < std::abs(steps); ++i) QTest::keyClick(s, steps > 0 ? Qt::Key_Up : Qt::Key_Down);
        QTest::keyClick(s, Qt::Key_Return);
    }

    ui::ThreadId thread = 0;
    int response = -1;
};

TEST_F(SettingsWindowTest, AFirmNameIsCutToTheWidthOfItsGlobal)
{
    struct Case {
        QString typed;
        QString stored;
    };
    const QString name25 = QStringLiteral("ООО Строительная компания");
    const QString name40 = QStringLiteral("ООО «Строительная компания Северо-Запад»");
    const Case cases[] = {
        {name25, name25},
        {name40, name40.left(30)},
        {QStringLiteral("Строй日本ка"), QString()},  // windows-1251 has no such characters: refused
    };
    ASSERT_EQ(name25.size(), 25);
    ASSERT_EQ(name40.size(), 40);
    for (const Case& c : cases) {
        InitProgramGlobals();
        ui::Window* w = open();
        ASSERT_TRUE(w);
        typeAndAccept(entry(w, "?FIRMNAME"), c.typed);
        EXPECT_EQ(FirmName.toQString(), c.stored);  // at once, with the window still open
        close(w);
        EXPECT_EQ(response, 1);
    }
}

TEST_F(SettingsWindowTest, SpinsStepIndicesByOneAndChargeRatesByAHundredthExactly)
{
    GLO::MaterCoeff = num("0.999");
    GLO::Nakrutki[3] = num("0.1");
    GLO::Nakrutki[9] = num("0.01");
    ui::Window* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(spin(w, "?GLO:MATERCOEFF")->text().trimmed(), "0.999");
    stepAndAccept(spin(w, "?GLO:MATERCOEFF"), 1);
    stepAndAccept(spin(w, "?GLO:NAKRUTKI_1:3"), 20);
    stepAndAccept(spin(w, "?GLO:NAKRUTKI_1:9"), -1);  // a rate of 0: the charge is left out of the estimate
    EXPECT_EQ(GLO::MaterCoeff.scaled(), 1999);
    EXPECT_EQ(GLO::Nakrutki[3].scaled(), 3000);
    EXPECT_EQ(GLO::Nakrutki[9].scaled(), 0);
    close(w);
}

TEST_F(SettingsWindowTest, ChargeRowNPairsNameNWithRateN)
{
    const std::set<int> rows = {1, 5, 9};
    ui::Window* w = open();
    ASSERT_TRUE(w);
    for (int n : rows) {
        typeAndAccept(entry(w, QStringLiteral("?GLO:NAKRUTKINAME_%1").arg(n)), QStringLiteral("Надбавка %1").arg(n));
        stepAndAccept(spin(w, n == 1 ? QStringLiteral("?GLO:NAKRUTKI_1") : QStringLiteral("?GLO:NAKRUTKI_1:%1").arg(n)), n);
    }
    close(w);
    for (int n = 1; n <= 10; ++n) {
        const bool typed = rows.count(n) > 0;
        EXPECT_EQ(GLO::NakrutkiName[n].toQString(), typed ? QStringLiteral("Надбавка %1").arg(n) : QString()) << n;
        EXPECT_EQ(GLO::Nakrutki[n].scaled(), typed ? n * 100 : 0) << n;
    }
}

TEST_F(SettingsWindowTest, CloseCompletesAndCancelsUnderTheSelectRequest)
{
    struct Case {
        std::uint8_t request;
        int response;
        QString stored;  // of a text typed and not yet accepted
    };
    const Case cases[] = {{0, 1, QStringLiteral("xslt.exe")}, {4, 2, QString()}};
    for (const Case& c : cases) {
        InitProgramGlobals();
        ui::Window* w = open(c.request);
        ASSERT_TRUE(w);
        QLineEdit* processor = entry(w, "?PREF:XMLPROCESSOR");
        processor->setText("xslt.exe");
        processor->setModified(true);
        close(w);
        EXPECT_EQ(response, c.response);
        EXPECT_EQ(PREF::XMLprocessor.toQString(), c.stored);
    }
}

TEST_F(SettingsWindowTest, ShowsEveryTabCaptionWholeAndKeepsItsSize)
{
    ui::Window* w = open();
    ASSERT_TRUE(w);
    test::pump();
    QTabBar* tabs = static_cast<QTabWidget*>(w->control("?SHEET1")->widget())->tabBar();
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_GE(tabs->width(), tabs->sizeHint().width()) << "a tab caption is cut or scrolled away";
    EXPECT_EQ(w->content()->minimumSize(), w->content()->maximumSize());
    close(w);
}

}  // namespace
