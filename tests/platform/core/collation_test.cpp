#include "platform/core/collation.h"

#include "platform/core/codepage.h"
#include "tests/support/cp1251.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using collation::compare;
using collation::compareNoCase;
using collation::compareNoCaseUtf8;
using collation::weight;

int sign(int v) { return (v > 0) - (v < 0); }

// Every case pair of windows-1251, capital first.
const char* const kCasePairs[][2] = {
    {"A", "a"}, {"M", "m"}, {"Z", "z"},
    {"А", "а"}, {"П", "п"}, {"Я", "я"}, {"Ё", "ё"},
    {"Ґ", "ґ"}, {"Є", "є"}, {"І", "і"}, {"Ї", "ї"}, {"Ў", "ў"},
    {"Ђ", "ђ"}, {"Ѓ", "ѓ"}, {"Љ", "љ"}, {"Њ", "њ"}, {"Ќ", "ќ"}, {"Ћ", "ћ"}, {"Џ", "џ"}, {"Ј", "ј"}, {"Ѕ", "ѕ"},
};

unsigned char byteOf(const char* utf8)
{
    const std::string b = cp(utf8);
    EXPECT_EQ(b.size(), 1u) << utf8;
    return static_cast<unsigned char>(b[0]);
}

TEST(Collation, CasePairsFoldBothWays)
{
    for (const auto& pair : kCasePairs) {
        const unsigned char upper = byteOf(pair[0]);
        const unsigned char lower = byteOf(pair[1]);
        EXPECT_EQ(collation::toUpper(lower), upper) << pair[1];
        EXPECT_EQ(collation::toLower(upper), lower) << pair[0];
        EXPECT_EQ(collation::toUpper(upper), upper) << pair[0];
        EXPECT_EQ(collation::toLower(lower), lower) << pair[1];
    }
}

TEST(Collation, OnlyLettersChangeCase)
{
    // 26 Latin pairs, 32 Russian ones and the 15 others of the table above
    int upperChanges = 0;
    int lowerChanges = 0;
    for (int b = 0; b < 256; ++b) {
        const unsigned char c = static_cast<unsigned char>(b);
        upperChanges += collation::toUpper(c) != c;
        lowerChanges += collation::toLower(c) != c;
        EXPECT_EQ(collation::toLower(collation::toUpper(c)), collation::toLower(c)) << b;
    }
    EXPECT_EQ(upperChanges, 26 + 32 + 15);
    EXPECT_EQ(lowerChanges, 26 + 32 + 15);
}

TEST(Collation, TextsChangeCaseWithoutTheLocale)
{
    EXPECT_EQ(collation::toUpper(cp("Ёлка, ґанок і Љубав 5 µ")), cp("ЁЛКА, ҐАНОК І ЉУБАВ 5 µ"));
    EXPECT_EQ(collation::toLower(cp("ЁЛКА Ў")), cp("ёлка ў"));
    // characters outside windows-1251 stay, even when they have a case of their own
    EXPECT_EQ(collation::toUpper(QString::fromUtf8("ёж ω 日 ?")), QString::fromUtf8("ЁЖ ω 日 ?"));
    EXPECT_EQ(collation::toLower(QString::fromUtf8("ЇЖАК Ω")), QString::fromUtf8("їжак Ω"));
}

TEST(Collation, EveryByteHasItsOwnWeight)
{
    std::set<std::uint16_t> weights;
    for (int b = 0; b < 256; ++b) weights.insert(weight(static_cast<unsigned char>(b)));
    EXPECT_EQ(weights.size(), 256u);
}

// The group a character belongs to, judged by Unicode rather than by our table.
int groupOf(unsigned char b)
{
    const QChar c(codepage::cp1251ToUnicode(b));
    if (c.category() == QChar::Other_Control) return 0;
    if (c.category() == QChar::Separator_Space) return 1;
    if (c.isDigit()) return 3;
    if (c.isLetter() && c.script() == QChar::Script_Latin) return 4;
    if (c.isLetter() && c.script() == QChar::Script_Cyrillic) return 5;
    return 2;  // punctuation and symbols
}

TEST(Collation, GroupsComeInOrder)
{
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const auto ca = static_cast<unsigned char>(a);
            const auto cb = static_cast<unsigned char>(b);
            if (groupOf(ca) < groupOf(cb)) {
                EXPECT_LT(weight(ca), weight(cb)) << a << " " << b;
            }
        }
    }
}

TEST(Collation, AlphabetsInOrderWithCapitalAndSmallAdjacent)
{
    const char* const alphabets[] = {
        "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz",
        "АаБбВвГгҐґЃѓДдЂђЕеЁёЄєЖжЗзЅѕИиІіЇїЙйЈјКкЌќЛлЉљМмНнЊњОоПпРрСсТтЋћУуЎўФфХхЦцЧчЏџШшЩщЪъЫыЬьЭэЮюЯя",
    };
    for (const char* utf8 : alphabets) {
        const std::string letters = cp(utf8);
        for (std::size_t i = 1; i < letters.size(); ++i)
            EXPECT_EQ(weight(letters[i]), weight(letters[i - 1]) + 1) << i << " of " << utf8;
    }
}

