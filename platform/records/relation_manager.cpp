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

std::vector<const Relation*> RelationManager::reached(bool forDelete, const void* oldRecord,
                                                      const void* newRecord) const
{
    const Layout& layout = ME.layout();
    std::vector<const Relation*> out;
    for (const Relation& r : RELATIONS) {
        if (!r.isChild() || (forDelete ? r.DELETEMODE : r.UPDATEMODE) != RI_CASCADE) continue;
        const bool linkChanges = forDelete || std::any_of(r.FIELDS.begin(), r.FIELDS.end(), [&](const auto& link) {
                                     return !layout.columns[std::size_t(link.first)].equal(oldRecord, newRecord);
                                 });
        if (linkChanges) out.push_back(&r);
    }
    return out;
}

Level RelationManager::transact(const std::vector<const Relation*>& children, const std::function<int()>& body,
                                int& code)
{
    RecordFile& f = ME.file();
    code = kNoError;
    for (const Relation* r : children) {
        if (f.attach(r->FILE->ME.layout()) != kNoError) {
            f.detachAll();
            // the file that refused, by its own name
            ME.ERRORS->report(Msg::LogoutFailed, r->FILE->ME.diskName(), ME.lastErrorText());
            return Level::Notify;
        }
    }
    code = f.write(body);
    f.detachAll();
    if (code == kLocked) {
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
    for (const Relation* r : reached(forDelete, oldRecord, newRecord)) {
        const Layout& child = r->FILE->ME.layout();
        const int code = forDelete ? f.cascadeDelete(child, r->FIELDS, oldRecord)
                                   : f.cascadeUpdate(child, r->FIELDS, oldRecord, newRecord);
        if (code != kNoError) return code;
    }
    return kNoError;
}

Level RelationManager::Update(const std::function<void(const void* stored)>& keep)
{
    if (Level l = ME.UseFile(); l != Level::Benign) return l;
    RecordFile& f = ME.file();
    std::vector<unsigned char> stored(ME.layout().recordSize);
    // Which children the new link values reach, from the record as it is now; read again in
    // the transaction (a record changed meanwhile by another program whose link then differs
    // fails the write, never half of it).
    std::vector<const Relation*> children;
    const int read = f.fetch(f.position(), stored.data());
    if (read == kNoError) {
        if (keep) keep(stored.data());
        children = reached(false, stored.data(), ME.BUFFER);
    }
    if (read == kLocked) {  // the lock wait is over already
        ME.ERRORS->report(Msg::LogoutFailed, ME.FILENAMEVALUE, ME.lastErrorText());
        return Level::Notify;
    }
    return rewrite(children, [&] {
        int c = f.fetch(f.position(), stored.data());
        if (c == kNoError && keep) keep(stored.data());
        if (c == kNoError) c = f.put();
        if (c == kNoError) c = cascade(false, stored.data(), ME.BUFFER);
        return c;
    });
}

Level RelationManager::rewrite(const std::vector<const Relation*>& children, const std::function<int()>& body)
{
    int code = kNoError;
    const Level l = transact(children, body, code);
    if (l != Level::Benign) return l;
    if (code != kNoError) {
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
    const std::vector<const Relation*> children = reached(true, nullptr, nullptr);
    for (;;) {
        int code = kNoError;
        const Level l = transact(children, [&] {
            int c = f.fetch(f.position(), stored.data());
            if (c == kNoError) c = cascade(true, stored.data(), nullptr);
            if (c == kNoError) c = f.remove();
            return c;
        }, code);
        if (l != Level::Benign) return l;
        if (code == kNoError) return Level::Benign;
        ME.ERRORS->report(Msg::DeleteFailed, ME.FILENAMEVALUE, ME.lastErrorText());
        if (!ME.ERRORS->report(Msg::RetryDelete, ME.FILENAMEVALUE)) return Level::Notify;
    }
}

Level RelationManager::Exchange(Position other, const char* field, bool withChildren)
{
    if (Level l = ME.UseFile(); l != Level::Benign) return l;
    ensureRelations();
    RecordFile& f = ME.file();
    const Position own = f.position();
    const int column = ME.layout().columnIndex(field);
    if (column < 0) programmingError(std::string("unknown field to exchange: ") + field);
    std::vector<const Relation*> children;
    for (const Relation& r : RELATIONS)
        if (withChildren && r.isChild() &&
            std::any_of(r.FIELDS.begin(), r.FIELDS.end(), [&](const auto& link) { return link.first == column; }))
            children.push_back(&r);
    std::vector<unsigned char> mine(ME.layout().recordSize), theirs(ME.layout().recordSize);
    // both records read again in the transaction: what is exchanged is what is stored
    const Level l = rewrite(children, [&] {
        int c = f.fetch(own, mine.data());
        if (c == kNoError) c = f.fetch(other, theirs.data());
        if (c == kNoError) c = f.exchange(own, mine.data(), other, theirs.data(), column);
        for (const Relation* r : children)
            if (c == kNoError) c = f.exchangeLinked(r->FILE->ME.layout(), r->FIELDS, mine.data(), theirs.data());
        return c;
    });
    if (l == Level::Benign) f.fetch(own);
    return l;
}

}  // namespace records
