#include "app/program/fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

void registerFontSubstitutions()
{
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList mono = {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")};
    for (const char* name : {"MS Sans Serif", "Arial Cyr", "Arial"})
        QFont::insertSubstitutions(QString::fromLatin1(name), sans);
    for (const char* name : {"Fixedsys", "Courier New Cyr", "Courier New"})
        QFont::insertSubstitutions(QString::fromLatin1(name), mono);
}
