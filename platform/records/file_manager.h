#pragma once
// The platform's file manager: one per record file and logical thread. It opens the file on
// first use (creating, rebuilding or falling back to read-only as needed), registers the
// keys with their descriptions and auto-numbered component, primes new records (numbering
// and adding them at once where a key is auto-numbered), stores and cancels them, and
// reports every failure through the error manager. The program derives a class per file
// and overrides the set-up and the new-record defaults.
//
// A keyed layout is kept in a RecordFile; a text layout in a TextRecordFile, which only
// opens and appends lines (Insert), so the keyed operations are for keyed files only.

#include "platform/records/error_manager.h"
#include "platform/records/record_file.h"
#include "platform/records/storage.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace records {

// Results of the managers' operations.
enum class Level { Benign, Notify, Fatal, Cancel };

enum class UseKind { Setup, Use };

struct KeyRegistration {
    int key = 0;               // index into the layout's keys
    QString description;       // named in the duplicate-key message
    int autoIncComponent = 0;  // 1-based component within the key, 0 for none
};

class FileManager {
public:
    FileManager(const Layout& layout, void* buffer);
    virtual ~FileManager();
    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    // --- what the program overrides
    virtual void Setup();
    virtual void Teardown();
    virtual void PrimeNewRecord() {}
    // The first-use step: set-up of the manager on its first use, then the use itself.
    virtual Level OpenOnFirstUse(UseKind kind);

    // --- the platform's operations
    void AddKey(int key, const QString& description, int autoIncComponent = 0);
    // One more opener on this thread (the file is opened for real on its first use).
    void MarkOpened() { ++OPENED; }
    // One opener less; the last one closes the file.
    void Close();
    // Makes sure the file is really open: the first-use step, then the open rounds.
    Level UseFile();

    Level PrimeRecord(bool retainBuffer = false);
    // Only the numbering and adding step of PrimeRecord (the buffer kept, no defaults).
    Level PrimeAutoInc();
    Level Insert();
    Level CancelPrimed();
    // Exact read by the buffer's key values, without a message when it is not there; a read
    // that fails otherwise is reported.
    Level TryFetch(int key);
    // Reports the failed read of this manager's file: a record held by another program's
    // write ("Запись не читается") or any other failure ("Ошибка доступа к записи").
    Level ReportReadFailure();
    // Deletes the record read last, without relations ("Запись не удаляется" on failure).
    Level DeleteRecord();

    const Layout& layout() const { return layout_; }
    // The keyed record file; asking it of a text file stops the program.
    RecordFile& file();
    void* buffer() const { return BUFFER; }
    // No transaction and no statement of the file is active.
    bool isIdle() const { return !keyed_ || keyed_->isIdle(); }
    // The file's disk name without its extension, as messages name it once it is used.
    QString diskName() const;
    // The platform's code of the last failure of this manager's file.
    int lastErrorCode() const { return storage_->lastError().code; }
    // "%ErrorText" of the last failure.
    QString lastErrorText() const { return storage_->lastError().text; }

    // --- the fields the program sets or relies on
    void* BUFFER = nullptr;
    QString FILENAMEVALUE;
    ErrorManager* ERRORS = nullptr;
    std::uint8_t CREATE = 0;
    std::int16_t LOCKRECOVER = 0;
    OpenAccess OPENMODE = OpenAccess::ReadWrite;
    std::uint8_t LAZYOPEN = 0;
    std::int32_t OPENED = 0;
    std::uint8_t USED = 0;
    std::vector<KeyRegistration> KEYS;
    std::uint8_t HASAUTOINC = 0;
    std::uint8_t AUTOINCDONE = 0;
    std::uint8_t INITIALIZED = 0;
    std::uint8_t INUSEFILE = 0;

protected:
    // The platform's part of the first-use set-up (CREATE, the open mode, the disk name).
    void SetupOnFirstUse();

private:
    Level openRounds();
    // Finds the next number of the auto-numbered component and adds the record, in one
    // immediate transaction, with the retries and the question of a failed numbering.
    Level numberAndAdd();
    int tryNumberAndAdd();
    const KeyRegistration* autoIncKey() const;
    // One write of the record file in a transaction of its own.
    int writeAlone(int (RecordFile::*write)());
    int addRecord();

    const Layout& layout_;
    std::unique_ptr<Storage> storage_;
    RecordFile* keyed_ = nullptr;  // storage_, when the file is keyed
    Position primedPosition_ = 0;
};

}  // namespace records
