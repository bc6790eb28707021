#include "platform/core/codepage.h"

#include "tests/support/cp1251.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace {

// glibc's conversion of bytes, or nothing when iconv refuses them.
std::optional<std::string> iconvConvert(const char* to, const char* from, std::string_view bytes)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv has no " << from << " -> " << to;
        return std::nullopt;
    }
    std::string in(bytes);
    std::string out(bytes.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::string allBytes()
{
    std::string s;
    for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
    return s;
}

struct Table {
    const char* iconvName;
    char16_t (*toUnicode)(unsigned char);
    unsigned char (*fromUnicode)(char32_t);
};

const Table kTables[] = {
    {"CP1251", codepage::cp1251ToUnicode, codepage::unicodeToCp1251},
    {"CP866", codepage::cp866ToUnicode, codepage::unicodeToCp866},
};

TEST(CodePage, UpperHalvesMatchIconv)
{
    for (const Table& t : kTables) {
        for (int b = 0x80; b <= 0xFF; ++b) {
            const unsigned char byte = static_cast<unsigned char>(b);
            const std::optional<std::string> utf8 = iconvConvert("UTF-8", t.iconvName, std::string(1, char(byte)));
            if (!utf8) {
                // iconv knows no character for 0x98 of windows-1251; we keep the byte as U+0098
                EXPECT_EQ(std::string_view(t.iconvName), "CP1251") << b;
                EXPECT_EQ(b, 0x98);
                EXPECT_EQ(t.toUnicode(byte), u'\u0098');
                EXPECT_EQ(t.fromUnicode(U'\u0098'), byte);
                continue;
            }
            const QString expected = QString::fromUtf8(*utf8);
            ASSERT_EQ(expected.size(), 1) << t.iconvName << " " << b;
            EXPECT_EQ(t.toUnicode(byte), expected[0].unicode()) << t.iconvName << " " << b;
            EXPECT_EQ(t.fromUnicode(expected[0].unicode()), byte) << t.iconvName << " " << b;
        }
    }
}

TEST(CodePage, CharactersTheCodePageLacksBecomeQuestionMarks)
{
    struct Case {
        const char* utf8;
        std::string (*encode)(QStringView);
        std::string expected;
    };
    const Case cases[] = {
        {"a日b", codepage::toCp1251, "a?b"},
        {"€", codepage::toCp1251, "\x88"},
        {"😀", codepage::toCp1251, "?"},  // one character, two UTF-16 units
        {"€", codepage::toCp866, "?"},
        {"ІіҐґ", codepage::toCp866, "????"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.encode(QString::fromUtf8(c.utf8)), c.expected) << c.utf8;
    EXPECT_FALSE(codepage::representableInCp1251(U'日'));
    EXPECT_TRUE(codepage::representableInCp1251(U'?'));
    EXPECT_TRUE(codepage::representableInCp1251(U'\u0098'));
}

TEST(CodePage, EveryByteSurvivesARoundTrip)
{
    const std::string bytes = allBytes();
    EXPECT_EQ(codepage::toCp1251(codepage::fromCp1251(bytes)), bytes);
    EXPECT_EQ(codepage::toCp866(codepage::fromCp866(bytes)), bytes);
    EXPECT_EQ(codepage::utf8ToCp1251(codepage::cp1251ToUtf8(bytes)), bytes);
}

TEST(CodePage, RussianTextBetweenWindowsAndDos)
{
    const char* sentence = "Съешь же ещё этих мягких французских булок, да выпей ЧАЮ! Ёж №5.";
    const std::string cp1251 = cp(sentence);
    const std::optional<std::string> dos = iconvConvert("CP866", "UTF-8", sentence);
    ASSERT_TRUE(dos);
    EXPECT_EQ(codepage::cp1251ToCp866(cp1251), *dos);
    EXPECT_EQ(codepage::cp866ToCp1251(*dos), cp1251);
    EXPECT_EQ(codepage::cp1251ToUtf8(cp1251), sentence);
}

}  // namespace
