// Numeric entries and spins take only what their variable holds and their picture shows: a
// decimal comma as a point, the picture's grouping never read while a value is edited, a
// keystroke or paste that would not fit refused as a whole, more places than the picture
// shows rounded half away from zero when stored.
#include "platform/ui/windows/number_entry.h"
#include "platform/ui/windows/spin_box.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

Decimal num(const char* text) { return *Decimal::parse(text); }

struct Fields {
    std::int16_t number = 0;      // SHORT, @n_6
    std::uint8_t section = 0;     // BYTE, @n_3
    DecimalField<7, 2> price;     // @n-10.2
    DecimalField<11, 2> total;    // @n12.2: the picture shows seven digits before the point
    DecimalField<11, 4> coeff;    // @n-15.4
    DecimalField<7, 3> cramped;   // shown with 4 places, @n-10.4
    DecimalField<7, 2> quantity;  // a spin, @n-10.2
};

class NumberEntries : public ::testing::Test {
protected:
    enum { kNumber, kSection, kPrice, kTotal, kCoeff, kCramped, kQuantity };

    void SetUp() override
    {
        ui::Window& w = *window;
        auto* layout = new QVBoxLayout(w.content());
        controls = {&ui::addNumberEntry(w, "?NUMBER", f.number, "@n_6"),
                    &ui::addNumberEntry(w, "?SECTION", f.section, "@n_3"),
                    &ui::addNumberEntry(w, "?PRICE", f.price, "@n-10.2"),
                    &ui::addNumberEntry(w, "?TOTAL", f.total, "@n12.2"),
                    &ui::addNumberEntry(w, "?COEFF", f.coeff, "@n-15.4"),
                    &ui::addNumberEntry(w, "?CRAMPED", f.cramped, "@n-10.4"),
                    &ui::addSpin(w, "?QUANTITY", f.quantity, "@n-10.2", 1)};
        for (ui::Control* c : controls) layout->addWidget(c->widget());
        window->open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window->content()));
    }
    void TearDown() override
    {
        window.reset();
        test::pump();  // its widgets go before the fields they are bound to
    }

    QLineEdit* edit(int control) const
    {
        QWidget* w = controls[std::size_t(control)]->widget();
        if (auto* spin = qobject_cast<ui::SpinBox*>(w)) return spin->findChild<QLineEdit*>();
        return qobject_cast<QLineEdit*>(w);
    }
    Decimal stored(int control) const
    {
        switch (control) {
        case kNumber: return Decimal(long(f.number));
        case kSection: return Decimal(long(f.section));
        case kPrice: return f.price.value();
        case kTotal: return f.total.value();
        case kCoeff: return f.coeff.value();
        case kCramped: return f.cramped.value();
        default: return f.quantity.value();
        }
    }

    Fields f;
    std::unique_ptr<ui::Window> window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, "Смета", 100, 120);
    std::vector<ui::Control*> controls;
};

