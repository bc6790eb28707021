#include "platform/records/text_record_file.h"

#include "platform/core/programming_error.h"
#include "platform/core/write_permission.h"
#include "platform/records/path_check.h"

#include <sys/stat.h>

#include <cerrno>

namespace records {
namespace {

const Column& lineColumnOf(const Layout& layout)
{
    if (!layout.text || layout.columns.size() != 1 || layout.columns[0].kind != ColumnKind::Text)
        programmingError("the text file " + layout.label + " needs exactly one text field");
    return layout.columns[0];
}

}  // namespace

TextRecordFile::TextRecordFile(const Layout& layout, void* buffer)
    : layout_(layout), line_(lineColumnOf(layout)), buffer_(buffer)
{
}

TextRecordFile::~TextRecordFile() { close(); }

int TextRecordFile::open(OpenAccess access)
{
    close();
    const std::string& path = layout_.diskName;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return errno == ENOENT ? fail(kFileNotFound) : failWithErrno(errno);
    if (RecordError refused = refusalOfPath(st); refused.code != kNoError) {
        error_ = refused;
        return error_.code;
    }
    const bool write = access == OpenAccess::ReadWrite;
    if (write) {
        if (!write_permission::mayWrite(path.c_str(), st)) return fail(kAccessDenied);
        if (!writer_.open(QString::fromStdString(path), layout_.codePage, true)) return failWithErrno(writer_.error());
    }
    open_ = true;
    readOnly_ = !write;
    return 0;
}

int TextRecordFile::create()
{
    // appending, so that a file another thread made meanwhile keeps its lines
    LineFileWriter writer;
    if (!writer.open(QString::fromStdString(layout_.diskName), layout_.codePage, true))
        return failWithErrno(writer.error());
    return writer.close() ? 0 : failWithErrno(writer.error());
}

void TextRecordFile::close()
{
    writer_.close();
    open_ = false;
    readOnly_ = false;
}

int TextRecordFile::add()
{
    if (!open_) return fail(kFileNotOpen);
    if (readOnly_) return fail(kAccessDenied);
    const std::string_view line = line_.getText(buffer_);
    return writer_.writeLine(line, line.size()) ? 0 : failWithErrno(writer_.error());
}

int TextRecordFile::fail(int code)
{
    error_ = errorOf(code);
    return code;
}

int TextRecordFile::failWithErrno(int error)
{
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS:
            return fail(kAccessDenied);
        case ENOENT:
        case ENOTDIR:
            return fail(kFileNotFound);
        case ENOMEM:
            return fail(kOutOfMemory);
        default: {
            // a Russian text with the system's number of the error, as for SQLite's errors
            const char* text = error == ENOSPC || error == EDQUOT ? "Диск заполнен" : "Ошибка чтения или записи диска";
            error_ = RecordError{kDriverError, driverErrorTextOf(QString::fromUtf8(text), error)};
            return kDriverError;
        }
    }
}

}  // namespace records
