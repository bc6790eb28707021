#pragma once
// The platform's file dialogs, as nested windows of the calling logical thread.

#include <QString>
#include <QStringList>

namespace ui {

// The file the user chose, empty when cancelled (or when called on the main stack, which
// cannot wait). Filters are like "CSV файлы (*.CSV)" and match names without regard to case.
QString askOpenFileName(const QString& caption, const QString& directory, const QStringList& filters);
// The file to write, empty when cancelled; a name typed without an extension gets the
// default suffix.
QString askSaveFileName(const QString& caption, const QString& directory, const QStringList& filters,
                        const QString& defaultSuffix);

}  // namespace ui
