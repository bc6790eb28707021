#include "platform/core/picture_date.h"

#include "platform/core/collation.h"
#include "platform/core/picture_syntax.h"
#include "platform/core/regional.h"

namespace picture_detail {

namespace {

// M month, D day, y two-digit year, Y four-digit year, m short month name, F full month name;
// any other character stands for itself.
constexpr QStringView kLayouts[] = {
    u"M/D/y", u"M/D/Y", u"m D,Y", u"F D, Y", u"D/M/y", u"D/M/Y", u"D m y", u"D m Y",
};

QStringView layoutOf(const DatePicture& picture) { return kLayouts[picture.layout - 1]; }

int fieldWidth(QChar code)
{
    switch (code.unicode()) {
    case u'M':
    case u'D':
    case u'y': return 2;
    case u'm': return 3;
    case u'Y': return 4;
    case u'F': return 9;
    default: return 1;
    }
}

// The first number of a date shows its leading zero as a blank.
QString twoDigits(int n, bool& firstNumber)
{
    QString text = QString::number(n).rightJustified(2, firstNumber ? u' ' : u'0');
    firstNumber = false;
    return text;
}

void skipBlanks(QStringView text, qsizetype& i)
{
    while (i < text.size() && text[i] == u' ') ++i;
}

// One to maxDigits digits at text[i]; the count of digits read, 0 when there was none.
int readNumber(QStringView text, qsizetype& i, int maxDigits, int& value)
{
    int count = 0;
    value = 0;
    while (i < text.size() && count < maxDigits && isAsciiDigit(text[i])) {
        value = value * 10 + (text[i++].unicode() - u'0');
        ++count;
    }
    return count;
}

// The longest month name, full or short, in either case at upperText[i].
bool readMonthName(const QString& upperText, qsizetype& i, int& month)
{
    qsizetype longest = 0;
    for (int m = 1; m <= 12; ++m) {
        for (const QString& name : {regional::monthFull(m), regional::monthShort(m)}) {
            QString upperName = collation::toUpper(name);
            if (upperName.size() > longest && QStringView(upperText).mid(i).startsWith(upperName)) {
                longest = upperName.size();
                month = m;
            }
        }
    }
    i += longest;
    return longest > 0;
}

int fullYear(int twoDigitYear)
{
    int thisYear = QDate::currentDate().year();
    int year = thisYear - thisYear % 100 + twoDigitYear;
    if (year > thisYear + 19) year -= 100;
    if (year <= thisYear - 81) year += 100;
    return year;
}

}  // namespace

std::optional<DatePicture> parseDatePicture(QStringView body)
{
    qsizetype i = 0;
    std::optional<int> layout = readCount(body, i);
    if (!layout || *layout < 1 || *layout > 8 || i != body.size()) return std::nullopt;
    return DatePicture{*layout};
}

QString formatDate(const DatePicture& picture, DayNumber day)
{
    QStringView layout = layoutOf(picture);
    int y = 0, m = 0, d = 0;
    if (!dates::toYmd(day, y, m, d)) {
        int width = 0;
        for (QChar code : layout) width += fieldWidth(code);
        return QString(width, u' ');
    }
    QString text;
    bool firstNumber = true;
    for (QChar code : layout) {
        switch (code.unicode()) {
        case u'M': text += twoDigits(m, firstNumber); break;
        case u'D': text += twoDigits(d, firstNumber); break;
        case u'y': text += twoDigits(y % 100, firstNumber); break;
        case u'Y': text += QString::number(y); break;
        case u'm': text += regional::monthShort(m); break;
        case u'F': text += regional::monthFull(m); break;
        default: text += code;
        }
    }
    return text;
}

std::optional<DayNumber> deformatDate(const DatePicture& picture, QStringView text)
{
    if (text.trimmed().isEmpty()) return 0;
    const QString upperText = collation::toUpper(text.toString());
    int y = 0, m = 0, d = 0;
    qsizetype i = 0;
    for (QChar code : layoutOf(picture)) {
        skipBlanks(text, i);
        switch (code.unicode()) {
        case u'M':
            if (!readNumber(text, i, 2, m)) return std::nullopt;
            break;
        case u'D':
            if (!readNumber(text, i, 2, d)) return std::nullopt;
            break;
        case u'y':
            if (!readNumber(text, i, 2, y)) return std::nullopt;
            y = fullYear(y);
            break;
        case u'Y': {
            int digits = readNumber(text, i, 4, y);
            if (digits == 0) return std::nullopt;
            if (digits <= 2) y = fullYear(y);
            break;
        }
        case u'm':
        case u'F':
            if (!readMonthName(upperText, i, m)) return std::nullopt;
            break;
        case u' ': break;
        default:
            if (i >= text.size() || text[i] != code) return std::nullopt;
            ++i;
        }
    }
    skipBlanks(text, i);
    DayNumber day = dates::fromYmd(y, m, d);
    if (i != text.size() || day == 0) return std::nullopt;
    return day;
}

}  // namespace picture_detail
