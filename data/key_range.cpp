#include "data/key_range.h"

#include "data/thread_data.h"
#include "platform/core/programming_error.h"
#include "platform/records/cursor.h"

#include <string>
#include <vector>

namespace {

constexpr int kBatch = 500;

using Take = std::function<void(records::Position, const void* record)>;

// `columns`: the fields read by name; empty: every field
bool readRange(FileId file, const char* key, int leading, const void* range, const Take& take, bool reportFailure,
               std::initializer_list<const char*> columns = {})
{
    FileAccess& access = Access(file);
    if (access.UseFile() != records::Level::Benign) return false;
    records::RecordFile& records = access.file();
    records::Cursor cursor(records, records.layout().keyIndex(key));
    cursor.setRange(leading, range);
    std::vector<int> indexes;
    for (const char* name : columns) {
        const int index = records.layout().columnIndex(name);
        if (index < 0) programmingError(std::string("no field ") + name + " in " + records.layout().label);
        indexes.push_back(index);
    }
    cursor.setColumns(std::move(indexes));
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

bool readKeyRangeColumns(FileId file, const char* key, int leading, const void* range,
                         std::initializer_list<const char*> columns, const std::function<void(const void* record)>& take)
{
    return readRange(file, key, leading, range, withoutPositions(take), true, columns);
}

bool readKeyRangePositions(FileId file, const char* key, int leading, const void* range, const Take& take)
{
    return readRange(file, key, leading, range, take, true);
}
