#pragma once
// A line-oriented text file as a record file: the layout's one text field is a line. It is
// opened for appending, and each add appends the field without its trailing blanks, in the
// layout's code page, ending with CR LF. A file opened read-only takes no lines.

#include "platform/core/line_file.h"
#include "platform/records/layout.h"
#include "platform/records/storage.h"

namespace records {

class TextRecordFile : public Storage {
public:
    // `buffer` is the thread's record buffer of the layout; it must outlive the file.
    TextRecordFile(const Layout& layout, void* buffer);
    ~TextRecordFile() override;
    TextRecordFile(const TextRecordFile&) = delete;
    TextRecordFile& operator=(const TextRecordFile&) = delete;

    // kFileNotFound; kAccessDenied when write is asked of a file without write permission;
    // kBadFileStructure for a folder or other odd thing in place of the file.
    int open(OpenAccess access) override;
    int create() override;
    // Lines not yet on disk are written now; a failure then goes unreported.
    void close() override;
    bool isOpen() const override { return open_; }
    bool isReadOnly() const override { return readOnly_; }
    // The lines are buffered: a failed write may show only at a later add.
    int add() override;
    const RecordError& lastError() const override { return error_; }

private:
    int fail(int code);
    int failWithErrno(int error);

    const Layout& layout_;
    const Column& line_;
    void* buffer_;
    LineFileWriter writer_;
    bool open_ = false;
    bool readOnly_ = false;
    RecordError error_;
};

}  // namespace records
