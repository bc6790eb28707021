#include "output/exports/spreadsheet_program.h"

#include "platform/core/program_runner.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace {

const QString kMimeType = QStringLiteral("text/tab-separated-values");

// The value of `key` in `group` of a desktop-entry style file ("[group]", "key=value").
QString entryValue(const QString& path, const QString& group, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QTextStream in(&file);
    bool inGroup = false;
    const QString prefix = key + QLatin1Char('=');
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) inGroup = line == QLatin1Char('[') + group + QLatin1Char(']');
        else if (inGroup && line.startsWith(prefix)) return line.mid(prefix.size()).trimmed();
    }
    return {};
}

// The Exec line of the desktop's default application for the type, or empty.
QString defaultApplicationExec()
{
    QStringList lists;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << dir + QStringLiteral("/mimeapps.list");
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
        lists << dir + QStringLiteral("/mimeapps.list");
    for (const QString& list : lists) {
        const QString ids = entryValue(list, QStringLiteral("Default Applications"), kMimeType);
        for (const QString& id : ids.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString desktop = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id.trimmed());
            if (desktop.isEmpty()) continue;
            const QString exec = entryValue(desktop, QStringLiteral("Desktop Entry"), QStringLiteral("Exec"));
            if (!exec.isEmpty()) return exec;
        }
    }
    return {};
}

bool isLibreOffice(const QString& program)
{
    const QString name = QFileInfo(program).fileName();
    return name.startsWith(QStringLiteral("soffice")) || name.startsWith(QStringLiteral("libreoffice")) ||
           name == QStringLiteral("localc");
}

// LibreOffice reads the file with tabs, windows-1251 and Russian settings only when told, and
// takes "=СУММ" and decimal commas in formulas only under a Russian locale.
SpreadsheetCommand withLibreOfficeOptions(const QString& program, QStringList args, const QString& file)
{
    args << QStringLiteral("--language=ru") << QStringLiteral("--infilter=Text - txt - csv (StarCalc):9,34,34,1,,1049")
         << file;
    return {QStringLiteral("env"), QStringList{QStringLiteral("LC_ALL=ru_RU.UTF-8"), program} + args};
}

}  // namespace

SpreadsheetCommand spreadsheetCommand(const QString& file)
{
    const QStringList exec = QProcess::splitCommand(defaultApplicationExec());
    if (!exec.isEmpty()) {
        const QString program = QStandardPaths::findExecutable(exec.first());
        if (!program.isEmpty()) {
            QStringList args;
            // field codes: the file for the file and URL codes, nothing for the others
            for (const QString& arg : exec.mid(1)) {
                if (arg.size() == 2 && arg[0] == QLatin1Char('%')) continue;
                args << arg;
            }
            if (isLibreOffice(program)) return withLibreOfficeOptions(program, args, file);
            return {program, args << file};
        }
    }
    const QString calc = programs::findProgram({QStringLiteral("localc"), QStringLiteral("libreoffice"),
                                                QStringLiteral("soffice")});
    if (!calc.isEmpty()) {
        QStringList args;
        if (!QFileInfo(calc).fileName().startsWith(QStringLiteral("localc"))) args << QStringLiteral("--calc");
        return withLibreOfficeOptions(calc, args, file);
    }
    const QString other = programs::findProgram({QStringLiteral("gnumeric"), QStringLiteral("calligrasheets")});
    if (!other.isEmpty()) return {other, {file}};
    return {};
}

bool openInSpreadsheet(const QString& file)
{
    const SpreadsheetCommand command = spreadsheetCommand(file);
    return !command.program.isEmpty() && programs::start(command.program, command.args);
}
