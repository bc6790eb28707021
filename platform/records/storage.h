#pragma once
// What the file manager needs of the file behind it, whether a keyed record file or a
// line-oriented text file: opening (with the codes its fallbacks react to), creating a
// missing file, and adding the record in the buffer.

#include "platform/records/error_codes.h"

namespace records {

enum class OpenAccess { ReadWrite, ReadOnly };

class Storage {
public:
    virtual ~Storage() = default;

    // 0; kFileNotFound; kAccessDenied (write asked of a file that may only be read); or
    // another failure. The file is open only on success.
    virtual int open(OpenAccess access) = 0;
    // A new empty file; one that another thread or program made meanwhile is kept.
    virtual int create() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool isReadOnly() const = 0;
    // Adds the record in the buffer.
    virtual int add() = 0;
    // The last failure: code and the "%ErrorText" form of it.
    virtual const RecordError& lastError() const = 0;
};

}  // namespace records
