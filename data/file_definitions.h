#pragma once
// What the program sets up in the managers of each record file: the keys with their
// descriptions and auto-numbered component, the new-record defaults, and the relations.

#include "data/file_id.h"
#include "platform/records/layout.h"
#include "platform/records/relation_manager.h"

#include <cstdint>
#include <utility>
#include <vector>

struct KeyDefinition {
    const char* key;          // "GRO:KeyNumInsmeta"
    const char* description;  // named in the duplicate-key message
    int autoIncComponent;     // 1-based, 0 for none
};

struct FileDefinition {
    FileId id;
    const char* label;  // "GroupsWks"
    const records::Layout& (*layout)();
    std::vector<KeyDefinition> keys;    // in registration order
    void (*primeNewRecord)(void* record);  // the new-record defaults; null for none
};

struct RelationDefinition {
    FileId parent;
    FileId child;
    const char* childKey;
    std::uint8_t onChange;  // records::RelationRule
    std::uint8_t onDelete;
    std::vector<std::pair<const char*, const char*>> links;  // (parent field, child field)
};

const FileDefinition& definitionOf(FileId id);
// In the order the files register them.
const std::vector<RelationDefinition>& relationDefinitions();
