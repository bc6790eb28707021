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
    FileAccess& access = Access(FileId::Raszenki);
    const records::Layout& layout = access.layout();
    records::RecordFile& file = access.file();
    // The tick's rates are read first and then added in one write, which the record layer may
    // run again after another program's lock: reading the file cannot be repeated.
    std::vector<std::vector<unsigned char>> rates;
    std::optional<QString> refusal;
    while (int(rates.size()) < count) {
        if (refusal_) {
            refusal = refusal_;
            break;
        }
        auto* record = static_cast<const unsigned char*>(access.buffer());
        rates.emplace_back(record, record + layout.recordSize);
        const CsvRead r = readRecord();
        if (r != CsvRead::Line) {
            b.more = false;
            b.readFailed = r == CsvRead::Error;
            break;
        }
    }
    // the record read ahead stays in the buffer for the next tick
    const std::vector<unsigned char> next(static_cast<const unsigned char*>(access.buffer()),
                                          static_cast<const unsigned char*>(access.buffer()) + layout.recordSize);
    std::optional<QString> addFailure;
    // the rates before a refused one are kept; nothing is held while a message waits
    const int code = file.write([&] {
        b.added = 0;
        addFailure.reset();
        for (const auto& rate : rates) {
            layout.copy(access.buffer(), rate.data());
            if (const int refused = file.add()) {
                addFailure = errorDetail(refused, file);
                break;
            }
            ++b.added;
        }
        return records::kNoError;
    });
    layout.copy(access.buffer(), next.data());
    if (code != records::kNoError) {
        b.added = 0;
        b.failure = errorDetail(code, file);
    } else {
        b.failure = addFailure ? addFailure : refusal;
    }
    if (b.failure) b.more = false;
    return b;
}
