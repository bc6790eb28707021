#include "platform/records/relation_manager.h"

#include "platform/core/programming_error.h"

#include <algorithm>
#include <string>

namespace records {

RelationManager::RelationManager(FileManager& me) : ME(me) {}

RelationManager::~RelationManager() = default;

void RelationManager::Setup(bool useLogout, std::uint8_t logoutTimeout)
{
    USELOGOUT = useLogout ? 1 : 0;
    LOGOUTTIMEOUT = logoutTimeout;
}

void RelationManager::Teardown()
{
    RELATIONS.clear();
    DEFEREDRELATIONSDONE = 0;
}

void RelationManager::AddRelation(RelationManager& related, std::uint8_t updateMode, std::uint8_t deleteMode,
                                  int childKey)
{
    Relation r;
    r.FILE = &related;
    r.HISKEY = childKey;
    r.UPDATEMODE = updateMode;
    r.DELETEMODE = deleteMode;
    RELATIONS.push_back(std::move(r));
}

void RelationManager::AddRelation(RelationManager& related)
{
    Relation r;
    r.FILE = &related;
    RELATIONS.push_back(std::move(r));
}

void RelationManager::AddRelationLink(const char* thisField, const char* relatedField)
{
    int mine = ME.layout().columnIndex(thisField);
    int his = RELATIONS.back().FILE->ME.layout().columnIndex(relatedField);
    if (mine < 0 || his < 0)
        programmingError(std::string("unknown field in a relation link: ") + thisField + " = " + relatedField);
    RELATIONS.back().FIELDS.emplace_back(mine, his);
}

void RelationManager::ensureRelations()
{
    if (DEFEREDRELATIONSDONE) return;
    AddRelations();
    DEFEREDRELATIONSDONE = 1;
}

void RelationManager::markOpened(std::vector<RelationManager*>& visited, int delta)
{
    if (std::find(visited.begin(), visited.end(), this) != visited.end()) return;
    visited.push_back(this);
    if (delta > 0)
        ME.MarkOpened();
    else
        ME.Close();
    ensureRelations();
    for (const Relation& r : RELATIONS) r.FILE->markOpened(visited, delta);
}

Level RelationManager::Open()
{
    std::vector<RelationManager*> visited;
    markOpened(visited, +1);
    return ME.UseFile();
}

Level RelationManager::Close()
{
    std::vector<RelationManager*> visited;
    markOpened(visited, -1);
    return Level::Benign;
}

Level RelationManager::startTransaction(bool forDelete)
{
    RecordFile& f = ME.file();
    // Only the files the rules reach are attached: an immediate transaction write-locks every
    // attached file.
    for (const Relation& r : RELATIONS) {
        std::uint8_t rule = forDelete ? r.DELETEMODE : r.UPDATEMODE;
        if (!r.isChild() || rule != RI_CASCADE) continue;
        if (f.attach(r.FILE->ME.layout()) != kNoError) {
            ME.ERRORS->report(Msg::LogoutFailed, ME.FILENAMEVALUE, ME.lastErrorText());
            return Level::Notify;
        }
    }
    // A read-only file has no lock to take; its write fails with access denied.
    if (f.isReadOnly()) return Level::Benign;
    if (f.begin() != kNoError) {
        ME.ERRORS->report(Msg::LogoutFailed, ME.FILENAMEVALUE, ME.lastErrorText());
        return Level::Notify;
    }
    return Level::Benign;
}

// The children's own rules would have to run per changed child record; no child file of the
// program has rules of its own, so one level is applied.
int RelationManager::cascade(bool forDelete, const void* oldRecord, const void* newRecord)
{
    RecordFile& f = ME.file();
    const Layout& layout = ME.layout();
    for (const Relation& r : RELATIONS) {
        std::uint8_t rule = forDelete ? r.DELETEMODE : r.UPDATEMODE;
        if (!r.isChild() || rule != RI_CASCADE) continue;
        const Layout& child = r.FILE->ME.layout();
        int code = kNoError;
        if (forDelete) {
            code = f.cascadeDelete(child, r.FIELDS, oldRecord);
        } else {
            bool changed = std::any_of(r.FIELDS.begin(), r.FIELDS.end(), [&](const auto& link) {
                return !layout.columns[std::size_t(link.first)].equal(oldRecord, newRecord);
            });
            if (changed) code = f.cascadeUpdate(child, r.FIELDS, oldRecord, newRecord);
        }
        if (code != kNoError) return code;
    }
    return kNoError;
}

Level RelationManager::Update()
{
    if (Level l = ME.UseFile(); l != Level::Benign) return l;
    if (Level l = startTransaction(false); l != Level::Benign) return l;
    RecordFile& f = ME.file();
    std::vector<unsigned char> stored(ME.layout().recordSize);
    int code = f.fetch(f.position(), stored.data());
    if (code == kNoError) code = f.put();
    if (code == kNoError) code = cascade(false, stored.data(), ME.BUFFER);
    if (code == kNoError && f.inTransaction()) code = f.commit();
    if (code != kNoError) {
        f.rollback();
        ME.ERRORS->report(Msg::PutFailed, ME.FILENAMEVALUE, ME.lastErrorText());
        return Level::Notify;
    }
    return Level::Benign;
}

Level RelationManager::Delete(bool ask)
{
    if (Level l = ME.UseFile(); l != Level::Benign) return l;
    if (ask && !ME.ERRORS->report(Msg::ConfirmDelete, ME.FILENAMEVALUE)) return Level::Cancel;
    RecordFile& f = ME.file();
    std::vector<unsigned char> stored(ME.layout().recordSize);
    for (;;) {
        if (Level l = startTransaction(true); l != Level::Benign) return l;
        int code = f.fetch(f.position(), stored.data());
        if (code == kNoError) code = cascade(true, stored.data(), nullptr);
        if (code == kNoError) code = f.remove();
        if (code == kNoError && f.inTransaction()) code = f.commit();
        if (code == kNoError) return Level::Benign;
        f.rollback();
        ME.ERRORS->report(Msg::DeleteFailed, ME.FILENAMEVALUE, ME.lastErrorText());
        if (!ME.ERRORS->report(Msg::RetryDelete, ME.FILENAMEVALUE)) return Level::Notify;
    }
}

}  // namespace records
