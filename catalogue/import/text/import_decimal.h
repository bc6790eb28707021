#pragma once
// Numbers in import files: a field's text made ready for conversion (a decimal comma becomes a
// point, everything but the number's characters is dropped), then converted exactly to a stored
// decimal field.

#include <cstdint>
#include <string>
#include <string_view>

// From the field's text (trailing blanks ignored): leading blanks are skipped, the first comma
// becomes the decimal point ("0." when it comes first, nothing when it comes last), and only the
// digits, the first point, the first "e" or "E", a minus sign at the start or right after that
// "e", and a plus sign right after it are kept.
std::string NormalizeDecimal(std::string_view fieldText);

// The longest well-formed number at the start of `text` (sign, digits with an optional point,
// an optional exponent; no digits gives 0), rounded half away from zero to `places` and scaled
// by 10^places. False when it needs more than `precision` digits: the value does not fit.
bool ConvertDecimal(std::string_view text, int precision, int places, std::int64_t& scaled);
