#include "data/thread_data.h"

#include "platform/core/programming_error.h"

#include <string>

ThreadData::ThreadData(int number) : ThreadState(number)
{
    if (number != 1) StartFileManagers();
}

ThreadData::~ThreadData() { StopFileManagers(); }

bool ThreadData::isIdle() const
{
    for (const auto& access : access_)
        if (access && !access->isIdle()) return false;
    return true;
}

void* ThreadData::bufferOf(FileId id)
{
    switch (id) {
    case FileId::Headers: return &Headers;
    case FileId::MATS: return &MATS;
    case FileId::MatLst: return &MatLst;
    case FileId::WrksInSmt: return &WrksInSmt;
    case FileId::Raszenki: return &Raszenki;
    case FileId::NSBRAZ: return &NSBRAZ;
    case FileId::textrep: return &textrep;
    case FileId::EdIzmer: return &EdIzmer;
    case FileId::GroupsWks: return &GroupsWks;
    }
    return nullptr;
}

void ThreadData::StartFileManagers()
{
    if (fileManagersStarted()) return;
    for (FileId id : kFileOrder) {
        access_[indexOf(id)] = std::make_unique<FileAccess>(definitionOf(id), bufferOf(id));
        relations_[indexOf(id)] = std::make_unique<FileRelations>(
            *access_[indexOf(id)], [this](FileId other) -> FileRelations& { return relations(other); });
    }
    for (FileId id : kFileOrder) relations_[indexOf(id)]->Setup();
}

void ThreadData::StopFileManagers()
{
    if (!fileManagersStarted()) return;
    for (FileId id : kFileOrder) relations_[indexOf(id)]->Teardown();
    for (FileId id : kFileOrder) {
        relations_[indexOf(id)].reset();
        access_[indexOf(id)].reset();
    }
}

FileAccess& ThreadData::access(FileId id)
{
    if (!access_[indexOf(id)])
        programmingError("the file managers of thread " + std::to_string(number()) + " are not started");
    return *access_[indexOf(id)];
}

FileRelations& ThreadData::relations(FileId id)
{
    access(id);
    return *relations_[indexOf(id)];
}
