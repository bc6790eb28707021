#pragma once
// The platform's file-open dialog, as a nested window of the calling logical thread.

#include <QString>
#include <QStringList>

namespace ui {

// The file the user chose, empty when cancelled (or when called on the main stack, which
// cannot wait). Filters are like "CSV файлы (*.CSV)" and match names without regard to case.
QString askOpenFileName(const QString& caption, const QString& directory, const QStringList& filters);

}  // namespace ui
