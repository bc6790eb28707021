#include "data/key_range.h"

#include "data/thread_data.h"
#include "platform/records/cursor.h"

namespace {

constexpr int kBatch = 500;

using Take = std::function<void(records::Position, const void* record)>;

bool readRange(FileId file, const char* key, int leading, const void* range, const Take& take, bool reportFailure)
{
    FileAccess& access = Access(file);
    if (access.UseFile() != records::Level::Benign) return false;
    records::RecordFile& records = access.file();
    records::Cursor cursor(records, records.layout().keyIndex(key));
    cursor.setRange(leading, range);
    cursor.toStart();
    for (;;) {
        const int n = cursor.read(true, kBatch, take);
        if (n < 0) {
            if (reportFailure) access.ReportReadFailure();
            return false;
        }
        if (n < kBatch) return true;
    }
}

Take withoutPositions(const std::function<void(const void* record)>& take)
{
    return [&take](records::Position, const void* record) { take(record); };
}

}  // namespace

bool readKeyRange(FileId file, const char* key, int leading, const void* range,
                  const std::function<void(const void* record)>& take)
{
    return readRange(file, key, leading, range, withoutPositions(take), true);
}

bool readKeyRangeQuietly(FileId file, const char* key, int leading, const void* range,
                         const std::function<void(const void* record)>& take)
{
    return readRange(file, key, leading, range, withoutPositions(take), false);
}

bool readKeyRangePositions(FileId file, const char* key, int leading, const void* range, const Take& take)
{
    return readRange(file, key, leading, range, take, true);
}
