#pragma once
// Date pictures D1 .. D8: a day number shown as
//   1 mm/dd/yy   2 mm/dd/yyyy   3 mmm dd,yyyy   4 mmmmmmmmm dd, yyyy
//   5 dd/mm/yy   6 dd/mm/yyyy   7 dd mmm yy     8 dd mmm yyyy
// with the regional month names (short for mmm, full for mmmmmmmmm) and the leading zero of
// the first number shown as a blank.

#include "platform/core/dates.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace picture_detail {

struct DatePicture {
    int layout;  // 1..8
};

// body: the picture after its type letter
std::optional<DatePicture> parseDatePicture(QStringView body);
// A day number that is no date (0, negative, beyond 9999) shows the picture's width of blanks.
QString formatDate(const DatePicture& picture, DayNumber day);
// Blank text gives 0. Blanks around the numbers and names do not matter; month names of
// either length and case are read; a two-digit year is taken within the 100 years that end
// 19 years after the current one.
std::optional<DayNumber> deformatDate(const DatePicture& picture, QStringView text);

}  // namespace picture_detail
