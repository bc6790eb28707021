#include "platform/ui/windows/fonts.h"

#include <QFontInfo>
#include <QString>
#include <QStringList>

namespace ui {

void registerFontSubstitutions()
{
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList mono = {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")};
    for (const char* name : {"MS Sans Serif", "Arial Cyr", "Arial"})
        QFont::insertSubstitutions(QString::fromLatin1(name), sans);
    for (const char* name : {"Fixedsys", "Courier New Cyr", "Courier New"})
        QFont::insertSubstitutions(QString::fromLatin1(name), mono);
}

QFont programFont()
{
    const QFont windows(QStringLiteral("MS Sans Serif"), 8);
    QFont font(QFontInfo(windows).family(), windows.pointSize());
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace ui
