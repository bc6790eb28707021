#include "platform/core/regional.h"

#include "platform/core/dates.h"
#include "platform/core/picture.h"

#include <gtest/gtest.h>

namespace {

QString u8(const char* text) { return QString::fromUtf8(text); }

// Runs first (declaration order): nothing is set yet.
TEST(Regional, EnglishDefaultsUntilTheProgramSetsItsOwn)
{
    EXPECT_EQ(regional::monthShort(1), "Jan");
    EXPECT_EQ(regional::monthFull(12), "December");
    EXPECT_EQ(regional::buttonCaption(regional::Button::Yes), "&Yes");
    EXPECT_EQ(regional::buttonCaption(regional::Button::Help), "&Help");
    EXPECT_EQ(regional::amPm(true), "PM");
    EXPECT_EQ(ErrorText(5), ErrorText(12345));

    regional::installProgramSettings();

    EXPECT_EQ(regional::buttonCaption(regional::Button::Ok), "&OK");
    EXPECT_EQ(regional::buttonCaption(regional::Button::Yes), u8("&Да"));
    EXPECT_EQ(regional::buttonCaption(regional::Button::No), u8("&Нет"));
    EXPECT_EQ(regional::buttonCaption(regional::Button::Abort), u8("Пре&рвать"));
    EXPECT_EQ(regional::buttonCaption(regional::Button::Help), u8("&Справка"));
    EXPECT_EQ(regional::monthShort(5), u8("Май"));
    EXPECT_EQ(regional::monthFull(10), u8("октября"));
    EXPECT_EQ(regional::amPm(false), u8("ут"));
    EXPECT_EQ(regional::amPm(true), u8("вч"));
    EXPECT_EQ(regional::setting(QStringLiteral("CLACHARSET")), "WINDOWS");
    EXPECT_EQ(regional::setting(QStringLiteral("claCase")), "WINDOWS");
}

TEST(Regional, ErrorTexts)
{
    regional::installProgramSettings();
    EXPECT_EQ(ErrorText(2), u8("Файл не найден"));
    EXPECT_EQ(ErrorText(5), u8("Нет доступа"));
    EXPECT_EQ(ErrorText(40), u8("Недопустимое повторение ключа"));
    EXPECT_EQ(ErrorText(801), u8("Не найдена переменная"));
    // codes without a text of the program keep the platform's own
    EXPECT_EQ(ErrorText(6), "Unknown error");
    EXPECT_EQ(ErrorText(-1), "Unknown error");

    regional::set(QStringLiteral("clamsg6"), QStringLiteral("Six"));
    EXPECT_EQ(ErrorText(6), "Six");
}

TEST(Regional, DatePicturesUseTheMonthNames)
{
    regional::installProgramSettings();
    const DayNumber day = dates::fromYmd(2009, 10, 16);
    EXPECT_EQ(Format(Decimal(day), u"d4"), u8("октября 16, 2009"));
    EXPECT_EQ(Format(Decimal(day), u"@D8"), u8("16 Окт 2009"));

    Decimal back;
    ASSERT_TRUE(Deformat(u8("16 ОКТЯБРЯ 2009"), u"d8", back));
    EXPECT_EQ(back, Decimal(day));
    ASSERT_TRUE(Deformat(u8("Май  5,2009"), u"d3", back));
    EXPECT_EQ(back, Decimal(dates::fromYmd(2009, 5, 5)));
}

TEST(Regional, ListsAndOutOfRangeEntries)
{
    regional::installProgramSettings();
    EXPECT_EQ(regional::monthShort(0), "");
    EXPECT_EQ(regional::monthFull(13), "");

    // a shorter list leaves the entries it lacks at their defaults
    regional::set(QStringLiteral("CLAMON"), QStringLiteral("I,II"));
    EXPECT_EQ(regional::monthShort(2), "II");
    EXPECT_EQ(regional::monthShort(3), "Mar");
    regional::installProgramSettings();
    EXPECT_EQ(regional::monthShort(3), u8("Мар"));
}

}  // namespace
