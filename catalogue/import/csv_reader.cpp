#include "catalogue/import/csv_reader.h"

#include "catalogue/import/text/csv_field.h"
#include "catalogue/import/text/field_picture.h"
#include "catalogue/import/text/import_decimal.h"
#include "catalogue/import/text/utf8_check.h"
#include "data/thread_data.h"
#include "platform/core/message.h"
#include "platform/core/regional.h"
#include "platform/records/error_codes.h"
#include "platform/ui/dialogs/file_dialog.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A line of an import file holds at most this many characters; the rest is dropped.
constexpr std::size_t kMaxLine = 16000;

int injectedLine = 0;
int injectedError = 0;

// The platform's code and text of a failed file call.
struct FileError {
    int code;
    QString text;
};

FileError fileErrorOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: return {records::kFileNotFound, ErrorText(records::kFileNotFound)};
    case EACCES:
    case EPERM: return {records::kAccessDenied, ErrorText(records::kAccessDenied)};
    case EMFILE:
    case ENFILE: return {4, ErrorText(4)};
    default: {
        // the system's name of the error, which no locale changes
        const char* name = ::strerrorname_np(error);
        return {records::kDriverError, records::driverErrorTextOf(QString::fromLatin1(name ? name : "E?"), error)};
    }
    }
}

void reportFileError(int error, const QString& captionStart)
{
    const FileError e = fileErrorOf(error);
    Message(QStringLiteral("Error #") + QString::number(e.code) + QStringLiteral(" - ") + e.text.trimmed(),
            captionStart + ThreadData::current().ImportFileName.trimmed(), MessageIcon::Hand);
}

struct Examined {
    int openError = 0;
    int readError = 0;
    std::uint64_t size = 0;
    LineCodePage codePage = LineCodePage::Cp1251;
};

// One pass over the file: its size and whether it reads as UTF-8.
Examined examine(const QString& path)
{
    Examined result;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.openError = errno;
        return result;
    }
    std::vector<char> buffer(256 * 1024);
    Utf8Check check;
    std::uint64_t& size = result.size;
    bool byteOrderMark = false;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            result.readError = errno;
            break;
        }
        if (n == 0) break;
        if (size == 0) byteOrderMark = std::string_view(buffer.data(), std::size_t(n)).starts_with(kUtf8ByteOrderMark);
        size += std::uint64_t(n);
        if (!byteOrderMark && !check.failed()) check.feed(std::string_view(buffer.data(), std::size_t(n)));
        if (byteOrderMark || check.failed()) {
            // the code page is settled; only the size is still wanted
            struct stat st;
            if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
                size = std::uint64_t(st.st_size);
                break;
            }
        }
    }
    ::close(fd);
    result.codePage = byteOrderMark || check.finish() ? LineCodePage::Utf8 : LineCodePage::Cp1251;
    return result;
}

enum class Opened { Yes, Empty, Failed };

// Opens ImportFileName and finds its first record; the file is left at its start.
Opened openSource()
{
    ThreadData& t = ThreadData::current();
    CloseImportFile();
    const Examined file = examine(t.ImportFileName);
    if (file.openError || file.readError) {
        reportFileError(file.openError ? file.openError : file.readError,
                        file.openError ? QStringLiteral("Cannot OPEN ") : QStringLiteral("Cannot READ "));
        return Opened::Failed;
    }
    if (!t.ImportCsvFile.open(t.ImportFileName, file.codePage)) {
        reportFileError(t.ImportCsvFile.error(), QStringLiteral("Cannot OPEN "));
        return Opened::Failed;
    }
    t.ImportFileSize = file.size;
    std::uint64_t bytes = 0;
    const CsvRead first = file.size == 0 ? CsvRead::End : ReadNextCsvRecord(bytes);
    if (first == CsvRead::Error || (first == CsvRead::Line && !SetQuickScan())) {
        ReportImportReadError();
        CloseImportFile();
        return Opened::Failed;
    }
    if (first == CsvRead::End) {
        CloseImportFile();
        return Opened::Empty;
    }
    return Opened::Yes;
}

