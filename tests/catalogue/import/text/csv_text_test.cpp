// The import's text functions alone: splitting lines into fields, decimal texts and their
// conversion, field pictures, the UTF-8 check, and the same checks as the fuzz target over a
// bounded run of random lines.
#include "catalogue/import/text/csv_field.h"
#include "catalogue/import/text/field_picture.h"
#include "catalogue/import/text/import_decimal.h"
#include "catalogue/import/text/utf8_check.h"
#include "platform/core/codepage.h"
#include "platform/core/dates.h"
#include "tests/support/cp1251.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Fields = std::vector<std::pair<std::string, int>>;

// Every field of the line with its code, then checks that the line ends with 0.
Fields split(std::string_view line)
{
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    Fields fields;
    std::int32_t pos = 1;
    CsvFieldValue value;
    for (std::size_t calls = 0; calls <= line.size() + 1; ++calls) {
        const int code = NextCsvField(line, pos, value);
        if (code == CsvField::None) {
            EXPECT_EQ(pos, 0);
            EXPECT_TRUE(value.empty());
            return fields;
        }
        fields.emplace_back(value, code);
    }
    ADD_FAILURE() << "no end after " << line.size() + 1 << " calls: " << line;
    return fields;
}

TEST(CsvSplit, FieldsOfLines)
{
    const std::string long4001(4001, 'x');
    const struct {
        std::string line;
        Fields fields;
    } cases[] = {
        {"a,,b", {{"a", 2}, {"", 2}, {"b", 2}}},
        {"a,b,", {{"a", 2}, {"b", 2}}},
        {"     ", {}},
        {"", {}},
        {R"("x,y",z)", {{"x,y", 1}, {"z", 2}}},
        {R"("say ""hi""",1)", {{R"(say "hi")", 1}, {"1", 2}}},
        {R"("abc"d,e)", {{"abc", 1}, {"", 2}, {"e", 2}}},
        {R"("abc)", {{"abc", 1}}},
        {R"( "abc",d)", {{R"( "abc")", 2}, {"d", 2}}},
        {R"("",x)", {{"", 1}, {"x", 2}}},
        {R"("a""",x)", {{R"(a")", 1}, {"x", 2}}},
        {",,,", {{"", 2}, {"", 2}, {"", 2}}},
        {R"("a", "b")", {{"a", 1}, {R"( "b")", 2}}},
        {R"(a,"b)", {{"a", 2}, {"b", 1}}},
        {"a;b;c", {{"a;b;c", 2}}},
        {"\"" + long4001 + "\",y", {{long4001.substr(0, 4000), 1}, {"y", 2}}},
        {long4001 + ",y", {{long4001.substr(0, 4000), 2}, {"y", 2}}},
        // cut first, then the doubled quotes made single
        {"\"" + std::string(3999, 'q') + "\"\"\"\"\"", {{std::string(3999, 'q') + "\"", 1}}},
    };
    for (const auto& c : cases) EXPECT_EQ(split(c.line), c.fields) << c.line;
}

TEST(CsvSplit, APositionPastTheLineIsItsEnd)
{
    CsvFieldValue value("old");
    std::int32_t pos = 7;
    EXPECT_EQ(NextCsvField("abc", pos, value), CsvField::None);
    EXPECT_EQ(pos, 0);
    EXPECT_TRUE(value.empty());
}

