#include "platform/core/picture_number.h"

#include "platform/core/picture_syntax.h"

#include <algorithm>
#include <string>

namespace picture_detail {

namespace {

// With a decimal comma the thousands are grouped with points, so the text stays readable
// and reads back.
QChar groupSeparator(const NumberPicture& picture) { return picture.decimalSeparator == u',' ? u'.' : u','; }

QString grouped(const QString& digits, QChar separator)
{
    QString text;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
        text += digits[i];
    }
    return text;
}

}  // namespace

std::optional<NumberPicture> parseNumberPicture(QStringView body)
{
    NumberPicture picture{u' ', true, 0, 0, u'.', false};
    qsizetype i = 0;
    // "-" asks for a leading minus, which every number picture shows (formatNumber).
    if (i < body.size() && body[i] == u'-') ++i;
    if (i < body.size() && (body[i] == u'_' || (body[i] == u'0' && i + 1 < body.size() && isAsciiDigit(body[i + 1])))) {
        picture.fill = body[i] == u'0' ? u'0' : u' ';
        picture.grouped = false;
        ++i;
    }
    std::optional<int> width = readCount(body, i);
    if (!width || *width == 0) return std::nullopt;
    picture.width = *width;
    if (i < body.size() && (body[i] == u'.' || body[i] == u'`')) {
        picture.decimalSeparator = body[i] == u'`' ? u',' : u'.';
        std::optional<int> places = readCount(body, ++i);
        if (!places) return std::nullopt;
        picture.places = *places;
    }
    if (i < body.size() && (body[i] == u'B' || body[i] == u'b')) {
        picture.blankWhenZero = true;
        ++i;
    }
    if (i != body.size()) return std::nullopt;
    return picture;
}

QString formatNumber(const NumberPicture& picture, const Decimal& value)
{
    std::optional<QString> fit = formatNumberFit(picture, value);
    return fit ? *std::move(fit) : formatNumberExact(picture, value);
}

// The text written once into its final length, with no big number and no growing string.
std::optional<QString> formatNumberFit(const NumberPicture& picture, const Decimal& value)
{
    const std::optional<std::int64_t> scaled = value.scaledRoundedFit(picture.places);
    if (!scaled) return std::nullopt;
    if (*scaled == 0 && picture.blankWhenZero) return QString(picture.width, u' ');

    const bool negative = *scaled < 0;
    char digits[20];
    const int count = decimal_detail::digitsOf(negative ? 0 - std::uint64_t(*scaled) : std::uint64_t(*scaled), digits);
    // at least one integer digit: zeros in front of a short fraction
    const int integerCount = std::max(count - picture.places, 1);
    const int leadingZeros = integerCount + picture.places - count;
    const int separators = picture.grouped ? (integerCount - 1) / 3 : 0;
    const int textSize = integerCount + separators + (picture.places > 0 ? 1 + picture.places : 0);
    const int signSize = negative ? 1 : 0;
    const int padding = std::max(picture.width - signSize - textSize, 0);

    QString out(padding + signSize + textSize, Qt::Uninitialized);
    QChar* at = out.data();
    if (negative && picture.fill == u'0') *at++ = u'-';
    for (int i = 0; i < padding; ++i) *at++ = picture.fill;
    if (negative && picture.fill != u'0') *at++ = u'-';
    const QChar groupSep = groupSeparator(picture);
    auto digitAt = [&](int i) { return QChar(i < leadingZeros ? u'0' : char16_t(digits[i - leadingZeros])); };
    for (int i = 0; i < integerCount; ++i) {
        if (separators > 0 && i > 0 && (integerCount - i) % 3 == 0) *at++ = groupSep;
        *at++ = digitAt(i);
    }
    if (picture.places > 0) {
        *at++ = picture.decimalSeparator;
        for (int i = integerCount; i < integerCount + picture.places; ++i) *at++ = digitAt(i);
    }
    return out;
}

