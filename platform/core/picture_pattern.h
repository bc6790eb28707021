#pragma once
// Pattern pictures p...p: between the two p's, '#' is a digit, '<' a digit shown as a blank
// while it is a leading zero, any other character stands for itself ("pСтр <<<#p").

#include "platform/core/decimal.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace picture_detail {

struct PatternPicture {
    QString layout;  // the characters between the p's
};

// picture: the whole picture, both p's included
std::optional<PatternPicture> parsePatternPicture(QStringView picture);
// The value rounded to a whole number; one with more digits than the pattern has places
// shows all of them (the extra ones at the first digit place). A negative value's minus stands
// just before its first digit shown, in a blank place there or in a place of its own.
QString formatPattern(const PatternPicture& picture, const Decimal& value);
// The digits of a text formatted with the pattern; blank text gives 0.
std::optional<Decimal> deformatPattern(const PatternPicture& picture, QStringView text);

}  // namespace picture_detail