TEST(CsvSplit, ReplaceAllDoesNotSearchItsReplacementAgain)
{
    const struct {
        const char* value;
        const char* search;
        const char* replacement;
        const char* result;
    } cases[] = {
        {R"(a""b"""")", R"("")", R"(")", R"(a"b"")"},
        {"aaa", "a", "aa", "aaaaaa"},
        {"abc", "", "x", "abc"},
        {"abc", "x", "y", "abc"},
        {"a-b-c", "-", "", "abc"},
    };
    for (const auto& c : cases) {
        CsvFieldValue v(c.value);
        ReplaceAll(v, c.search, c.replacement);
        EXPECT_EQ(v, c.result) << c.value;
    }
    CsvFieldValue full(4000, 'a');
    ReplaceAll(full, "a", "bb");
    EXPECT_EQ(full, std::string(4000, 'b'));  // cut to the width
}

// NormalizeDecimal, then the conversion to a DECIMAL(7,2) field.
TEST(ImportDecimal, TextsToFieldValues)
{
    const struct {
        std::string field;
        const char* normalized;
        bool fits;
        std::int64_t scaled;
    } cases[] = {
        {"12,50", "12.50", true, 1250},
        {",5", "0.5", true, 50},
        {"12,", "12", true, 1200},
        {"1,234,56", "1.23456", true, 123},
        {"-3,5", "-3.5", true, -350},
        {" -3,5", "-3.5", true, -350},
        {cp("1 250,00 р."), "1250.00", true, 125000},
        {"abc", "", true, 0},
        {"", "", true, 0},
        {"1,5E-2", "1.5E-2", true, 2},   // 0.015 rounds away from zero
        {"1e", "1e", true, 100},
        {".", ".", true, 0},
        {"e5", "e5", true, 0},
        {"1e2", "1e2", true, 10000},
        {"1e400000", "1e400000", false, 0},
        {"1e-400000", "1e-400000", true, 0},
        {"0e999999999999999999", "0e999999999999999999", true, 0},
        {"99999,99", "99999.99", true, 9999999},
        {"99999,995", "99999.995", false, 0},
        {"123456,78", "123456.78", false, 0},
        {"-0,005", "-0.005", true, -1},
        {"-0,004", "-0.004", true, 0},
        {"0,005", "0.005", true, 1},
        {"1.2.3", "1.23", true, 123},
        {"12-5", "125", true, 12500},
        {"1e+-5", "1e+5", false, 0},
        {"000000000123,4", "000000000123.4", true, 12340},
    };
    for (const auto& c : cases) {
        const std::string normalized = NormalizeDecimal(c.field);
        EXPECT_EQ(normalized, c.normalized) << c.field;
        std::int64_t scaled = -99;
        EXPECT_EQ(ConvertDecimal(normalized, 7, 2, scaled), c.fits) << c.field;
        if (c.fits) {
            EXPECT_EQ(scaled, c.scaled) << c.field;
        }
    }
}

TEST(FieldPicture, DeformatsOnceAndLeavesTextAndNumbersAlone)
{
    const QString day = QString::number(dates::fromYmd(2009, 2, 1));
    const struct {
        const char* picture;
        const char* text;
        QString result;
    } cases[] = {
        {"@D6", "01/02/2009", day},
        {"@d6   ", "01/02/2009", day},
        {"@S1000", "01/02/2009", "01/02/2009"},
        {"@N30.9", "1 250,00", "1 250,00"},
        {"@n10", "12,5", "12,5"},
        {"D6", "01/02/2009", "01/02/2009"},  // no "@": left as it is
        {"@D6", "not a date", "not a date"},
        {"@X9", "abc", "abc"},
        {"", "abc", "abc"},
    };
    for (const auto& c : cases) {
        CsvFieldValue v(c.text);
        std::uint8_t done = 0;
        ApplyFieldPicture(v, done, QString::fromLatin1(c.picture));
        EXPECT_EQ(codepage::fromCp1251(v), c.result) << c.picture << " " << c.text;
        EXPECT_EQ(done, 1);
    }
    CsvFieldValue v("01/02/2009");
    std::uint8_t done = 1;
    ApplyFieldPicture(v, done, QStringLiteral("@D6"));
    EXPECT_EQ(v, "01/02/2009");
}

bool checked(std::string_view bytes, std::size_t chunk)
{
    Utf8Check check;
    for (std::size_t i = 0; i < bytes.size(); i += chunk) check.feed(bytes.substr(i, chunk));
    return check.finish();
}

TEST(Utf8CheckTest, WellFormedOnlyWhateverTheChunks)
{
    const struct {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {"plain ASCII, long enough for the word steps", true},
        {"Кладка кирпича, м³ — 12,50 €", true},
        {"\xF0\x9F\x98\x80", true},         // outside the BMP
        {"\xEF\xBB\xBF" "abc", true},       // the byte-order mark is a character too
        {cp("Кладка"), false},              // windows-1251
        {"\xC0\xAF", false},                // overlong
        {"\xE0\x80\xAF", false},            // overlong
        {"\xED\xA0\x80", false},            // surrogate
        {"\xF4\x90\x80\x80", false},        // above U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"abc\xD0", false},                 // cut at the end
        {"\x80", false},
        {std::string(1000, 'a') + "\xE2\x82", false},
    };
    for (const auto& c : cases)
        for (std::size_t chunk : {std::size_t(1), std::size_t(3), std::size_t(4096)})
            EXPECT_EQ(checked(c.bytes, chunk), c.valid) << c.bytes << " by " << chunk;
}

// The fuzz target's checks over a fixed run of random lines: weighted to the characters that
// matter to the splitter and the numbers, with Cyrillic and other high bytes.
TEST(ImportTextRandom, BoundedRandomLines)
{
    std::mt19937 random(20260412);
    const std::string alphabet = "\"\"\"\",,,,   0123456789eE--+..;ab\xC0\xE0\xFF\xD0\xB0\x80";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 60);
    std::uniform_int_distribution<int> anyByte(0, 255);
    // Qt's decoder as the second opinion: every ill-formed sequence turned into a NUL, which then
    // outnumber the line's own; an ASCII byte after the line makes a sequence cut at its end one
    const QStringDecoder::Flags flags = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInvalidToNull;
    for (int n = 0; n < 100000; ++n) {
        std::string line;
        const int len = n % 1000 == 0 ? 16001 : length(random);
        for (int i = 0; i < len; ++i)
            line += n % 7 == 0 ? char(anyByte(random)) : alphabet[pick(random)];

        std::string_view clipped = line;
        while (!clipped.empty() && clipped.back() == ' ') clipped.remove_suffix(1);
        std::int32_t pos = 1;
        CsvFieldValue value;
        std::size_t calls = 0;
        for (; calls <= clipped.size() + 1; ++calls) {
            const std::int32_t before = pos;
            if (NextCsvField(clipped, pos, value) == CsvField::None) break;
            ASSERT_TRUE(pos == 0 || pos > before) << "line " << n;
            const std::string normalized = NormalizeDecimal(value);
            ASSERT_EQ(normalized.find_first_not_of("0123456789.eE+-"), std::string::npos) << "line " << n;
            std::int64_t scaled = 0;
            if (ConvertDecimal(normalized, 7, 2, scaled)) {
                ASSERT_LT(std::abs(scaled), 10'000'000);
            }
        }
        ASSERT_LE(calls, clipped.size() + 1) << "line " << n;

        Utf8Check check;
        check.feed(line);
        QStringDecoder decoder(QStringDecoder::Utf8, flags);
        const QString decoded = decoder.decode(QByteArray::fromStdString(line + 'A'));
        const bool wellFormed = decoded.count(QChar(0)) == qsizetype(std::count(line.begin(), line.end(), '\0'));
        ASSERT_EQ(check.finish(), wellFormed) << "line " << n;
    }
}

}  // namespace
