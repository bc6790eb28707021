#include "data/file_access.h"

#include "data/error_reporter.h"
#include "platform/core/programming_error.h"

FileAccess::FileAccess(const FileDefinition& definition, void* buffer)
    : records::FileManager(definition.layout(), buffer), definition_(definition)
{
}

void FileAccess::Setup()
{
    INITIALIZED = 0;
    FILENAMEVALUE = QString::fromUtf8(definition_.label);
    ERRORS = &ErrorReporter();
    records::FileManager::Setup();
}

void FileAccess::PrimeNewRecord()
{
    if (definition_.primeNewRecord) definition_.primeNewRecord(BUFFER);
}

records::Level FileAccess::OpenOnFirstUse(records::UseKind kind)
{
    if (kind != records::UseKind::Setup) {
        if (records::Level l = OpenOnFirstUse(records::UseKind::Setup); l != records::Level::Benign) return l;
    } else if (!INITIALIZED) {
        INUSEFILE = 1;
        SetupOnFirstUse();
        LOCKRECOVER = 10;
        for (const KeyDefinition& k : definition_.keys) {
            int key = layout().keyIndex(k.key);
            if (key < 0) programmingError(std::string("unknown key ") + k.key);
            AddKey(key, QString::fromUtf8(k.description), k.autoIncComponent);
        }
        INITIALIZED = 1;
        INUSEFILE = 0;
    }
    return records::FileManager::OpenOnFirstUse(kind);
}
