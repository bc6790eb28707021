#pragma once
// Numeric entries: an entry bound to a DECIMAL(p,s) or integer variable takes only the values
// that variable holds and its picture shows, as the spin does. The typed value may show more
// places than the picture: it is rounded half away from zero when stored.

#include "platform/core/decimal.h"
#include "platform/core/picture.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/window.h"

#include <QLineEdit>
#include <QString>
#include <QValidator>

#include <limits>

namespace ui {

// The range of values a variable holds (its places: those the value is stored with).
struct NumberRange {
    Decimal minimum;
    Decimal maximum;
    int places = -1;  // -1: compared as typed

    // DECIMAL(P,S): 10^(P-S) less one unit of its last place, both ways.
    template <int P, int S>
    static NumberRange of(const DecimalField<P, S>&)
    {
        std::int64_t units = 1;
        for (int i = 0; i < P; ++i) units *= 10;
        const Decimal limit = Decimal::fromScaled(units - 1, S);
        return {Decimal() - limit, limit, S};
    }
    template <class Int>
        requires std::is_integral_v<Int>
    static NumberRange of(const Int&)
    {
        return {Decimal(static_cast<long>(std::numeric_limits<Int>::min())),
                Decimal(static_cast<long>(std::numeric_limits<Int>::max())), 0};
    }

    // The value as it would be stored lies within the range.
    bool holds(const Decimal& value) const;
};

// What a numeric text is worth under the picture (ReadEntryText): Acceptable when it reads as
// a number that the range holds and the picture's width shows once it is rounded as stored;
// Intermediate while it may still become one; Invalid otherwise.
QValidator::State validateNumber(const QString& input, QStringView picture, const NumberRange& range);

// Refuses typing that would make the entry's text a number its variable cannot hold; an entry
// it is made for beeps at what it refuses (a keystroke, or a paste as a whole).
class NumberValidator : public QValidator {
public:
    NumberValidator(QString picture, NumberRange range, QLineEdit* entry);
    State validate(QString& input, int& pos) const override;

private:
    QString picture_;
    NumberRange range_;
};

// The system beep at input the entry's validator refuses while the user types or pastes.
void beepAtRefusedInput(QLineEdit& entry);

// The text a number entry or spin shows for a value shown as the picture gives it (`shown`):
// while the control has the focus, the plain text the value is edited in.
QString numberTextFor(const QWidget& control, const QString& shown, QStringView picture);

// A number entry shows its value as the picture does, and while it has the focus as it is
// edited (the picture's grouping would otherwise be typed around and read back).
class NumberEntry : public Entry {
public:
    explicit NumberEntry(QString picture);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // the text as the value reads now, the change (if any) kept a change
    void reshow(bool editing);

    QString picture_;
};

namespace number_entry_detail {
template <int P, int S>
Decimal valueOf(const DecimalField<P, S>& v)
{
    return v.value();
}
template <class Int>
Decimal valueOf(const Int& v)
{
    return Decimal(static_cast<long>(v));
}
template <int P, int S>
void store(DecimalField<P, S>& v, const Decimal& d)
{
    v.checkedStore(d);
}
template <class Int>
void store(Int& v, const Decimal& d)
{
    checkedAssignInteger<Int>(d, v);
}
}  // namespace number_entry_detail

// An entry bound to a numeric variable, shown with the picture (without the blanks that align
// it, which the entry's own alignment replaces and which the typing would only get in).
template <class Field>
Control& addNumberEntry(Window& window, const QString& name, Field& variable, const QString& picture, int number = 0)
{
    auto* entry = new NumberEntry(picture);
    entry->setValidator(new NumberValidator(picture, NumberRange::of(variable), entry));
    Control& c = window.add(CREATE::Entry, name, entry, number);
    c.bind([&variable, picture] { return Format(number_entry_detail::valueOf(variable), picture).trimmed(); },
           [&variable, picture](const QString& t) {
               Decimal d;
               if (ReadEntryText(t, picture, d) == EntryText::Value) number_entry_detail::store(variable, d);
           });
    c.setPicture(picture);
    return c;
}

}  // namespace ui