bool allFieldsBlank()
{
    ThreadData& t = ThreadData::current();
    std::int32_t pos = 1;
    CsvFieldValue value;
    while (NextCsvField(t.ImportLine, pos, value) != CsvField::None)
        if (!value.empty()) return false;
    return true;
}

}  // namespace

std::int64_t ChooseImportFile(const QString& name)
{
    ThreadData& t = ThreadData::current();
    if (!name.isEmpty()) {
        t.ImportFileName = name;
        return openSource() == Opened::Yes ? std::int64_t(t.ImportFileSize) : 0;
    }
    for (;;) {
        // the dialog leaves the current directory, where the record files live, as it is
        const QString chosen = ui::askOpenFileName(
            QStringLiteral("Импорт из файла"), t.ImportFileName.isEmpty() ? QDir::currentPath() : t.ImportFileName,
            {QStringLiteral("Импортир. файлы (*.CSV)"), QStringLiteral("All Files (*)")});
        if (chosen.isEmpty()) return 0;
        t.ImportFileName = chosen;
        switch (openSource()) {
        case Opened::Yes: return std::int64_t(t.ImportFileSize);
        case Opened::Failed: return 0;
        case Opened::Empty:
            Message(QStringLiteral("Этот файл пуст!  Пожалуйста выберите другой файл."), QStringLiteral("Внимание!"),
                    MessageIcon::Information);
        }
    }
}

bool SetQuickScan()
{
    ThreadData& t = ThreadData::current();
    t.ImportLine.clear();
    t.ImportLineNumber = 0;
    t.ImportFieldPos = 0;
    return t.ImportCsvFile.rewind();
}

CsvRead ReadNextCsvLine(std::uint64_t& bytes)
{
    ThreadData& t = ThreadData::current();
    bytes = 0;
    t.ImportFieldPos = 0;
    if (injectedLine > 0 && t.ImportLineNumber + 1 == injectedLine) {
        t.ImportLine.clear();
        return CsvRead::Error;
    }
    switch (t.ImportCsvFile.readLine(t.ImportLine, kMaxLine)) {
    case LineFileReader::Read::End: return CsvRead::End;
    case LineFileReader::Read::Error: return CsvRead::Error;
    case LineFileReader::Read::Line: break;
    }
    t.ImportLine.resize(fixed_string_detail::clip(t.ImportLine).size());
    bytes = t.ImportCsvFile.lineBytes();
    ++t.ImportLineNumber;
    t.ImportFieldPos = 1;
    return CsvRead::Line;
}

CsvRead ReadNextCsvRecord(std::uint64_t& bytes)
{
    bytes = 0;
    for (;;) {
        std::uint64_t lineBytes = 0;
        const CsvRead r = ReadNextCsvLine(lineBytes);
        bytes += lineBytes;
        if (r != CsvRead::Line || !allFieldsBlank()) return r;
    }
}

std::uint8_t NextCsvField()
{
    ThreadData& t = ThreadData::current();
    t.ImportPictureDone = 0;
    return NextCsvField(t.ImportLine, t.ImportFieldPos, t.ImportFieldValue);
}

void ApplyFieldPicture(const QString& picture)
{
    ThreadData& t = ThreadData::current();
    ApplyFieldPicture(t.ImportFieldValue, t.ImportPictureDone, picture);
}

std::string NormalizeDecimal() { return NormalizeDecimal(ThreadData::current().ImportFieldValue); }

void CloseImportFile()
{
    ThreadData& t = ThreadData::current();
    t.ImportCsvFile.close();
    t.ImportLine.clear();
    t.ImportLineNumber = 0;
    t.ImportFieldPos = 0;
}

void ReportImportReadError()
{
    const int error = injectedLine > 0 ? injectedError : ThreadData::current().ImportCsvFile.error();
    reportFileError(error, QStringLiteral("Cannot READ "));
}

void InjectImportReadError(int line, int error)
{
    injectedLine = line;
    injectedError = error;
}
