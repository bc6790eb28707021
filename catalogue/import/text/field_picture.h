#pragma once
// A source field's picture applied to its text: formatted text (a date, a time, a pattern)
// turned back into the stored value, once per field.

#include "catalogue/import/text/csv_field.h"

#include <QString>

#include <cstdint>

// When `done` is 0: a picture of type S or N, one without a leading "@", a malformed one or a
// text that does not read under it leaves `value` as it is; any other picture de-formats it
// (a date becomes its day number). Then `done` := 1, so that a field feeding several targets
// is de-formatted once.
void ApplyFieldPicture(CsvFieldValue& value, std::uint8_t& done, const QString& picture);
