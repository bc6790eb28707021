#include "platform/ui/file_dialog.h"

#include "platform/ui/dialog_script.h"
#include "platform/ui/nested_dialog.h"
#include "platform/ui/window.h"

#include <QFileDialog>

namespace ui {

QString askOpenFileName(const QString& caption, const QString& directory, const QStringList& filters)
{
    if (auto scripted = takeScriptedFileName()) return *scripted;
    if (Scheduler::instance().currentId() == 0) return {};

    Window window(WindowKind::Dialog, caption, 300, 180);
    auto* dialog = new QFileDialog(window.content(), caption, directory);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);  // "*.CSV" also shows "a.csv", whatever the default
    if (!filters.isEmpty()) dialog->setNameFilters(filters);
    if (!runNestedDialog(window, *dialog)) return {};
    return dialog->selectedFiles().value(0);
}

}  // namespace ui
