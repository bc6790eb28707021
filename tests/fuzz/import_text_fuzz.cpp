// libFuzzer target over the import's text functions (build with -DTOLVEX_FUZZ=ON and clang):
// the splitter over lines of any bytes, ReplaceAll, NormalizeDecimal, the conversion, field
// pictures and the UTF-8 check and decoding. AddressSanitizer and UBSan catch overreads, the
// checks below wrong answers, and -timeout a conversion that is not quick (a wall clock inside
// one run would trip on a busy machine).
//
//   import_text_fuzz -max_len=16001 -timeout=1 -max_total_time=600 corpus/ tests/fuzz/seeds/

#include "catalogue/import/text/csv_field.h"
#include "catalogue/import/text/field_picture.h"
#include "catalogue/import/text/import_decimal.h"
#include "catalogue/import/text/utf8_check.h"
#include "platform/core/codepage.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        __builtin_trap();
        (void)what;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // the splitter, with every field normalised and converted
    std::string_view line = input.substr(0, 16000);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    std::int32_t pos = 1;
    CsvFieldValue value;
    std::size_t calls = 0;
    for (;; ++calls) {
        check(calls <= line.size() + 1, "the splitter ends within length + 1 calls");
        if (NextCsvField(line, pos, value) == CsvField::None) break;
        check(value.size() <= 4000, "no field over 4000 characters");
        const std::string normalized = NormalizeDecimal(value);
        check(normalized.find_first_not_of("0123456789.eE+-") == std::string::npos, "only a number's characters");
        std::int64_t scaled = 0;
        if (ConvertDecimal(normalized, 7, 2, scaled)) check(scaled > -10'000'000 && scaled < 10'000'000, "in range");
    }

    // the input's first bytes as a search, the rest as the value
    if (size > 2) {
        const std::size_t n = data[0] % 4 + 1;
        CsvFieldValue v;
        SetCsvField(v, input.substr(std::min(size, n + 1)));
        ReplaceAll(v, input.substr(1, std::min(n, size - 1)), input.substr(0, 2));
        check(v.size() <= 4000, "ReplaceAll keeps the width");
    }

    // an "@" picture of up to 30 characters over the rest as text
    if (size > 0) {
        const std::size_t n = std::min<std::size_t>(data[0] % 31, size - 1);
        const QString picture = u'@' + codepage::fromCp1251(input.substr(1, n));
        CsvFieldValue v;
        SetCsvField(v, input.substr(1 + n));
        std::uint8_t done = 0;
        ApplyFieldPicture(v, done, picture);
        check(done == 1, "the picture is marked applied");
    }

    // the UTF-8 check, whole and in two pieces, and decoding
    Utf8Check whole;
    whole.feed(input);
    Utf8Check pieces;
    pieces.feed(input.substr(0, size / 2));
    pieces.feed(input.substr(size / 2));
    check(whole.finish() == pieces.finish(), "the check does not depend on the pieces");
    if (whole.finish()) check(codepage::utf8ToCp1251(input).size() <= size, "one byte per character at most");
    return 0;
}
