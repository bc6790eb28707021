#include "platform/core/picture_pattern.h"

#include "platform/core/picture_syntax.h"

#include <algorithm>
#include <string>

namespace picture_detail {

namespace {

bool isDigitPlace(QChar c) { return c == u'#' || c == u'<'; }
bool isPatternDelimiter(QChar c) { return c == u'p' || c == u'P'; }

QStringView withoutTrailingBlanks(QStringView text)
{
    while (!text.isEmpty() && text.back() == u' ') text.chop(1);
    return text;
}

}  // namespace

std::optional<PatternPicture> parsePatternPicture(QStringView picture)
{
    if (picture.size() < 2 || !isPatternDelimiter(picture.front()) || !isPatternDelimiter(picture.back()))
        return std::nullopt;
    return PatternPicture{picture.mid(1, picture.size() - 2).toString()};
}

QString formatPattern(const PatternPicture& picture, const Decimal& value)
{
    const QString& layout = picture.layout;
    qsizetype places = std::count_if(layout.begin(), layout.end(), isDigitPlace);
    mpz_class whole = value.scaledRounded(0);
    QString digits = QString::fromStdString(mpz_class(abs(whole)).get_str());
    if (digits.size() < places) digits.prepend(QString(places - digits.size(), u'0'));

    QString text;
    qsizetype next = 0;             // the next digit to place
    bool leadingZero = true;
    qsizetype firstShown = -1;      // where the first digit shown stands
    qsizetype lastBlankPlace = -1;  // where the last digit place shown as a blank stands
    for (QChar c : layout) {
        if (!isDigitPlace(c)) {
            text += c;
            continue;
        }
        // the first digit place also takes the digits the pattern has no place for
        qsizetype count = next == 0 ? digits.size() - places + 1 : 1;
        for (qsizetype k = 0; k < count; ++k) {
            QChar digit = digits[next++];
            leadingZero = leadingZero && digit == u'0';
            if (leadingZero && c == u'<') {
                lastBlankPlace = text.size();
                text += u' ';
            } else {
                if (firstShown < 0) firstShown = text.size();
                text += digit;
            }
        }
    }
    // A negative value shows its minus before its first digit: in the blank place just before
    // it when there is one, else in a place of its own (the text grows by one).
    if (whole < 0 && firstShown >= 0) {
        if (lastBlankPlace >= 0 && lastBlankPlace == firstShown - 1)
            text[lastBlankPlace] = u'-';
        else
            text.insert(firstShown, u'-');
    }
    return text;
}

std::optional<Decimal> deformatPattern(const PatternPicture& picture, QStringView text)
{
    if (text.trimmed().isEmpty()) return Decimal();
    QStringView layout = picture.layout;
    auto first = std::find_if(layout.begin(), layout.end(), isDigitPlace);
    auto last = std::find_if(layout.rbegin(), layout.rend(), isDigitPlace).base();
    if (first == layout.end()) last = first;
    QStringView prefix = layout.first(first - layout.begin());
    QStringView middle = layout.sliced(first - layout.begin(), last - first);
    // stored texts lose their trailing blanks
    QStringView suffix = withoutTrailingBlanks(layout.sliced(last - layout.begin()));
    QStringView t = withoutTrailingBlanks(text);
    if (!t.startsWith(prefix)) return std::nullopt;
    t = t.sliced(prefix.size());
    if (!t.endsWith(suffix)) return std::nullopt;
    t.chop(suffix.size());

    std::string number;
    for (QChar c : t) {
        if (isAsciiDigit(c))
            number += char(c.unicode());
        else if (c == u'-' && number.empty())
            number += '-';
        else if (c != u' ' && (isDigitPlace(c) || !middle.contains(c)))
            return std::nullopt;
    }
    if (number.empty()) return Decimal();
    return Decimal::parse(number);
}

}  // namespace picture_detail
