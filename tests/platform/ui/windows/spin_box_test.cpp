// The decimal spin: exact steps under its picture, the range of its DECIMAL(p,s) variable,
// what it lets the user type, and the events it gives its window.
#include "platform/ui/windows/spin_box.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

Decimal num(const char* text) { return *Decimal::parse(text); }

TEST(SpinBox, StepsExactlyUnderItsPicture)
{
    struct Case {
        const char* picture;
        const char* step;
        const char* start;
        int steps;  // one stepBy per step, as the arrow keys do
        const char* text;
        const char* value;
    };
    const Case cases[] = {
        {"@n-13.4", "0.01", "0.1", 20, "0.3000", "0.3"},  // 0.1 + 0.2 in binary would not be 0.3
        {"@n-13.4", "0.01", "0.07", 1, "0.0800", "0.08"},
        {"@n-13.4", "0.01", "0.01", -2, "-0.0100", "-0.01"},
        {"@n-11.3", "1", "0.999", 1, "1.999", "1.999"},
        {"@n-11.3", "1", "1234.5", -1, "1,233.500", "1233.5"},
    };
    for (const Case& c : cases) {
        const Decimal limit = ui::SpinBox::limitOf<11, 4>();
        ui::SpinBox spin(c.picture, num(c.step), -limit, limit);
        spin.setValue(num(c.start));
        for (int i = 0; i < std::abs(c.steps); ++i) spin.stepBy(c.steps > 0 ? 1 : -1);
        EXPECT_EQ(spin.text().trimmed(), c.text) << c.picture << " " << c.start;
        EXPECT_EQ(spin.value(), num(c.value)) << c.picture << " " << c.start;
        EXPECT_TRUE(spin.isModified());
    }
}

TEST(SpinBox, StaysWithinTheRangeOfItsVariable)
{
    EXPECT_EQ((ui::SpinBox::limitOf<9, 3>()), num("999999.999"));
    EXPECT_EQ((ui::SpinBox::limitOf<11, 4>()), num("9999999.9999"));

    const Decimal limit = ui::SpinBox::limitOf<9, 3>();
    ui::SpinBox spin("@n-11.3", 1, -limit, limit);
    spin.setValue(num("999999.5"));
    spin.stepBy(1);
    EXPECT_EQ(spin.value(), limit);
    spin.stepBy(1);
    EXPECT_EQ(spin.value(), limit);
    spin.setValue(num("-2000000"));
    EXPECT_EQ(spin.value(), -limit);
}

TEST(SpinBox, TakesOnlyWhatItsVariableHolds)
{
    struct Case {
        const char* text;
        QValidator::State state;
    };
    const Case cases[] = {
        {"12.5", QValidator::Acceptable},
        {"1,234.125", QValidator::Acceptable},
        {"", QValidator::Acceptable},         // blank is 0
        {"-", QValidator::Intermediate},      // on the way to a number
        {"1.2345", QValidator::Acceptable},   // more places than shown: rounded when stored
        {"12,5", QValidator::Acceptable},     // a decimal comma
        {"1,234,5", QValidator::Invalid},     // a grouping comma typed is no separator
        {"1000000", QValidator::Invalid},     // beyond DECIMAL(9,3)
        {"-1000000", QValidator::Invalid},
        {"12a", QValidator::Invalid},
    };
    const Decimal limit = ui::SpinBox::limitOf<9, 3>();
    ui::SpinBox spin("@n-11.3", 1, -limit, limit);
    for (const Case& c : cases) {
        QString text = c.text;
        int pos = int(text.size());
        EXPECT_EQ(spin.validate(text, pos), c.state) << c.text;
    }
    QString unfinished = "-";
    spin.fixup(unfinished);
    EXPECT_EQ(unfinished.trimmed(), "0.000");
}

// Stepping gives the window a new selection; leaving the spin after a change stores the value
// and gives the window an accepted control.
TEST(SpinBox, StepsAndAcceptanceReachTheWindow)
{
    DecimalField<11, 4> rate = Decimal::fromScaled(5, 2);
    std::vector<int> events;
    ui::Window* window = nullptr;
    ui::ThreadId t = test::start([&] {
        ui::Window w(ui::WindowKind::Dialog, "Ставка", 80, 30);
        ui::Control& spin = ui::addSpin(w, "?RATE", rate, "@n-13.4", Decimal::fromScaled(1, 2));
        spin.widget()->setParent(w.content());  // placed in the window, which owns it
        spin.display();
        w.open();
        window = &w;
        for (;;) {
            ui::Event e = w.wait();
            if (e.field) events.push_back(e.event);
            if (e.event == EVENT::Accepted) break;
        }
    });
    ASSERT_TRUE(test::waitWindow(t));
    auto* spin = static_cast<ui::SpinBox*>(window->control("?RATE")->widget());
    EXPECT_EQ(spin->text().trimmed(), "0.0500");
    QTest::keyClick(spin, Qt::Key_Up);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(rate.value(), num("0.05"));  // not yet accepted
    QTest::keyClick(spin, Qt::Key_Return);
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_EQ(events, (std::vector<int>{EVENT::NewSelection, EVENT::NewSelection, EVENT::Accepted}));
    EXPECT_EQ(rate.value(), num("0.07"));
}

// A typed value counts as a change, and a button pressed while the spin (on a sheet, as forms
// place it) has the focus takes it as accepted first.
TEST(SpinBox, ATypedValueIsAcceptedBeforeAButtonPressed)
{
    DecimalField<7, 2> quantity;
    std::vector<int> accepted;
    ui::Window* window = nullptr;
    ui::ThreadId t = test::start([&] {
        ui::Window w(ui::WindowKind::Dialog, "Количество", 80, 40);
        auto* sheet = new QTabWidget(w.content());
        w.add(ui::CREATE::Sheet, "?SHEET", sheet, 1);
        auto* page = new QWidget;
        sheet->addTab(page, "Главное");
        ui::Control& spin = ui::addSpin(w, "?QUANTITY", quantity, "@n-10.2", Decimal(1), 2);
        spin.widget()->setParent(page);
        w.add(ui::CREATE::Button, "?OK", new QPushButton("OK", w.content()), 3);
        spin.display();
        w.open();
        window = &w;
        for (;;) {
            ui::Event e = w.wait();
            if (e.event == EVENT::Accepted) accepted.push_back(e.field);
            if (e.field == 3) break;
        }
    });
    ASSERT_TRUE(test::waitWindow(t));
    auto* spin = static_cast<ui::SpinBox*>(window->control(2)->widget());
    spin->setFocus();
    spin->selectAll();
    for (const char* key : {"2", ".", "5"}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QApplication::sendEvent(spin, &press);
    }
    EXPECT_TRUE(spin->isModified());
    static_cast<QPushButton*>(window->control(3)->widget())->click();
    ASSERT_TRUE(test::waitEnded(t));
    EXPECT_EQ(accepted, (std::vector<int>{2, 3}));
    EXPECT_EQ(quantity.value(), num("2.5"));
}

}  // namespace
