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
QString formatNumber(const NumberPicture& picture, const Decimal& value);
std::optional<Decimal> deformatNumber(const NumberPicture& picture, QStringView text);

}  // namespace picture_detail