TEST(Collation, CompareOrdersByWeights)
{
    const char* const ascending[][2] = {
        {"а", "Б"}, {"Е", "Ё"}, {"ё", "Ж"}, {"Г", "Ґ"}, {"ґ", "Д"}, {"И", "І"}, {"і", "Й"}, {"9", "A"}, {"z", "А"},
        {" ", "!"}, {"\t", " "}, {"№", "0"}, {"Смета 10", "Смета 9"}, {"абв", "абвг"}, {"ab\x01", "ab"},
    };
    for (const auto& c : ascending) {
        EXPECT_LT(compare(cp(c[0]), cp(c[1])), 0) << c[0] << " < " << c[1];
        EXPECT_GT(compare(cp(c[1]), cp(c[0])), 0) << c[1] << " > " << c[0];
    }
    EXPECT_LT(compare("A", "a"), 0);
    EXPECT_LT(compare(cp("Я"), cp("я")), 0);
}

TEST(Collation, TrailingBlanksAreIgnored)
{
    EXPECT_EQ(compare(cp("Смета"), cp("Смета   ")), 0);
    EXPECT_EQ(compare("", "   "), 0);
    EXPECT_EQ(compareNoCase(cp("смета "), cp("СМЕТА")), 0);
    EXPECT_NE(compare(" a", "a"), 0);
}

TEST(Collation, NoCaseKeepsDistinctLettersApart)
{
    EXPECT_EQ(compareNoCase(cp("ёлка"), cp("ЁЛКА")), 0);
    EXPECT_EQ(compareNoCase(cp("Ґанок Љ"), cp("ґАНОК љ")), 0);
    EXPECT_LT(compareNoCase(cp("елка"), cp("Ёлка")), 0);
    EXPECT_LT(compareNoCase(cp("Елка"), cp("ёлка")), 0);
    EXPECT_LT(compareNoCase(cp("ганок"), cp("Ґанок")), 0);
    EXPECT_LT(compareNoCase("b", "C"), 0);  // where a case-sensitive order would put C first
}

// Texts that mix scripts, cases, blanks, symbols and the unassigned byte 0x98.
const char* const kMixedTexts[] = {
    "", " ", "  ", "a", "A", "a ", "ab", "aB", "b", "Z", "0", "9", "10", "!", "№", "\t", "абв", "АБВ", "абв ",
    "абвг", "Ёлка", "елка", "Елка ", "ёлки", "жук", "Ґанок", "ганок", "Љубав", "лубав", "ў", "Ўх", "Я", "я ",
    "µ", "€ 5", "Смета 10", "Смета 9", "смета", "\xC2\x98", "a\xC2\x98", "a\x01", "Ѕ", "зз",
};

TEST(Collation, Utf8ComparisonAgreesWithWindowsComparison)
{
    for (const char* a : kMixedTexts) {
        for (const char* b : kMixedTexts) {
            EXPECT_EQ(sign(compareNoCaseUtf8(a, b)), sign(compareNoCase(cp(a), cp(b))))
                << "'" << a << "' vs '" << b << "'";
        }
    }
}

TEST(Collation, Utf8CharactersBeyondWindowsSortLastAndStayTotal)
{
    EXPECT_GT(compareNoCaseUtf8("日", "я"), 0);
    EXPECT_GT(compareNoCaseUtf8("ω", "Я"), 0);
    EXPECT_LT(compareNoCaseUtf8("ω", "日"), 0);  // by code point
    EXPECT_GT(compareNoCaseUtf8("ω", "Ω"), 0);  // no case folding outside windows-1251
    EXPECT_LT(compareNoCaseUtf8("日", "😀"), 0);
    EXPECT_GT(compareNoCaseUtf8("\xFF", "😀"), 0);  // a byte that is no UTF-8 sorts last

    std::vector<std::string> texts(std::begin(kMixedTexts), std::end(kMixedTexts));
    for (const char* odd : {"日", "ω", "Ω", "😀", "a日", "\xFF", "\xD0", "\xD0 ", "a\xE6\x97", "\xC0\x80", "\xED\xA0\x80"})
        texts.push_back(odd);
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            const int ab = sign(compareNoCaseUtf8(a, b));
            EXPECT_EQ(ab, -sign(compareNoCaseUtf8(b, a))) << a << " vs " << b;
            for (const std::string& c : texts) {
                if (ab <= 0 && compareNoCaseUtf8(b, c) <= 0) {
                    EXPECT_LE(compareNoCaseUtf8(a, c), 0) << a << " <= " << b << " <= " << c;
                }
            }
        }
    }
}

}  // namespace

TEST(Collation, UpperCasingUtf8FoldsAsTheTablesDoAndKeepsWhatTheyCannotHold)
{
    // every character windows-1251 holds, as the QString tables fold it
    QString all;
    for (int b = 1; b < 256; ++b) all += QChar(codepage::cp1251ToUnicode(static_cast<unsigned char>(b)));
    EXPECT_EQ(QString::fromStdString(collation::toUpperUtf8(all.toStdString())), collation::toUpper(all));
    const struct {
        std::string in, out;
    } cases[] = {
        {"ёлка Ёж", "ЁЛКА ЁЖ"},           // Ё is a letter of its own
        {"日本 ß", "日本 ß"},              // outside windows-1251: as it is
        {"a\xff\xd0z", "A\xff\xd0Z"},      // no valid UTF-8: the bytes as they are
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(collation::toUpperUtf8(c.in), c.out) << c.in;
}
