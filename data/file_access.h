#pragma once
// `FileAccess`: the program's access manager of one record file on one thread.

#include "data/file_definitions.h"
#include "platform/records/file_manager.h"

class FileAccess : public records::FileManager {
public:
    FileAccess(const FileDefinition& definition, void* buffer);

    void Setup() override;
    void PrimeNewRecord() override;
    records::Level OpenOnFirstUse(records::UseKind kind) override;

    const FileDefinition& definition() const { return definition_; }

private:
    const FileDefinition& definition_;
};