QString formatNumberExact(const NumberPicture& picture, const Decimal& value)
{
    mpz_class scaled = value.scaledRounded(picture.places);
    if (scaled == 0 && picture.blankWhenZero) return QString(picture.width, u' ');

    // A negative value shows its leading minus also under a picture without "-": hiding the
    // sign would give a plainly wrong figure.
    bool negative = scaled < 0;
    QString digits = QString::fromStdString(mpz_class(abs(scaled)).get_str());
    if (digits.size() <= picture.places) digits = QString(picture.places + 1 - digits.size(), u'0') + digits;
    QString integerDigits = digits.left(digits.size() - picture.places);
    QString text = picture.grouped ? grouped(integerDigits, groupSeparator(picture)) : integerDigits;
    if (picture.places > 0) text += picture.decimalSeparator + digits.right(picture.places);

    QString sign = negative ? QStringLiteral("-") : QString();
    qsizetype shortBy = picture.width - sign.size() - text.size();
    if (shortBy <= 0) return sign + text;  // too wide: all its digits, the text grows
    QString padding(shortBy, picture.fill);
    return picture.fill == u'0' ? sign + padding + text : padding + sign + text;
}

namespace {

// The text of a number as Decimal::parse reads it: a leading minus, digits, one decimal
// separator as `isPoint` says, characters `isSkipped` says are left out; nullopt for any other
// character. `anyDigit` tells an entry of signs alone.
struct ScannedNumber {
    std::string number;
    bool anyDigit = false;
};

template <typename IsPoint, typename IsSkipped>
std::optional<ScannedNumber> scanNumber(QStringView t, IsPoint isPoint, IsSkipped isSkipped)
{
    ScannedNumber scanned;
    qsizetype i = 0;
    if (i < t.size() && t[i] == u'-') {
        scanned.number += '-';
        ++i;
    }
    bool pointSeen = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isAsciiDigit(c)) {
            scanned.number += char(c.unicode());
            scanned.anyDigit = true;
        } else if (isPoint(c) && !pointSeen) {
            scanned.number += '.';
            pointSeen = true;
        } else if (!isSkipped(c)) {
            return std::nullopt;
        }
    }
    if (!scanned.number.empty() && scanned.number.back() == '.') scanned.number.pop_back();
    return scanned;
}

}  // namespace

std::optional<Decimal> deformatNumber(const NumberPicture& picture, QStringView text)
{
    const QStringView t = text.trimmed();
    const std::optional<ScannedNumber> scanned = scanNumber(
        t, [&](QChar c) { return c == picture.decimalSeparator; },
        [&](QChar c) { return picture.grouped && c == groupSeparator(picture); });
    if (!scanned) return std::nullopt;
    if (t.isEmpty()) return Decimal();
    if (!scanned->anyDigit) return std::nullopt;
    return Decimal::parse(scanned->number);
}

std::optional<TypedNumber> readTypedNumber(const NumberPicture& picture, QStringView text)
{
    const QStringView t = text.trimmed();
    const std::optional<ScannedNumber> scanned = scanNumber(
        t, [&](QChar c) { return (c == u'.' || c == u',') && picture.places > 0; }, [](QChar) { return false; });
    if (!scanned) return std::nullopt;
    if (t.isEmpty()) return TypedNumber{true, Decimal()};  // a blank entry is 0
    if (!scanned->anyDigit) return TypedNumber{false, Decimal()};
    std::optional<Decimal> value = Decimal::parse(scanned->number);
    if (!value) return std::nullopt;
    return TypedNumber{true, *value};
}

QString typedNumberText(const NumberPicture& picture, const Decimal& value)
{
    return QString::fromStdString(value.toFixedString(picture.places)).replace(u'.', picture.decimalSeparator);
}

bool fitsNumberPicture(const NumberPicture& picture, const Decimal& value)
{
    NumberPicture shown = picture;
    shown.blankWhenZero = false;
    return formatNumber(shown, value).size() <= picture.width;
}

}  // namespace picture_detail
