#include "data/file_relations.h"

FileRelations::FileRelations(FileAccess& access, std::function<FileRelations&(FileId)> relationsOf)
    : records::RelationManager(access), access_(access), relationsOf_(std::move(relationsOf))
{
}

void FileRelations::Setup()
{
    access_.Setup();
    records::RelationManager::Setup(true, 2);
}

void FileRelations::AddRelations()
{
    const FileId me = access_.definition().id;
    for (const RelationDefinition& r : relationDefinitions()) {
        if (r.parent == me) {
            FileRelations& child = relationsOf_(r.child);
            AddRelation(child, r.onChange, r.onDelete, child.ME.layout().keyIndex(r.childKey));
            for (const auto& [parentField, childField] : r.links) AddRelationLink(parentField, childField);
        } else if (r.child == me) {
            AddRelation(relationsOf_(r.parent));
            for (const auto& [parentField, childField] : r.links) AddRelationLink(childField, parentField);
        }
    }
}

void FileRelations::Teardown()
{
    access_.Teardown();
    records::RelationManager::Teardown();
}