TEST_F(NumberEntries, TypedAndPastedTextsAgainstTheirPictures)
{
    struct Case {
        int control;
        bool pasted;
        const char* text;
        const char* shown;  // what the entry takes of it
        const char* stored;
        bool refused;       // a keystroke or the paste was refused (with a beep)
    };
    const Case cases[] = {
        // a decimal comma as a point
        {kPrice, false, "1234,56", "1234,56", "1234.56", false},
        {kPrice, false, "1234.56", "1234.56", "1234.56", false},
        {kQuantity, false, "210,05", "210,05", "210.05", false},
        {kQuantity, false, "45,1", "45,1", "45.1", false},
        {kPrice, true, "1234,56", "1234,56", "1234.56", false},
        // one separator only; a grouping comma typed is no separator
        {kPrice, false, "1,2,3", "1,23", "1.23", true},
        {kPrice, false, "1.2,3", "1.23", "1.23", true},
        {kPrice, true, "1,234,5", "", "0", true},
        // the picture's own text reads as what it shows
        {kPrice, true, "1,234.56", "1,234.56", "1234.56", false},
        // too wide for the field or the picture: the digit is refused, nothing shifts
        {kPrice, false, "123456.78", "12345.78", "12345.78", true},
        {kPrice, true, "123456.78", "", "0", true},
        {kTotal, false, "12345678", "1234567", "1234567", true},
        {kTotal, false, "1234567,891", "1234567,891", "1234567.89", false},
        {kQuantity, false, "123456", "12345", "12345", true},
        {kNumber, false, "40000", "4000", "4000", true},  // a SHORT never wraps to -25536
        {kNumber, false, "-32768", "-32768", "-32768", false},
        {kSection, false, "256", "25", "25", true},      // a BYTE holds 0 to 255
        // a third decimal rounded half away from zero as stored
        {kPrice, false, "7.777", "7.777", "7.78", false},
        {kQuantity, false, "7.777", "7.777", "7.78", false},
        {kPrice, false, "-7,775", "-7,775", "-7.78", false},
        {kCoeff, false, "1,23456", "1,23456", "1.2346", false},
        {kCoeff, false, "-0.00005", "-0.00005", "-0.0001", false},
        {kCramped, false, "1.2345", "1.2345", "1.235", false},
        {kCramped, false, "9999.9995", "9999.999", "9999.999", true},  // would round beyond the field
        // a whole number takes no separator; a minus only in front
        {kNumber, false, "12,5", "125", "125", true},
        {kNumber, false, "12.5", "125", "125", true},
        {kPrice, false, "12-3", "123", "123", true},
        {kCoeff, true, "-12", "-12", "-12", false},
        {kCoeff, true, "1 000", "", "0", true},
    };
    for (const Case& c : cases) {
        QLineEdit* e = edit(c.control);
        e->setFocus();
        e->clear();
        QSignalSpy refusals(e, &QLineEdit::inputRejected);
        if (c.pasted) {
            QApplication::clipboard()->setText(QString::fromUtf8(c.text));
            QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(e, QString::fromUtf8(c.text));
        }
        EXPECT_EQ(e->text(), QString::fromUtf8(c.shown)) << c.text;
        EXPECT_EQ(!refusals.isEmpty(), c.refused) << c.text;
        window->updateAll();
        EXPECT_EQ(stored(c.control), num(c.stored)) << c.text;
        e->clear();
        window->updateAll();
    }
}

TEST_F(NumberEntries, ShowTheirPicturesGroupingAndAreEditedWithoutIt)
{
    f.price = num("12345");
    f.quantity = num("1234.5");
    window->displayAll();
    for (int control : {kPrice, kQuantity}) {
        QLineEdit* e = edit(control);
        const QString shown = control == kPrice ? "12,345.00" : "1,234.50";
        EXPECT_EQ(e->text().trimmed(), shown) << control;
        controls[std::size_t(control)]->select();
        EXPECT_EQ(e->text(), control == kPrice ? "12345.00" : "1234.50") << control;
        window->displayAll();  // shown again while it is edited
        EXPECT_EQ(e->text(), control == kPrice ? "12345.00" : "1234.50") << control;
        // the comma typed at its end is the decimal separator, never a grouping one
        e->selectAll();
        QTest::keyClicks(e, "98,7");
        controls[std::size_t(kNumber)]->select();  // leaving it stores it
        EXPECT_EQ(stored(control), num("98.7")) << control;
        EXPECT_EQ(e->text().trimmed(), "98.70") << control;
    }
    // a disabled entry still shows its value
    f.price = num("1234.56");
    window->displayAll();
    controls[std::size_t(kPrice)]->disable();
    EXPECT_EQ(edit(kPrice)->text(), "1,234.56");
}

TEST(NumberEntry, AValueTooWideForTheFieldIsNeverStoredByItsLowOrderDigits)
{
    // the text of an entry set from outside, past its validator
    Fields f;
    f.number = 7;
    f.price = num("2.5");
    ui::Window window(ui::WindowKind::Dialog, "Смета", 100, 60);
    ui::Control& number = ui::addNumberEntry(window, "?NUMBER", f.number, "@n_6");
    ui::Control& price = ui::addNumberEntry(window, "?PRICE", f.price, "@n-10.2");
    qobject_cast<QLineEdit*>(number.widget())->setText("40000");
    qobject_cast<QLineEdit*>(price.widget())->setText("123456.78");
    window.updateAll();
    EXPECT_EQ(f.number, 7);
    EXPECT_EQ(f.price.value(), num("2.5"));
}

}  // namespace
