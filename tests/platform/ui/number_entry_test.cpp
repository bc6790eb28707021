// Numeric entries take only the values their variable holds and store more places than the
// field keeps rounded half away from zero.
#include "platform/ui/number_entry.h"
#include "tests/support/ui_driver.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

Decimal num(const char* text) { return *Decimal::parse(text); }

struct Fields {
    std::int16_t number = 0;           // SHORT, @n_6
    std::uint8_t section = 0;          // BYTE, @n_3
    DecimalField<7, 2> index;          // @n-10.2
    DecimalField<7, 3> cramped;        // shown with 4 places, @n-10.4
};

TEST(NumberEntry, RefusesWhatTheFieldCannotHoldAndRoundsExtraPlacesHalfAwayFromZero)
{
    Fields f;
    ui::Window window(ui::WindowKind::Dialog, "Смета", 100, 60);
    auto* layout = new QVBoxLayout(window.content());
    ui::Control* controls[] = {&ui::addNumberEntry(window, "?NUMBER", f.number, "@n_6"),
                               &ui::addNumberEntry(window, "?SECTION", f.section, "@n_3"),
                               &ui::addNumberEntry(window, "?INDEX", f.index, "@n-10.2"),
                               &ui::addNumberEntry(window, "?CRAMPED", f.cramped, "@n-10.4")};
    for (ui::Control* c : controls) layout->addWidget(c->widget());
    window.open();

    struct Case {
        int control;
        const char* typed;
        const char* shown;  // what the entry takes of the typing
        const char* stored;
    };
    const Case cases[] = {
        {0, "40000", "4000", "4000"},         // a SHORT never wraps to -25536
        {0, "32767", "32767", "32767"},
        {1, "256", "25", "25"},               // a BYTE holds 0 to 255
        {2, "123456", "12345", "12345"},      // DECIMAL(7,2): five digits before the point
        {2, "99999.99", "99999.99", "99999.99"},
        {2, "1.125", "1.12", "1.12"},         // no more places than the picture shows
        {3, "1.2345", "1.2345", "1.235"},     // four places shown, three stored
        {3, "-1.2345", "-1.2345", "-1.235"},
        {3, "9999.9995", "9999.999", "9999.999"},  // would round beyond the field
    };
    for (const Case& c : cases) {
        auto* edit = qobject_cast<QLineEdit*>(controls[c.control]->widget());
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, c.typed);
        EXPECT_EQ(edit->text().toStdString(), c.shown) << c.typed;
        window.updateAll();
        const Decimal stored = c.control == 0   ? Decimal(long(f.number))
                               : c.control == 1 ? Decimal(long(f.section))
                               : c.control == 2 ? f.index.value()
                                                : f.cramped.value();
        EXPECT_EQ(stored, num(c.stored)) << c.typed;
    }
    window.close();
}

TEST(NumberEntry, AValueTooWideForTheFieldIsNeverStoredByItsLowOrderDigits)
{
    // the text of an entry set from outside, past its validator
    Fields f;
    f.number = 7;
    f.index = num("2.5");
    ui::Window window(ui::WindowKind::Dialog, "Смета", 100, 60);
    ui::Control& number = ui::addNumberEntry(window, "?NUMBER", f.number, "@n_6");
    ui::Control& index = ui::addNumberEntry(window, "?INDEX", f.index, "@n-10.2");
    qobject_cast<QLineEdit*>(number.widget())->setText("40000");
    qobject_cast<QLineEdit*>(index.widget())->setText("123456.78");
    window.updateAll();
    EXPECT_EQ(f.number, 7);
    EXPECT_EQ(f.index.value(), num("2.5"));
}

}  // namespace
