#include "platform/ui/windows/application_setup.h"

#include "platform/ui/windows/fonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

namespace {

// Qt's own texts (file dialogs, the print preview, the MDI window menu): "qt_ru" brings the
// translations of every Qt module the program uses. Without them installed Qt stays English.
void loadQtTranslations()
{
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qt"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

void setUpApplication()
{
    registerFontSubstitutions();
    QApplication::setFont(programFont());
    loadQtTranslations();
}

}  // namespace ui
