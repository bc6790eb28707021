#include "platform/ui/dialogs/printer.h"

#include "platform/ui/dialogs/nested_dialog.h"
#include "platform/ui/dialogs/printer_setup_dialog.h"
#include "platform/ui/threads/scheduler.h"
#include "platform/ui/windows/window.h"

#include <QPrinter>

namespace ui {

QPrinter& programPrinter()
{
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

void printerSetup()
{
    if (Scheduler::instance().currentId() == 0) return;  // the main stack cannot wait
    Window window(WindowKind::Dialog, QString(), 0, 0);
    auto* dialog = new PrinterSetupDialog(programPrinter(), window.content());
    window.setTitle(dialog->windowTitle());
    if (runNestedDialog(window, *dialog)) dialog->applyTo(programPrinter());
}

}  // namespace ui
