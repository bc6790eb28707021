#include "platform/ui/printer.h"

#include "platform/ui/scheduler.h"
#include "platform/ui/window.h"

#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrinter>

#include <memory>

namespace ui {

QPrinter& programPrinter()
{
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

void printerSetup()
{
    QWidget* parent = Window::mdiArea() ? Window::mdiArea()->window() : nullptr;
    auto* dialog = new QPageSetupDialog(&programPrinter(), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const ThreadId thread = Scheduler::instance().currentId();
    auto done = std::make_shared<bool>(false);
    QObject::connect(dialog, &QDialog::finished, [thread, done](int) {
        *done = true;
        Scheduler::instance().wake(thread);
    });
    dialog->setWindowModality(Qt::NonModal);
    dialog->show();
    while (!*done) Scheduler::instance().block();
}

}  // namespace ui
