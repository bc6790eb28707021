#include "platform/ui/windows/fonts.h"

#include <QFont>
#include <QFontInfo>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(Fonts, TheProgramsFontNamesResolveToInstalledFontsOfTheirPitch)
{
    ui::registerFontSubstitutions();
    struct Case {
        const char* name;
        bool fixedPitch;
    };
    const QStringList installed = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                                   QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")};
    for (const Case& c : {Case{"MS Sans Serif", false}, Case{"Arial Cyr", false}, Case{"Fixedsys", true},
                          Case{"Courier New Cyr", true}}) {
        SCOPED_TRACE(c.name);
        const QFontInfo info(QFont(QString::fromLatin1(c.name), 10));
        EXPECT_TRUE(installed.contains(info.family())) << info.family().toStdString();
        EXPECT_EQ(info.fixedPitch(), c.fixedPitch);
    }
}

// The start-up every program and window test shares gives each window that font at its size,
// whatever fontconfig's default is.
TEST(Fonts, WindowsHaveTheFamilyThatStandsInForMsSansSerifAtItsSize)
{
    const QWidget window;
    const QFontInfo info(window.font());
    EXPECT_EQ(info.family(), QFontInfo(QFont(QStringLiteral("MS Sans Serif"))).family());
    EXPECT_FALSE(info.fixedPitch());
    EXPECT_EQ(window.font().pointSize(), 8);
}

}  // namespace
