#include "platform/ui/dialogs/upgrade_progress.h"

#include "platform/records/record_file.h"

#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include <map>
#include <string>

namespace ui {

void installUpgradeProgress()
{
    records::RecordFile::setUpgradeObserver([](const std::string& diskName, bool running) {
        static std::map<std::string, QPointer<QProgressDialog>> shown;
        QPointer<QProgressDialog>& window = shown[diskName];
        if (!running) {
            delete window.data();
            shown.erase(diskName);
            return;
        }
        // never modal: only the opening thread waits
        window = new QProgressDialog(QStringLiteral("Обновление файла %1...").arg(QString::fromStdString(diskName)),
                                     QString(), 0, 0);
        window->setWindowTitle(QStringLiteral("Подождите"));
        window->setWindowModality(Qt::NonModal);
        window->setMinimumDuration(0);
        window->show();
    });
}

}  // namespace ui
