#pragma once
// Number pictures: N[-][_|0]width[(.|`)places][B].

#include "platform/core/decimal.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace picture_detail {

struct NumberPicture {
    QChar fill;              // ' ' or '0'
    bool grouped;            // thousands grouped: only without a fill character
    int width;               // the value is right-aligned in it
    int places;
    QChar decimalSeparator;  // '.', or ',' for "`"
    bool blankWhenZero;      // "B"
};

// body: the picture after its type letter
std::optional<NumberPicture> parseNumberPicture(QStringView body);
// The value under the picture: in 64 bits where the value fits, else through the exact path.
QString formatNumber(const NumberPicture& picture, const Decimal& value);
// The two paths alone: the 64-bit one gives nothing for a value that does not fit.
std::optional<QString> formatNumberFit(const NumberPicture& picture, const Decimal& value);
QString formatNumberExact(const NumberPicture& picture, const Decimal& value);
std::optional<Decimal> deformatNumber(const NumberPicture& picture, QStringView text);

// A number as the user types it into an entry: an optional leading minus and digits, with one
// decimal separator, "." or ",", where the picture has places. No value: the text can never
// become such a number; one not complete: not yet one ("-", ","). A blank text is 0.
struct TypedNumber {
    bool complete;
    Decimal value;
};
std::optional<TypedNumber> readTypedNumber(const NumberPicture& picture, QStringView text);
// The value as the entry edits it: plain digits with the picture's places and separator.
QString typedNumberText(const NumberPicture& picture, const Decimal& value);
// The value, rounded to the picture's places, fits in the picture's width.
bool fitsNumberPicture(const NumberPicture& picture, const Decimal& value);

}  // namespace picture_detail
