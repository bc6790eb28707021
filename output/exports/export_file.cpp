#include "output/exports/export_file.h"

#include "data/error_reporter.h"
#include "platform/records/error_codes.h"

#include <QFile>

#include <cerrno>
#include <cstring>

namespace {

QString errorTextOfErrno(int error)
{
    if (error == EACCES || error == EPERM || error == EROFS) return records::errorTextOf(records::kAccessDenied);
    // the system's name of the error, which no locale changes
    const char* name = ::strerrorname_np(error);
    return records::driverErrorTextOf(QString::fromLatin1(name ? name : "E?"), error);
}

}  // namespace

void removeExportFile(const QString& path)
{
    // a folder of that name is left alone (removing it fails): the write then fails and says so
    QFile::remove(path);
}

bool writeExportFile(const QString& path, LineCodePage codePage, const std::vector<std::string>& lines,
                     std::size_t width)
{
    LineFileWriter writer;
    bool ok = writer.open(path, codePage);
    for (std::size_t i = 0; ok && i < lines.size(); ++i) ok = writer.writeLine(lines[i], width);
    // a failed write may show only at the close
    if (writer.isOpen()) ok = writer.close() && ok;
    if (ok) return true;
    const int error = writer.error();
    removeExportFile(path);
    ErrorReporter().report(records::Msg::AddFailed, path, errorTextOfErrno(error));
    return false;
}
