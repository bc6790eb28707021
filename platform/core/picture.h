#pragma once
// The platform's pictures (FORMAT and DEFORMAT). A picture may start with "@"; its letters
// may be of either case; trailing blanks are ignored.
//   number   N[-][_|0]width[(.|`)places][B]   e.g. "N9.2", "n-10.2", "N_3", "N04", "N_9`2B"
//   string   Swidth                           e.g. "s20"
//   date     D1 .. D8                         e.g. "d6"
//   pattern  p...p                            e.g. "pСтр <<<#p"
// Formatting a value with a malformed or unknown picture gives the value as plain text.

#include "platform/core/decimal.h"

#include <QString>
#include <QStringView>

// Number, date (the value is a day number) and pattern pictures; a string picture shows
// the value's plain text.
QString Format(const Decimal& value, QStringView picture);
// String pictures; a number, date or pattern picture first converts the text with
// textToNumber.
QString Format(const QString& text, QStringView picture);

// Number text back to its value (exact, not rounded to the picture's places), date text back
// to its day number, pattern text back to its digits; blank text gives 0. False, and the
// value unchanged, for a malformed or unknown picture, a string picture, or a text that
// does not read under the picture.
bool Deformat(const QString& text, QStringView picture, Decimal& value);
// The de-formatted value as plain number text (a date as its day number); a string picture,
// a malformed or unknown picture, or a text that does not read under the picture gives the
// text unchanged.
QString DeformatText(const QString& text, QStringView picture);

// An entry's text under its picture. A number is edited as plain digits with the picture's
// places (EditText), so that the grouping the picture shows is never read while it is edited;
// what the entry holds is read back as the text the picture shows, or else as typed: a ","
// is a decimal separator as "." is where the picture has places, a whole-number picture takes
// no separator, and more places than the picture shows stay for the rounding when stored.
// Other pictures: Format without its alignment blanks, and Deformat.
enum class EntryText { Invalid, Incomplete, Value };
EntryText ReadEntryText(const QString& text, QStringView picture, Decimal& value);
QString EditText(const Decimal& value, QStringView picture);
// The value as a number picture shows it (rounded to its places) fits in the picture's width;
// true for other pictures.
bool FitsPicture(const Decimal& value, QStringView picture);
