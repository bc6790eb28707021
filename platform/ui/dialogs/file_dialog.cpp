#include "platform/ui/dialogs/file_dialog.h"

#include "platform/ui/dialogs/nested_dialog.h"
#include "platform/ui/threads/dialog_script.h"
#include "platform/ui/windows/window.h"

#include <QFileDialog>

namespace ui {

namespace {

QString askFileName(const QString& caption, const QString& directory, const QStringList& filters,
                    QFileDialog::AcceptMode mode, const QString& defaultSuffix)
{
    if (auto scripted = takeScriptedFileName()) return *scripted;
    if (Scheduler::instance().currentId() == 0) return {};

    Window window(WindowKind::Dialog, caption, 300, 180);
    auto* dialog = new QFileDialog(window.content(), caption, directory);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setDefaultSuffix(defaultSuffix);
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);  // "*.CSV" also shows "a.csv", whatever the default
    if (!filters.isEmpty()) dialog->setNameFilters(filters);
    if (!runNestedDialog(window, *dialog)) return {};
    return dialog->selectedFiles().value(0);
}

}  // namespace

QString askOpenFileName(const QString& caption, const QString& directory, const QStringList& filters)
{
    return askFileName(caption, directory, filters, QFileDialog::AcceptOpen, {});
}

QString askSaveFileName(const QString& caption, const QString& directory, const QStringList& filters,
                        const QString& defaultSuffix)
{
    return askFileName(caption, directory, filters, QFileDialog::AcceptSave, defaultSuffix);
}

}  // namespace ui
