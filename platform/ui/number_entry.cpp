#include "platform/ui/number_entry.h"

#include "platform/core/picture.h"

namespace ui {

namespace {

// What a number may hold while it is being typed: digits, a sign, separators, blanks.
bool couldBecomeNumber(const QString& text)
{
    for (QChar c : text)
        if (!c.isDigit() && c != u'-' && c != u'.' && c != u',' && c != u' ') return false;
    return true;
}

}  // namespace

bool NumberRange::holds(const Decimal& value) const
{
    const Decimal stored = places >= 0 ? value.rounded(places) : value;
    return !(stored < minimum) && !(stored > maximum);
}

QValidator::State validateNumber(const QString& input, QStringView picture, const NumberRange& range)
{
    Decimal v;
    if (!Deformat(input, picture, v)) return couldBecomeNumber(input) ? QValidator::Intermediate : QValidator::Invalid;
    if (!range.holds(v)) return QValidator::Invalid;
    // More places than the picture shows would be lost without a trace.
    Decimal shown;
    if (!Deformat(Format(v, picture), picture, shown) || shown != v) return QValidator::Invalid;
    return QValidator::Acceptable;
}

NumberValidator::NumberValidator(QString picture, NumberRange range, QObject* parent)
    : QValidator(parent), picture_(std::move(picture)), range_(std::move(range))
{
}

QValidator::State NumberValidator::validate(QString& input, int&) const
{
    return validateNumber(input, picture_, range_);
}

}  // namespace ui
