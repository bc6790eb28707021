// The program's one entry point: the data files and the settings file live in the current
// directory.
#include "app/frame/procedures.h"
#include "app/program/program_main.h"
#include "app/program/program_resources.h"
#include "data/error_reporter.h"
#include "data/globals.h"
#include "data/thread_data.h"
#include "platform/ui/dialogs/message_dialog.h"
#include "platform/ui/threads/scheduler.h"
#include "platform/ui/windows/application_setup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    loadProgramResources();
    ui::setUpApplication();
    ui::installMessageDialog();  // without it every message takes the answer Esc gives, unseen

    InitProgramGlobals();
    registerProgramProcedures();
    ui::Scheduler& scheduler = ui::Scheduler::instance();
    scheduler.setStateFactory([](int id) { return std::make_unique<ThreadData>(id); });
    scheduler.setOnAllEnded([] { QCoreApplication::quit(); });
    if (!scheduler.start(ProgramMain)) return 1;
    return app.exec();
}
