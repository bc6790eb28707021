#include "app/program/fonts.h"

#include <QFont>
#include <QFontInfo>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

TEST(Fonts, TheProgramsFontNamesResolveToInstalledFontsOfTheirPitch)
{
    registerFontSubstitutions();
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

}  // namespace
