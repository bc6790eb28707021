#include "platform/ui/file_dialog.h"

#include "platform/ui/dialog_script.h"
#include "platform/ui/window.h"

#include <QFileDialog>
#include <QVBoxLayout>

namespace ui {

QString askOpenFileName(const QString& caption, const QString& directory, const QStringList& filters)
{
    if (auto scripted = takeScriptedFileName()) return *scripted;
    if (Scheduler::instance().currentId() == 0) return {};

    // The file dialog lives inside a window of our own, which gives it the nested-window
    // behaviour (the thread's other windows disabled, the focus given back) and its queue.
    Window window(WindowKind::Dialog, caption, 300, 180);
    auto* dialog = new QFileDialog(window.content(), caption, directory);
    dialog->setWindowFlags(Qt::Widget);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);  // "*.CSV" also shows "a.csv", whatever the default
    if (!filters.isEmpty()) dialog->setNameFilters(filters);
    auto* layout = new QVBoxLayout(window.content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(dialog);
    window.add(CREATE::Region, "?FileDialog", dialog);
    QObject::connect(dialog, &QDialog::finished, &window, [&window](int result) {
        window.post(result == QDialog::Accepted ? EVENT::Accepted : EVENT::CloseWindow);
    });

    window.open();
    dialog->show();
    QString chosen;
    for (bool done = false; !done;) {
        const Event e = window.wait();
        if (e.event == EVENT::Accepted) {
            chosen = dialog->selectedFiles().value(0);
            done = true;
        } else if (e.event == EVENT::CloseWindow) {
            done = true;
        }
    }
    window.close();
    return chosen;
}

}  // namespace ui
