#pragma once
// Everything a logical thread has of its own: the nine record buffers (created in the order
// Headers ... GroupsWks and destroyed in the reverse order), their file and relation managers,
// the window codes, and the import state.

#include "data/file_access.h"
#include "data/file_id.h"
#include "data/file_relations.h"
#include "data/files/ed_izmer.h"
#include "data/files/groups_wks.h"
#include "data/files/headers.h"
#include "data/files/mat_lst.h"
#include "data/files/mats.h"
#include "data/files/nsbraz.h"
#include "data/files/raszenki.h"
#include "data/files/textrep.h"
#include "data/files/wrks_in_smt.h"
#include "platform/core/line_file.h"
#include "platform/core/thread_state.h"

#include <array>
#include <memory>
#include <string>

class ThreadData : public ThreadState {
public:
    // A thread other than the first starts its file managers at once; the first thread's are
    // started by the program after the error reporter is set up.
    explicit ThreadData(int number);
    ~ThreadData() override;

    static ThreadData& current() { return static_cast<ThreadData&>(ThreadState::current()); }

    // No record file of this thread has a transaction or a statement active.
    bool isIdle() const override;

    // Record buffers, declared in the order the thread gets them.
    HeadersRecord Headers{};
    MATSRecord MATS{};
    MatLstRecord MatLst{};
    WrksInSmtRecord WrksInSmt{};
    RaszenkiRecord Raszenki{};
    NSBRAZRecord NSBRAZ{};
    TextrepRecord textrep{};
    EdIzmerRecord EdIzmer{};
    GroupsWksRecord GroupsWks{};

    // The rate import's source: the file (its full path, never cut), its size, the line read
    // last without its trailing blanks and that line's number in the file, where the next field
    // begins (1-based, 0 for none), the field read last and whether its picture was applied.
    QString ImportFileName;
    LineFileReader ImportCsvFile;
    std::uint64_t ImportFileSize = 0;
    std::string ImportLine;
    std::int64_t ImportLineNumber = 0;
    std::int32_t ImportFieldPos = 0;
    std::string ImportFieldValue;  // windows-1251, at most 4000 characters, no trailing blanks
    std::uint8_t ImportPictureDone = 0;

    // CreateFileManagers, then InitFileManagers.
    void StartFileManagers();
    // DisposeFileManagers.
    void StopFileManagers();
    bool fileManagersStarted() const { return relations_[0] != nullptr; }

    void* bufferOf(FileId id);
    FileAccess& access(FileId id);
    FileRelations& relations(FileId id);

private:
    std::array<std::unique_ptr<FileAccess>, kFileOrder.size()> access_;
    std::array<std::unique_ptr<FileRelations>, kFileOrder.size()> relations_;
};

// The calling thread's record buffers, named by the files' prefixes.
inline HeadersRecord& DFL() { return ThreadData::current().Headers; }
inline MATSRecord& MAT() { return ThreadData::current().MATS; }
inline MatLstRecord& MAN() { return ThreadData::current().MatLst; }
inline WrksInSmtRecord& NSB() { return ThreadData::current().WrksInSmt; }
inline RaszenkiRecord& WRK() { return ThreadData::current().Raszenki; }
inline NSBRAZRecord& NSR() { return ThreadData::current().NSBRAZ; }
inline TextrepRecord& TEX() { return ThreadData::current().textrep; }
inline EdIzmerRecord& EDI() { return ThreadData::current().EdIzmer; }
inline GroupsWksRecord& GRO() { return ThreadData::current().GroupsWks; }

// The calling thread's managers of a file.
inline FileAccess& Access(FileId id) { return ThreadData::current().access(id); }
inline FileRelations& Relate(FileId id) { return ThreadData::current().relations(id); }
