#include "output/exports/xslt_run.h"

#include "data/globals.h"
#include "platform/core/message.h"
#include "platform/core/program_runner.h"
#include "platform/ui/threads/scheduler.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <memory>

namespace {

QString stylesheetOf(int mode)
{
    switch (mode) {
        case 1: return PREF::XSL11file.toQString();
        case 2: return PREF::XSL7file.toQString();
        case 3: return PREF::XSLA11file.toQString();
        case 4: return PREF::XSLA7file.toQString();
        default: return {};
    }
}

// A processor named without a folder is looked for beside the program first, where the
// project's own is built, then on the search path.
QString processorProgram(const QString& name)
{
    if (name.contains(QLatin1Char('/'))) return name;
    const QString beside = QStandardPaths::findExecutable(name, {QCoreApplication::applicationDirPath()});
    return beside.isEmpty() ? name : beside;
}

void warn(const QString& text)
{
    Message(text, QStringLiteral("Экспорт"), MessageIcon::Exclamation, BUTTON_OK);
}

}  // namespace

void RunXsltProcessor(int mode)
{
    // the setting is a command line: the program and its own arguments
    QStringList command = QProcess::splitCommand(PREF::XMLprocessor.toQString());
    if (command.isEmpty()) return;
    const QString program = processorProgram(command.takeFirst());
    command << QStringLiteral("smeta.xml");
    if (const QString stylesheet = stylesheetOf(mode).trimmed(); !stylesheet.isEmpty()) command << stylesheet;

    // shared with the callback, which may come after this thread has gone
    struct Run {
        bool ended = false;
        int exitCode = 0;
    };
    auto run = std::make_shared<Run>();
    ui::Scheduler& scheduler = ui::Scheduler::instance();
    const ui::ThreadId me = scheduler.currentId();
    const bool started = programs::start(program, command, [run, me](int exitCode) {
        run->ended = true;
        run->exitCode = exitCode;
        ui::Scheduler::instance().wake(me);
    });
    if (!started) {
        warn(QStringLiteral("Не удалось запустить XSLT-процессор."));
        return;
    }
    scheduler.waitUntil([run] { return run->ended; });
    if (run->exitCode != 0)
        warn(QStringLiteral("XSLT-процессор завершился с ошибкой (код %1).").arg(run->exitCode));
}
