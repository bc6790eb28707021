#pragma once
// Small pieces shared by the parsers of the picture kinds.

#include <QStringView>

#include <optional>

namespace picture_detail {

inline bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Reads a count of one to five digits at text[i] (i moves past it); no value when there is no
// digit or more than five.
inline std::optional<int> readCount(QStringView text, qsizetype& i)
{
    qsizetype start = i;
    int count = 0;
    while (i < text.size() && isAsciiDigit(text[i]) && i - start < 5) count = count * 10 + (text[i++].unicode() - u'0');
    if (i == start || (i < text.size() && isAsciiDigit(text[i]))) return std::nullopt;
    return count;
}

}  // namespace picture_detail
