#include "platform/records/file_manager.h"

#include "platform/core/programming_error.h"
#include "platform/records/text_record_file.h"

namespace records {

namespace {
// Numbering failed on reading the highest number: reported at once, never retried.
constexpr int kNumberingReadFailed = -1;
constexpr int kAttemptsPerRound = 3;
}  // namespace

FileManager::FileManager(const Layout& layout, void* buffer) : BUFFER(buffer), layout_(layout)
{
    if (layout.text) {
        storage_ = std::make_unique<TextRecordFile>(layout, buffer);
    } else {
        auto keyed = std::make_unique<RecordFile>(layout, buffer);
        keyed_ = keyed.get();
        storage_ = std::move(keyed);
    }
}

FileManager::~FileManager() = default;

void FileManager::Setup()
{
    LAZYOPEN = 1;
}

RecordFile& FileManager::file()
{
    if (!keyed_) programmingError("the text file " + layout_.label + " has no keyed record file");
    return *keyed_;
}

void FileManager::Teardown()
{
    if (storage_->isOpen()) storage_->close();
    USED = 0;
    OPENED = 0;
}

void FileManager::SetupOnFirstUse()
{
    CREATE = 1;
    OPENMODE = OpenAccess::ReadWrite;
    FILENAMEVALUE = diskName();
}

QString FileManager::diskName() const
{
    const std::string& disk = layout_.diskName;
    return QString::fromStdString(disk.substr(0, disk.find('.')));
}

void FileManager::AddKey(int key, const QString& description, int autoIncComponent)
{
    KEYS.push_back({key, description, autoIncComponent});
    if (autoIncComponent > 0) HASAUTOINC = 1;
}

Level FileManager::OpenOnFirstUse(UseKind kind)
{
    if (kind == UseKind::Setup || USED) return Level::Benign;
    if (OPENED < 1) {
        ERRORS->report(Msg::UseClosedFile, FILENAMEVALUE);
        return Level::Fatal;
    }
    return openRounds();
}

Level FileManager::UseFile() { return OpenOnFirstUse(UseKind::Use); }

Level FileManager::openRounds()
{
    for (int round = 0; round < 2; ++round) {
        int code = storage_->open(OPENMODE);
        // The lock recovery of a program that ended abnormally is SQLite's own (its journal);
        // the second attempt stays.
        if (code == kAccessDenied) code = storage_->open(OPENMODE);
        if (code == kNoError) {
            USED = 1;
            AUTOINCDONE = 0;
            return Level::Benign;
        }
        const bool writeAsked = OPENMODE == OpenAccess::ReadWrite;
        if (code == kAccessDenied && writeAsked) {
            ERRORS->report(Msg::AccessDenied, FILENAMEVALUE);
            OPENMODE = OpenAccess::ReadOnly;
        } else if (code == kRecordLimit && writeAsked) {
            ERRORS->report(Msg::RecordLimit, FILENAMEVALUE);
            OPENMODE = OpenAccess::ReadOnly;
        } else if (code == kFileNotFound) {
            if (storage_->create() != kNoError) {
                ERRORS->report(Msg::CreateFailed, FILENAMEVALUE, lastErrorText());
                return Level::Fatal;
            }
        } else if (code == kKeysToRebuild && keyed_) {
            ERRORS->report(Msg::RebuildKey, FILENAMEVALUE);
            if (keyed_->rebuildKeys() != kNoError) {
                ERRORS->report(Msg::RebuildFailed, FILENAMEVALUE, lastErrorText());
                return Level::Fatal;
            }
        } else {
            break;
        }
    }
    ERRORS->report(Msg::OpenFailed, FILENAMEVALUE, lastErrorText());
    return Level::Fatal;
}

const KeyRegistration* FileManager::autoIncKey() const
{
    for (const auto& k : KEYS)
        if (k.autoIncComponent > 0) return &k;
    return nullptr;
}

Level FileManager::PrimeRecord(bool retainBuffer)
{
    if (Level l = UseFile(); l != Level::Benign) return l;
    if (!retainBuffer) layout_.clear(BUFFER);
    PrimeNewRecord();
    return PrimeAutoInc();
}

Level FileManager::PrimeAutoInc()
{
    if (Level l = UseFile(); l != Level::Benign) return l;
    if (!HASAUTOINC) return Level::Benign;
    AUTOINCDONE = 0;
    if (Level l = numberAndAdd(); l != Level::Benign) return l;
    AUTOINCDONE = 1;
    return Level::Benign;
}

Level FileManager::numberAndAdd()
{
    for (;;) {
        int code = kNoError;
        for (int attempt = 0; attempt < kAttemptsPerRound; ++attempt) {
            code = tryNumberAndAdd();
            if (code == kNoError) return Level::Benign;
            if (code == kNumberingReadFailed) {
                ERRORS->report(Msg::AbortReading, FILENAMEVALUE, lastErrorText());
                return Level::Notify;
            }
            // A number beyond its field never wraps into another section or estimate.
            if (code == kRecordLimit) {
                ERRORS->report(Msg::AddFailed, FILENAMEVALUE, errorTextOf(kRecordLimit));
                return Level::Notify;
            }
        }
        if (!ERRORS->report(Msg::RetryAutoInc, FILENAMEVALUE, lastErrorText())) return Level::Notify;
    }
}

int FileManager::tryNumberAndAdd()
{
    const KeyRegistration* reg = autoIncKey();
    const Key& key = layout_.keys[std::size_t(reg->key)];
    const int componentColumn = key.components[std::size_t(reg->autoIncComponent - 1)];
    const Column& column = layout_.columns[std::size_t(componentColumn)];

    // One immediate transaction: no other thread or program can take the number between
    // finding it and adding the record.
    RecordFile& f = file();
    const int code = f.write([&] {
        std::int64_t highest = 0;
        bool found = false;
        if (f.highestComponent(reg->key, reg->autoIncComponent - 1, BUFFER, highest, found) != kNoError)
            return kNumberingReadFailed;
        const std::int64_t next = found ? highest + 1 : 1;
        if (next > column.maxValue) return kRecordLimit;
        column.setInteger(BUFFER, next);
        return f.add();
    });
    if (code == kNoError) primedPosition_ = f.position();
    return code;
}

int FileManager::writeAlone(int (RecordFile::*write)())
{
    RecordFile& f = file();
    return f.write([&] { return (f.*write)(); });
}

// A keyed file adds in a transaction of its own; a line is appended as it stands.
int FileManager::addRecord() { return keyed_ ? writeAlone(&RecordFile::add) : storage_->add(); }

Level FileManager::Insert()
{
    if (Level l = UseFile(); l != Level::Benign) return l;
    int code = kNoError;
    Position except = 0;
    if (AUTOINCDONE) {
        except = primedPosition_;
        file().setPosition(primedPosition_);
        code = writeAlone(&RecordFile::put);
    } else if (HASAUTOINC) {
        // A record that was never primed is numbered and added now.
        if (Level l = numberAndAdd(); l != Level::Benign) return l;
    } else {
        code = addRecord();
    }
    if (code == kDuplicateKey) {
        int key = file().duplicateKey(BUFFER, except);
        QString description;
        for (const auto& k : KEYS)
            if (k.key == key) description = k.description;
        ERRORS->report(Msg::DuplicateKey, FILENAMEVALUE, lastErrorText(), description);
        return Level::Notify;
    }
    if (code != kNoError) {
        ERRORS->report(Msg::AddFailed, FILENAMEVALUE, lastErrorText());
        return Level::Notify;
    }
    AUTOINCDONE = 0;
    return Level::Benign;
}

Level FileManager::CancelPrimed()
{
    if (!HASAUTOINC || !AUTOINCDONE) return Level::Benign;
    if (Level l = UseFile(); l != Level::Benign) return l;
    file().setPosition(primedPosition_);
    int code = writeAlone(&RecordFile::remove);
    // Already gone (another thread deleted it): the cancel is done all the same.
    if (code != kNoError && code != kRecordNotFound) {
        ERRORS->report(Msg::DeleteFailed, FILENAMEVALUE, lastErrorText());
        return Level::Notify;
    }
    AUTOINCDONE = 0;
    return Level::Benign;
}

Level FileManager::TryFetch(int key)
{
    if (Level l = UseFile(); l != Level::Benign) return l;
    const int code = file().get(key);
    if (code == kNoError) return Level::Benign;
    if (code == kRecordNotFound) return Level::Notify;
    return ReportReadFailure();
}

Level FileManager::ReportReadFailure()
{
    // Another program's commit keeps the file from readers past the lock wait.
    if (lastErrorCode() == kLocked)
        ERRORS->report(Msg::RecordHeld, FILENAMEVALUE);
    else
        ERRORS->report(Msg::AbortReading, FILENAMEVALUE, lastErrorText());
    return Level::Notify;
}

Level FileManager::DeleteRecord()
{
    if (Level l = UseFile(); l != Level::Benign) return l;
    if (writeAlone(&RecordFile::remove) != kNoError) {
        ERRORS->report(Msg::DeleteFailed, FILENAMEVALUE, lastErrorText());
        return Level::Notify;
    }
    return Level::Benign;
}

void FileManager::Close()
{
    if (OPENED > 0) --OPENED;
    if (OPENED == 0 && USED) {
        storage_->close();
        USED = 0;
    }
}

}  // namespace records
