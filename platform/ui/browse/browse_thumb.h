#pragma once
// Where the scroll bar's thumb of a browse list stands (0 at the top, 100 at the bottom) for
// the highlighted row's key between the first and the last row's keys, and the key a dragged
// thumb stands for. Texts are placed by the collation weights of their first characters,
// case-free, numbers by their value.

#include "platform/core/decimal.h"

#include <QString>

namespace ui::thumb {

inline constexpr int kTop = 0;
inline constexpr int kMiddle = 50;
inline constexpr int kBottom = 100;

int alphabeticPercent(const QString& text, const QString& first, const QString& last);
QString alphabeticAt(int percent, const QString& first, const QString& last);

int numericPercent(const Decimal& value, const Decimal& first, const Decimal& last);
Decimal numericAt(int percent, const Decimal& first, const Decimal& last);

}  // namespace ui::thumb
