#pragma once
// The platform's relation manager: one per record file and logical thread, beside its file
// manager. It opens a file together with the files related to it, and applies the relation
// rules when a record is written back with a changed link value or deleted: the record and
// every change its rules reach commit together or not at all.

#include "platform/records/file_manager.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace records {

// Relation rules (RI): what happens to the related records.
enum RelationRule : std::uint8_t { RI_NONE = 0, RI_CLEAR = 1, RI_RESTRICT = 2, RI_CASCADE = 3 };

class RelationManager;

struct Relation {
    RelationManager* FILE = nullptr;           // the related file's relation manager
    std::vector<std::pair<int, int>> FIELDS;   // (column of this file, column of the related file)
    int HISKEY = -1;                           // the child's key that finds the children
    std::uint8_t UPDATEMODE = RI_NONE;         // rules for the related (child) records
    std::uint8_t DELETEMODE = RI_NONE;
    bool isChild() const { return HISKEY >= 0; }  // the related file is this file's child
};

class RelationManager {
public:
    explicit RelationManager(FileManager& me);
    virtual ~RelationManager();
    RelationManager(const RelationManager&) = delete;
    RelationManager& operator=(const RelationManager&) = delete;

    // --- what the program overrides
    virtual void AddRelations() {}
    virtual void Teardown();

    // The platform's set-up with the file manager and the transaction options.
    void Setup(bool useLogout, std::uint8_t logoutTimeout);

    // Registering (from AddRelations): a child relation with its key and rules, or a parent
    // relation (no key, no rules); then the linked field pairs of the last relation added.
    void AddRelation(RelationManager& related, std::uint8_t updateMode, std::uint8_t deleteMode, int childKey);
    void AddRelation(RelationManager& related);
    void AddRelationLink(const char* thisField, const char* relatedField);

    // Marks this file and every file related to it (in both directions, each once) as opened
    // once more, and opens this one for real.
    Level Open();
    // The reverse of Open.
    Level Close();
    // Writes the record in the buffer back over the one read last, carrying a changed link
    // value into the children by the cascade rules. `keep`, when given, runs within the write
    // with the record as the file holds it then, and may take fields of it into the buffer, so
    // that what others stored meanwhile survives (it may run more than once).
    Level Update(const std::function<void(const void* stored)>& keep = {});
    // Deletes the record read last with its children by the cascade rules; asks first when
    // `ask`. Cancel when the user declines.
    Level Delete(bool ask = true);
    // Exchanges the value of `field` between the record read last and the record at `other`
    // in one write, without the relation rules; with `withChildren` the children of every
    // child relation that links the field exchange their link values with them. A failure is
    // reported ("Запись не обновляется") and changes nothing. The buffer then holds the
    // record read last as it is stored.
    Level Exchange(Position other, const char* field, bool withChildren);

    FileManager& ME;
    std::vector<Relation> RELATIONS;
    std::uint8_t USELOGOUT = 0;
    std::uint8_t LOGOUTTIMEOUT = 0;
    std::uint8_t DEFEREDRELATIONSDONE = 0;

private:
    void ensureRelations();
    void markOpened(std::vector<RelationManager*>& visited, int delta);
    // The child relations whose rule a write applies: every cascading one of a delete, the
    // cascading ones of an update whose link value changes from `oldRecord` to `newRecord`.
    std::vector<const Relation*> reached(bool forDelete, const void* oldRecord, const void* newRecord) const;
    // Runs `body` as one write over this file and the `children`'s files, attached for it and
    // detached after. Reports a write that cannot start (a related file that cannot be
    // attached, or locks still held after the lock wait) and returns Notify; otherwise `code`
    // is the body's result.
    Level transact(const std::vector<const Relation*>& children, const std::function<int()>& body, int& code);
    int cascade(bool forDelete, const void* oldRecord, const void* newRecord);
    // transact, with a failure of the body reported as a write-back that failed
    Level rewrite(const std::vector<const Relation*>& children, const std::function<int()>& body);
};

}  // namespace records
