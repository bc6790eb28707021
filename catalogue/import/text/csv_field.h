#pragma once
// Splitting a line of an import file into its comma-separated fields, in place: each call takes
// the next field from the line and costs only that field.

#include <cstdint>
#include <string>
#include <string_view>

// The text of one field in windows-1251: at most kCsvFieldWidth characters (longer fields are
// cut), without trailing blanks.
using CsvFieldValue = std::string;
inline constexpr std::size_t kCsvFieldWidth = 4000;

// `value` := the bytes, cut to the width and without trailing blanks.
void SetCsvField(CsvFieldValue& value, std::string_view bytes);

namespace CsvField {
inline constexpr std::uint8_t None = 0, Quoted = 1, Unquoted = 2;
}

// The field of `line` (without trailing blanks) that begins at the 1-based position `pos`, into
// `value`; `pos` moves to where the next field begins, or 0 when the line has no more. A
// position past the end of the line is its end. Returns a CsvField code.
std::uint8_t NextCsvField(std::string_view line, std::int32_t& pos, CsvFieldValue& value);

// Every occurrence of `search` in `value`, from left to right, replaced by `replacement`; a
// replacement is not searched again. The value stays cut to its width.
void ReplaceAll(CsvFieldValue& value, std::string_view search, std::string_view replacement);
