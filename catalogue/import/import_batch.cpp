#include "catalogue/import/import_batch.h"

#include "data/thread_data.h"
#include "platform/core/regional.h"

namespace {

QString errorDetail(int code, const records::RecordFile& file)
{
    const QString text = code == records::kDriverError ? file.lastError().text : ErrorText(code);
    return u'#' + QString::number(code) + QStringLiteral(" - ") + text.trimmed();
}

}  // namespace

CsvRead ImportBatches::start(bool stripHeader)
{
    if (Access(FileId::Raszenki).UseFile() != records::Level::Benign) return CsvRead::End;
    if (!SetQuickScan()) return CsvRead::Error;
    if (stripHeader) {
        const CsvRead header = readRecord();
        if (header != CsvRead::Line) return header;
    }
    return readRecord();
}

CsvRead ImportBatches::readRecord()
{
    std::uint64_t bytes = 0;
    const CsvRead r = ReadNextCsvRecord(bytes);
    bytesProcessed_ += bytes;
    refusal_.reset();
    if (r != CsvRead::Line) return r;
    Access(FileId::Raszenki).PrimeRecord();  // cleared, then the new rate's defaults
    refusal_ = AssignLineFields(sources_, targets_);
    return r;
}

ImportBatches::Batch ImportBatches::add(int count)
{
    Batch b;
    records::RecordFile& file = Access(FileId::Raszenki).file();
    if (const int code = file.begin()) {
        b.failure = errorDetail(code, file);
        b.more = false;
        return b;
    }
    for (int records = 0; records < count;) {
        if (refusal_) {
            b.failure = refusal_;
            break;
        }
        if (const int code = file.add()) {
            b.failure = errorDetail(code, file);
            break;
        }
        ++b.added;
        const CsvRead r = readRecord();
        if (r != CsvRead::Line) {
            b.more = false;
            b.readFailed = r == CsvRead::Error;
            break;
        }
        ++records;
    }
    // the rates before a refused one are kept; nothing is held while a message waits
    if (const int code = file.commit()) {
        file.rollback();
        b.failure = errorDetail(code, file);
        b.added = 0;
    }
    if (b.failure) b.more = false;
    return b;
}
