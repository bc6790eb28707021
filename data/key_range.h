#pragma once
// Reading a key range of a record file in key order, in batches: the records whose leading key
// components equal those of a given record.

#include "data/file_id.h"
#include "platform/records/record_file.h"

#include <functional>
#include <initializer_list>

// `take` gets each record (valid during the call only). False when a read failed, which has
// been reported.
bool readKeyRange(FileId file, const char* key, int leading, const void* range,
                  const std::function<void(const void* record)>& take);
// The same, leaving a failed read unreported (a failure to open the file is reported as ever).
bool readKeyRangeQuietly(FileId file, const char* key, int leading, const void* range,
                         const std::function<void(const void* record)>& take);
// The same, reading only the named fields (and the key's): the others are unspecified.
bool readKeyRangeColumns(FileId file, const char* key, int leading, const void* range,
                         std::initializer_list<const char*> columns, const std::function<void(const void* record)>& take);
// The same as readKeyRange, each record with its position.
bool readKeyRangePositions(FileId file, const char* key, int leading, const void* range,
                           const std::function<void(records::Position, const void* record)>& take);
