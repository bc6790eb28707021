#include "platform/ui/windows/number_entry.h"

#include "platform/core/picture.h"

#include <QApplication>
#include <QFocusEvent>

namespace ui {

bool NumberRange::holds(const Decimal& value) const
{
    const Decimal stored = places >= 0 ? value.rounded(places) : value;
    return !(stored < minimum) && !(stored > maximum);
}

QValidator::State validateNumber(const QString& input, QStringView picture, const NumberRange& range)
{
    Decimal v;
    switch (ReadEntryText(input, picture, v)) {
    case EntryText::Invalid: return QValidator::Invalid;
    case EntryText::Incomplete: return QValidator::Intermediate;
    case EntryText::Value: break;
    }
    const Decimal stored = range.places >= 0 ? v.rounded(range.places) : v;
    return range.holds(v) && FitsPicture(stored, picture) ? QValidator::Acceptable : QValidator::Invalid;
}

NumberValidator::NumberValidator(QString picture, NumberRange range, QLineEdit* entry)
    : QValidator(entry), picture_(std::move(picture)), range_(std::move(range))
{
    if (entry) beepAtRefusedInput(*entry);
}

QValidator::State NumberValidator::validate(QString& input, int&) const
{
    return validateNumber(input, picture_, range_);
}

void beepAtRefusedInput(QLineEdit& entry)
{
    // a text set from outside is no input of the user's
    QObject::connect(&entry, &QLineEdit::inputRejected, &entry, [&entry] {
        if (entry.hasFocus()) QApplication::beep();
    });
}

QString numberTextFor(const QWidget& control, const QString& shown, QStringView picture)
{
    Decimal v;
    if (!control.hasFocus() || ReadEntryText(shown, picture, v) != EntryText::Value) return shown;
    return EditText(v, picture);
}

NumberEntry::NumberEntry(QString picture) : Entry(0), picture_(std::move(picture))
{
    setAlignment(Qt::AlignRight);
    // after the window has taken the change (its handler is connected when it adds the entry)
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (!hasFocus()) reshow(false);
    });
}

void NumberEntry::reshow(bool editing)
{
    Decimal v;
    if (ReadEntryText(text(), picture_, v) != EntryText::Value) return;
    const QString shown = editing ? EditText(v, picture_) : Format(v, picture_).trimmed();
    if (shown == text()) return;
    const bool modified = isModified();
    setText(shown);
    setModified(modified);
}

void NumberEntry::focusInEvent(QFocusEvent* event)
{
    reshow(true);
    Entry::focusInEvent(event);
}

void NumberEntry::focusOutEvent(QFocusEvent* event)
{
    Entry::focusOutEvent(event);
    // a change is shown as stored once the window has taken it (editingFinished)
    if (!isModified()) reshow(false);
}

}  // namespace ui
