#pragma once
// `FileRelations`: the program's relation manager of one record file on one thread.

#include "data/file_access.h"
#include "platform/records/relation_manager.h"

#include <functional>

class FileRelations : public records::RelationManager {
public:
    // `relationsOf` finds the relation managers of the other files of the same thread.
    FileRelations(FileAccess& access, std::function<FileRelations&(FileId)> relationsOf);

    void Setup();
    void AddRelations() override;
    void Teardown() override;

    FileAccess& access() { return access_; }

private:
    FileAccess& access_;
    std::function<FileRelations&(FileId)> relationsOf_;
};
