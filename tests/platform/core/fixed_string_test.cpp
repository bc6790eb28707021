#include "platform/core/fixed_string.h"

#include "tests/support/cp1251.h"

#include <gtest/gtest.h>

namespace {

TEST(FixedString, CutsAndPadsToItsWidth)
{
    FixedString<5> s = "Смета номер";
    EXPECT_EQ(s.bytes(), cp("Смета"));
    s = "ab";
    EXPECT_EQ(s.bytes(), "ab   ");
    EXPECT_EQ(s.clipped(), "ab");
    EXPECT_EQ(s.toQString(), QStringLiteral("ab"));

    FixedString<3> narrow;
    EXPECT_TRUE(narrow.isBlank());
    narrow = FixedString<8>("абвгд");
    EXPECT_EQ(narrow.bytes(), cp("абв"));
}

TEST(FixedString, ComparesWithoutTrailingBlanksAcrossWidths)
{
    EXPECT_TRUE(FixedString<4>("ab") == FixedString<10>("ab   "));
    EXPECT_FALSE(FixedString<4>("ab") == FixedString<10>("abc"));
    EXPECT_FALSE(FixedString<4>("ab") == FixedString<10>(" ab"));
    EXPECT_TRUE(FixedString<4>("Ёж") == QString::fromUtf8("Ёж  "));
    EXPECT_FALSE(FixedString<4>("Ёж") == QString::fromUtf8("Еж"));
    EXPECT_TRUE(FixedString<4>() == FixedString<1>(""));
}

TEST(FixedString, KeepsWhatWindows1251Holds)
{
    FixedString<4> s = "a日€";
    EXPECT_EQ(s.bytes(), "a?\x88 ");

    FixedString<2> unassigned;
    unassigned.setBytes("\x98");
    EXPECT_EQ(unassigned.toQString(), QString(QChar(0x98)));
    FixedString<2> copy = unassigned.toQString();
    EXPECT_EQ(copy.bytes(), "\x98 ");
}

}  // namespace
