#include "catalogue/import/text/csv_field.h"

void SetCsvField(CsvFieldValue& value, std::string_view bytes)
{
    bytes = bytes.substr(0, kCsvFieldWidth);
    while (!bytes.empty() && bytes.back() == ' ') bytes.remove_suffix(1);
    value.assign(bytes);
}

std::uint8_t NextCsvField(std::string_view line, std::int32_t& pos, CsvFieldValue& value)
{
    // the rest of the line is blank exactly when the position is past its last non-blank
    if (pos <= 0 || std::size_t(pos) > line.size()) {
        value.clear();
        pos = 0;
        return CsvField::None;
    }
    const std::size_t p = std::size_t(pos) - 1;
    if (line[p] == '"') {
        std::size_t q = p + 1;
        for (;;) {
            q = line.find('"', q);
            if (q == std::string_view::npos || q + 1 >= line.size() || line[q + 1] != '"') break;
            q += 2;  // a doubled quote stands for one
        }
        if (q == std::string_view::npos) {
            SetCsvField(value, line.substr(p + 1));
            pos = 0;
        } else {
            SetCsvField(value, line.substr(p + 1, q - p - 1));
            // one character after the closing quote is skipped, whatever it is
            pos = std::int32_t(q + 3);
        }
        ReplaceAll(value, "\"\"", "\"");
        return CsvField::Quoted;
    }
    const std::size_t m = line.find(',', p);
    if (m == std::string_view::npos) {
        SetCsvField(value, line.substr(p));
        pos = 0;
    } else {
        SetCsvField(value, line.substr(p, m - p));
        pos = std::int32_t(m + 2);
    }
    return CsvField::Unquoted;
}

void ReplaceAll(CsvFieldValue& value, std::string_view search, std::string_view replacement)
{
    if (search.empty()) return;
    const std::string& text = value;
    std::size_t found = text.find(search);
    if (found == std::string_view::npos) return;
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (; found != std::string_view::npos; found = text.find(search, from)) {
        out.append(text, from, found - from);
        out.append(replacement);
        from = found + search.size();
    }
    out.append(text, from);
    SetCsvField(value, out);
}
