#include "platform/core/picture.h"

#include "platform/core/dates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

// Month names here are the regional defaults: nothing in this test installs others.

namespace {

Decimal dec(const char* text) { return *Decimal::parse(text); }
QString u8(const char* text) { return QString::fromUtf8(text); }

// What is formatted: a number, a day number or a text.
using Input = std::variant<Decimal, QString>;
Input num(const char* text) { return dec(text); }
Input day(int y, int m, int d) { return Decimal(dates::fromYmd(y, m, d)); }
Input text(const char* utf8) { return u8(utf8); }

QString format(const Input& input, const QString& picture)
{
    if (auto* value = std::get_if<Decimal>(&input)) return Format(*value, picture);
    return Format(std::get<QString>(input), picture);
}

struct FormatCase {
    const char* picture;
    Input input;
    const char* text;
};

TEST(Picture, Format)
{
    const FormatCase cases[] = {
        // grouped, right-aligned, rounded half away from zero
        {"N9.2", num("1234.5"), " 1,234.50"},
        {"N9.2", num("0"), "     0.00"},
        {"N9.2", num("1.005"), "     1.01"},
        {"N9.2", num("-1.005"), "    -1.01"},
        {"N9.2", num("-0.004"), "     0.00"},
        {"N9.2", num("-5"), "    -5.00"},                 // no "-" in the picture: the minus shows still
        {"N9.2", num("123456.78"), "123,456.78"},          // too wide: all digits, the text grows
        {"n9.2", num("99999.994"), "99,999.99"},
        {"N-16.2", num("-1234567.891"), "   -1,234,567.89"},
        {"n-8.2", num("12.5"), "   12.50"},
        {"n-8.2", num("10000"), "10,000.00"},
        {"n-10.2", num("-999999.995"), "-1,000,000.00"},
        {"@n-10.2", num("0.5"), "      0.50"},
        {"n-13.4", num("-0.00005"), "      -0.0001"},
        {"N-9.4", num("1.1"), "   1.1000"},
        {"N9.4", num("0.1"), "   0.1000"},
        {"N12.4", num("1.15"), "      1.1500"},
        {"N4.2", num("12.5"), "12.50"},
        {"N6.2", num("1.5"), "  1.50"},
        {"N6.2", num("1000"), "1,000.00"},
        {"N15.2", num("12345678901234.565"), "12,345,678,901,234.57"},
        {"N3", num("18"), " 18"},
        {"N4", num("1234"), "1,234"},
        {"@N30.9   ", num("1.5"), "                   1.500000000"},
        {"N8.2", num("1234.567"), "1,234.57"},
        {"n-9.2", num("-1234.5"), "-1,234.50"},
        {"N11.2", num("98765.4"), "  98,765.40"},
        {"n-11.2", num("-12345.678"), " -12,345.68"},
        {"@n-11.3", num("2.0005"), "      2.001"},
        {"N12.2", num("0.125"), "        0.13"},
        {"@N-12.2", num("-1234567.5"), "-1,234,567.50"},
        {"N13.2", num("1000000"), " 1,000,000.00"},
        {"@n-13.2", num("-0.005"), "        -0.01"},
        {"@n-10.4", num("-1.23456"), "   -1.2346"},
        {"@n-14.2", num("1234567.891"), "  1,234,567.89"},
        {"n-15.2", num("-123456789012.345"), "-123,456,789,012.35"},
        {"N16.2", num("-0.5"), "           -0.50"},
        {"N17.2", num("12345678.9"), "    12,345,678.90"},
        {"n-19.2", num("12345678901.5"), "  12,345,678,901.50"},
        {"@n-17.2B", num("-75.625"), "           -75.63"},
        {"@n-17.2B", num("0.004"), "                 "},
        // "_" fill: leading blanks, no grouping
        {"N_3", num("7"), "  7"},
        {"N_3", num("1000"), "1000"},
        {"n_4", num("-12"), " -12"},
        {"N_6", num("123456"), "123456"},
        {"@n_14", num("20091016"), "      20091016"},
        {"N_3", num("2.5"), "  3"},
        {"@n_3", num("-2.5"), " -3"},
        {"N_4", num("1000"), "1000"},
        {"n_6", num("12345"), " 12345"},
        {"@n-_6", num("-42"), "   -42"},
        {"@n-_6", num("1234567"), "1234567"},
        {"@N_13B", num("1234567"), "      1234567"},
        {"@N_13B", num("0"), "             "},
        // "0" fill: leading zeros, the minus before them
        {"N03", num("8"), "008"},
        {"N04", num("8"), "0008"},
        {"N04", num("-8"), "-008"},
        {"N03", num("1000"), "1000"},
        // decimal comma and "B"
        {"N_9`3B", num("12.5"), "   12,500"},
        {"N_9`3B", num("0"), "         "},
        {"N_9`3B", num("0.0004"), "         "},
        {"n_9`2b", num("0"), "         "},
        {"N_9`2B", num("1234.5"), "  1234,50"},
        {"N_9`2B", num("1234567.891"), "1234567,89"},
        {"N_9`2", num("0"), "     0,00"},
        {"N_6`2", num("1.15"), "  1,15"},
        {"N9`2", num("1234.5"), " 1.234,50"},
        {"N17.2B", num("0"), "                 "},
        {"N17.2B", num("1234567.5"), "     1,234,567.50"},
        // a text under a number or date picture is read as a number first
        {"N9.2", text("12.5abc"), "    12.50"},
        {"N9.2B", text(""), "         "},
        {"d6", text("76038"), " 5/03/2009"},
        // strings: the first n characters, blank-padded
        {"@s5", text("abcdefg"), "abcde"},
        {"S5", text("ab"), "ab   "},
        {"@S8", text("Раздел 1 и 2"), "Раздел 1"},
        {"s6", num("12.5"), "12.5  "},
        {"@s1", text("Ёлка"), "Ё"},
        {"@s4", text("12"), "12  "},
        // dates
        {"d6", day(2009, 3, 5), " 5/03/2009"},
        {"D6", day(2009, 10, 16), "16/10/2009"},
        {"@D6", num("0"), "          "},
        {"d6", num("-5"), "          "},
        {"d6", num("4.9"), " 1/01/1801"},
        {"d1", day(2009, 3, 5), " 3/05/09"},
        {"d2", day(2009, 12, 5), "12/05/2009"},
        {"d3", day(2009, 3, 5), "Mar  5,2009"},
        {"d4", day(2009, 10, 16), "October 16, 2009"},
        {"d4", num("0"), "                  "},
        {"d5", day(2009, 3, 5), " 5/03/09"},
        {"d7", day(2000, 3, 5), " 5 Mar 00"},
        {"d8", day(2009, 10, 16), "16 Oct 2009"},
        // patterns
        {"pСтр <<<#p", num("5"), "Стр    5"},
        {"pСтр <<<#p", num("0"), "Стр    0"},
        {"pСтр <<<#p", num("1234"), "Стр 1234"},
        {"pСтр <<<#p", num("12345"), "Стр 12345"},
        {"pСтр <<<#p", num("-5"), "Стр   -5"},
        {"pСтр <<<#p", num("2.5"), "Стр    3"},
        {"@P###-##P", num("1234"), "012-34"},
        {"P<<<<P", num("0"), "    "},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(format(c.input, u8(c.picture)), u8(c.text)) << c.picture;

    // four-digit widths, as the import's text picture has
    EXPECT_EQ(Format(u8("Смета"), u"@S1000"), u8("Смета") + QString(995, u' '));
    EXPECT_EQ(Format(u8("Смета"), u"s200").size(), 200);
}

struct DeformatCase {
    const char* picture;
    const char* text;
    const char* value;  // nullptr: the text does not read under the picture
};

TEST(Picture, Deformat)
{
    const DeformatCase cases[] = {
        {"N9.2", " 1,234.50", "1234.5"},
        {"n-10.2", " -1,234.56", "-1234.56"},
        {"N9.2", "  0.125 ", "0.125"},  // exact: not rounded to the picture's places
        {"N9.2", "5.", "5"},
        {"N_9`2B", "  1234,50", "1234.5"},
        {"N_9`2B", "         ", "0"},
        {"N9`2", " 1.234,50", "1234.5"},
        {"N_9`3", "12.5", nullptr},  // the point is no separator of this picture
        {"N_3", "1,000", nullptr},   // no grouping without a fill
        {"N9.2", "12abc", nullptr},
        {"N9.2", "-", nullptr},
        {"N9.2", "1.2.3", nullptr},
        {"d6", " 5/03/2009", "76038"},
        {"D6", "5/3/2009", "76038"},
        {"d6", "", "0"},
        {"d6", "31/02/2009", nullptr},
        {"d6", "16/10/2009x", nullptr},
        {"d6", "16-10-2009", nullptr},
        {"d1", "10/16/09", "76263"},
        {"d2", "10/16/2009", "76263"},
        {"d3", "oct 16,2009", "76263"},
        {"d4", "October 16, 2009", "76263"},
        {"d5", "16/10/09", "76263"},
        {"d7", "16 Oct 09", "76263"},
        {"d8", "16 OCTOBER 2009", "76263"},
        {"d8", "16 Okt 2009", nullptr},
        {"pСтр <<<#p", "Стр    5", "5"},
        {"pСтр <<<#p", "Стр 12345", "12345"},
        {"pСтр <<<#p", "Стр   -5", "-5"},
        {"pСтр <<<#p", "Page 5", nullptr},
        {"@P###-##P", "012-34", "1234"},
    };
    for (const DeformatCase& c : cases) {
        Decimal value = dec("777");
        bool ok = Deformat(u8(c.text), u8(c.picture), value);
        EXPECT_EQ(ok, c.value != nullptr) << c.picture << " '" << c.text << "'";
        EXPECT_EQ(value, c.value ? dec(c.value) : dec("777")) << c.picture << " '" << c.text << "'";
    }

    // a two-digit year lies within a hundred years around this one
    Decimal value;
    ASSERT_TRUE(Deformat(QStringLiteral("01/01/") + QString::number(QDate::currentDate().year() % 100), u"d6", value));
    EXPECT_EQ(value, Decimal(dates::fromYmd(QDate::currentDate().year(), 1, 1)));
}

TEST(Picture, FormatThenDeformatGivesTheShownValue)
{
    struct Case {
        const char* picture;
        int places;
    };
    const Case pictures[] = {{"N9.2", 2}, {"n-10.2", 2}, {"N_9`3B", 3}, {"N_9`2", 2}, {"N04", 0}, {"N9`2", 2}, {"@n-13.4", 4},
                             {"@N-12.2", 2}, {"@n-17.2B", 2}, {"@n-_6", 0}, {"@N_13B", 0}, {"N_6`2", 2}, {"pСтр <<<#p", 0}};
    const char* values[] = {"0", "7", "1234.5", "-0.015", "-1234.5678", "987654321.987"};
    for (const Case& p : pictures) {
        for (const char* v : values) {
            QString shown = Format(dec(v), u8(p.picture));
            Decimal back;
            ASSERT_TRUE(Deformat(shown, u8(p.picture), back)) << p.picture << " '" << shown.toStdString() << "'";
            EXPECT_EQ(back, dec(v).rounded(p.places)) << p.picture << " " << v;
        }
    }
    for (const char* picture : {"d1", "d2", "d3", "d4", "d5", "d6", "d7", "d8"}) {
        for (DayNumber day : {dates::fromYmd(2009, 3, 5), dates::fromYmd(2024, 2, 29), dates::fromYmd(2000, 12, 31)}) {
            Decimal back;
            ASSERT_TRUE(Deformat(Format(Decimal(day), QString::fromLatin1(picture)), QString::fromLatin1(picture), back)) << picture;
            EXPECT_EQ(back, Decimal(day)) << picture;
        }
    }
}

// A negative value's minus stands just before its first digit, inside the text: in the blank
// place there or in a place of its own, also when the first digit shown is the pattern's first
// character. Without the minus the text is the value's positive one.
TEST(Picture, NegativePatternValuesKeepTheirMinusInsideTheText)
{
    const char* pictures[] = {"p#p",     "p##p",       "p###-##p", "p<<<p",   "p<<#p", "p<#p",  "p#<<p",
                              "p(###)p", "p<<<.##p",   "pN <<#p",  "p#-#p",   "P<P",   "p<<<<<<<<<#p",
                              "pСтр <<<#p"};
    const char* values[] = {"-1", "-7", "-42", "-305", "-1234", "-98765", "-1234567890123", "-0.5", "-2.5", "-0.4"};
    for (const char* picture : pictures) {
        const QString p = u8(picture);
        for (const char* v : values) {
            const Decimal value = dec(v).rounded(0);
            const QString shown = Format(dec(v), p);
            const QString positive = Format(-value, p);
            const QString where = QString::fromUtf8(picture) + " " + v + " '" + shown + "'";
            Decimal back;
            ASSERT_TRUE(Deformat(shown, p, back)) << where.toStdString();
            EXPECT_EQ(back, value) << where.toStdString();
            if (value == Decimal()) {
                EXPECT_EQ(shown, positive) << where.toStdString();
                continue;
            }
            const qsizetype firstDigit = std::find_if(shown.begin(), shown.end(), [](QChar c) { return c.isDigit(); }) -
                                         shown.begin();
            ASSERT_GE(firstDigit, 1) << where.toStdString();
            ASSERT_EQ(shown[firstDigit - 1], u'-') << where.toStdString();
            QString withoutMinus = shown;
            if (shown.size() == positive.size())
                withoutMinus[firstDigit - 1] = u' ';
            else
                withoutMinus.remove(firstDigit - 1, 1);
            EXPECT_EQ(withoutMinus, positive) << where.toStdString();
        }
    }
}

TEST(Picture, MalformedAndUnknownPicturesChangeNothing)
{
    const char* pictures[] = {"", "@", "  ", "N", "N-", "N_", "N0", "N0.2", "N9.", "N9,2", "N9.2x", "N9.2BB", "NB", "N123456",
                              "s", "s0", "s5x", "d", "d0", "d9", "d6x", "p###", "X9", "T1", "E12.2"};
    for (const char* picture : pictures) {
        const QString p = QString::fromLatin1(picture);
        EXPECT_EQ(Format(dec("12.5"), p), "12.5") << picture;
        EXPECT_EQ(Format(QStringLiteral("abc"), p), "abc") << picture;
        Decimal value = dec("777");
        EXPECT_FALSE(Deformat(QStringLiteral("12"), p, value)) << picture;
        EXPECT_EQ(value, dec("777")) << picture;
        EXPECT_EQ(DeformatText(QStringLiteral("12"), p), "12") << picture;
    }
}

TEST(Picture, DeformatText)
{
    EXPECT_EQ(DeformatText(QStringLiteral("16/10/2009"), u"@D6"), "76263");
    EXPECT_EQ(DeformatText(QStringLiteral(" 1,234.50"), u"N9.2"), "1234.5");
    EXPECT_EQ(DeformatText(QStringLiteral("  abc  "), u"@s20"), "  abc  ");  // strings stay as they are
    EXPECT_EQ(DeformatText(QStringLiteral("rubbish"), u"d6"), "rubbish");
}

}  // namespace
