#include "platform/core/picture.h"

#include "platform/core/picture_date.h"
#include "platform/core/picture_number.h"
#include "platform/core/picture_pattern.h"
#include "platform/core/picture_syntax.h"

#include <limits>
#include <variant>

using namespace picture_detail;

namespace {

struct StringPicture {
    int width;
};

using Picture = std::variant<NumberPicture, StringPicture, DatePicture, PatternPicture>;

std::optional<StringPicture> parseStringPicture(QStringView body)
{
    qsizetype i = 0;
    std::optional<int> width = readCount(body, i);
    if (!width || *width == 0 || i != body.size()) return std::nullopt;
    return StringPicture{*width};
}

template <class Kind>
std::optional<Picture> widened(const std::optional<Kind>& kind)
{
    if (!kind) return std::nullopt;
    return Picture(*kind);
}

std::optional<Picture> parsePicture(QStringView picture)
{
    while (!picture.isEmpty() && picture.back() == u' ') picture.chop(1);
    if (picture.startsWith(u'@')) picture = picture.sliced(1);
    if (picture.isEmpty()) return std::nullopt;
    QStringView body = picture.sliced(1);
    switch (picture.front().toUpper().unicode()) {
    case u'N': return widened(parseNumberPicture(body));
    case u'S': return widened(parseStringPicture(body));
    case u'D': return widened(parseDatePicture(body));
    case u'P': return widened(parsePatternPicture(picture));
    default: return std::nullopt;
    }
}

QString plainText(const Decimal& value) { return QString::fromStdString(value.toPlainString()); }

// A value that is no day number shows as no date.
DayNumber dayOf(const Decimal& value)
{
    mpz_class day = value.integerPart();
    return day > 0 && day <= std::numeric_limits<DayNumber>::max() ? DayNumber(day.get_si()) : 0;
}

QString formatString(const StringPicture& picture, const QString& text)
{
    return text.leftJustified(picture.width, u' ', true);
}

QString formatValue(const Picture& picture, const Decimal& value)
{
    if (auto* number = std::get_if<NumberPicture>(&picture)) return formatNumber(*number, value);
    if (auto* date = std::get_if<DatePicture>(&picture)) return formatDate(*date, dayOf(value));
    if (auto* pattern = std::get_if<PatternPicture>(&picture)) return formatPattern(*pattern, value);
    return formatString(std::get<StringPicture>(picture), plainText(value));
}

}  // namespace

QString Format(const Decimal& value, QStringView picture)
{
    std::optional<Picture> p = parsePicture(picture);
    return p ? formatValue(*p, value) : plainText(value);
}

QString Format(const QString& text, QStringView picture)
{
    std::optional<Picture> p = parsePicture(picture);
    if (!p) return text;
    if (auto* string = std::get_if<StringPicture>(&*p)) return formatString(*string, text);
    return formatValue(*p, textToNumber(text));
}

bool Deformat(const QString& text, QStringView picture, Decimal& value)
{
    std::optional<Picture> p = parsePicture(picture);
    if (!p) return false;
    std::optional<Decimal> result;
    if (auto* number = std::get_if<NumberPicture>(&*p)) result = deformatNumber(*number, text);
    if (auto* date = std::get_if<DatePicture>(&*p)) {
        if (std::optional<DayNumber> day = deformatDate(*date, text)) result = Decimal(*day);
    }
    if (auto* pattern = std::get_if<PatternPicture>(&*p)) result = deformatPattern(*pattern, text);
    if (!result) return false;
    value = *result;
    return true;
}

QString DeformatText(const QString& text, QStringView picture)
{
    Decimal value;
    return Deformat(text, picture, value) ? plainText(value) : text;
}

EntryText ReadEntryText(const QString& text, QStringView picture, Decimal& value)
{
    std::optional<Picture> p = parsePicture(picture);
    auto* number = p ? std::get_if<NumberPicture>(&*p) : nullptr;
    if (!number) return Deformat(text, picture, value) ? EntryText::Value : EntryText::Invalid;
    // the text the picture shows reads as its value, grouping and all
    if (std::optional<Decimal> shown = deformatNumber(*number, text);
        shown && formatNumber(*number, *shown).trimmed() == text.trimmed()) {
        value = *shown;
        return EntryText::Value;
    }
    std::optional<TypedNumber> typed = readTypedNumber(*number, text);
    if (!typed) return EntryText::Invalid;
    if (!typed->complete) return EntryText::Incomplete;
    value = typed->value;
    return EntryText::Value;
}

QString EditText(const Decimal& value, QStringView picture)
{
    std::optional<Picture> p = parsePicture(picture);
    if (auto* number = p ? std::get_if<NumberPicture>(&*p) : nullptr) {
        if (number->blankWhenZero && value.scaledRounded(number->places) == 0) return QString();
        return typedNumberText(*number, value);
    }
    return Format(value, picture).trimmed();
}

bool FitsPicture(const Decimal& value, QStringView picture)
{
    std::optional<Picture> p = parsePicture(picture);
    auto* number = p ? std::get_if<NumberPicture>(&*p) : nullptr;
    return !number || fitsNumberPicture(*number, value);
}
