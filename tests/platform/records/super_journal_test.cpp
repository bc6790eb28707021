// A commit over two files killed at each step of SQLite's super-journal: after the next open
// the folder holds only the record files, and the data is either all before or all after.

#include "platform/records/record_file.h"

#include "tests/platform/records/test_records.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace {

using namespace records;

// The moment at which the process is killed.
enum class KillAt {
    SuperJournalSynced,    // the super-journal is on disk; no journal points to it yet
    SuperJournalDeleting,  // every journal points to it; it is about to be deleted
    SuperJournalDeleted,   // the commit is done; the journals are still there
};

// A VFS over SQLite's own that kills the process at that moment (SIGKILL: nothing more reaches
// the disk). Installed only in a child process.
struct KillingVfs {
    struct File {
        sqlite3_file base;
        sqlite3_file* real;  // follows in the same allocation
        bool superJournal;
    };

    static inline sqlite3_vfs* real = nullptr;
    static inline KillAt at = KillAt::SuperJournalSynced;
    static inline sqlite3_vfs vfs;

    static sqlite3_file* under(sqlite3_file* f) { return reinterpret_cast<File*>(f)->real; }
    static bool isSuperJournal(const char* name) { return name && std::strstr(name, "-mj"); }

    static int close(sqlite3_file* f) { return under(f)->pMethods->xClose(under(f)); }
    static int read(sqlite3_file* f, void* b, int n, sqlite3_int64 o) { return under(f)->pMethods->xRead(under(f), b, n, o); }
    static int write(sqlite3_file* f, const void* b, int n, sqlite3_int64 o)
    {
        return under(f)->pMethods->xWrite(under(f), b, n, o);
    }
    static int truncate(sqlite3_file* f, sqlite3_int64 size) { return under(f)->pMethods->xTruncate(under(f), size); }
    static int sync(sqlite3_file* f, int flags)
    {
        const int rc = under(f)->pMethods->xSync(under(f), flags);
        if (reinterpret_cast<File*>(f)->superJournal && at == KillAt::SuperJournalSynced) std::raise(SIGKILL);
        return rc;
    }
    static int fileSize(sqlite3_file* f, sqlite3_int64* size) { return under(f)->pMethods->xFileSize(under(f), size); }
    static int lock(sqlite3_file* f, int level) { return under(f)->pMethods->xLock(under(f), level); }
    static int unlock(sqlite3_file* f, int level) { return under(f)->pMethods->xUnlock(under(f), level); }
    static int checkReserved(sqlite3_file* f, int* out) { return under(f)->pMethods->xCheckReservedLock(under(f), out); }
    static int control(sqlite3_file* f, int op, void* arg) { return under(f)->pMethods->xFileControl(under(f), op, arg); }
    static int sectorSize(sqlite3_file* f) { return under(f)->pMethods->xSectorSize(under(f)); }
    static int characteristics(sqlite3_file* f) { return under(f)->pMethods->xDeviceCharacteristics(under(f)); }

    static inline const sqlite3_io_methods methods = {
        1,    close,      read,          write,   truncate,   sync, fileSize, lock, unlock, checkReserved,
        control, sectorSize, characteristics, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

    static int open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags)
    {
        File* file = reinterpret_cast<File*>(f);
        file->real = reinterpret_cast<sqlite3_file*>(file + 1);
        file->superJournal = (flags & SQLITE_OPEN_SUPER_JOURNAL) != 0;
        const int rc = real->xOpen(real, name, file->real, flags, outFlags);
        f->pMethods = rc == SQLITE_OK ? &methods : nullptr;
        return rc;
    }
    static int remove(sqlite3_vfs*, const char* name, int syncDir)
    {
        if (isSuperJournal(name) && at == KillAt::SuperJournalDeleting) std::raise(SIGKILL);
        const int rc = real->xDelete(real, name, syncDir);
        if (isSuperJournal(name) && at == KillAt::SuperJournalDeleted) std::raise(SIGKILL);
        return rc;
    }

    static void install(KillAt moment)
    {
        real = sqlite3_vfs_find(nullptr);
        at = moment;
        vfs = *real;
        vfs.zName = "killing";
        vfs.szOsFile = int(sizeof(File)) + real->szOsFile;
        vfs.xOpen = open;
        vfs.xDelete = remove;
        sqlite3_vfs_register(&vfs, 1);
    }
};

// Runs `work` in a child process under the killing VFS; true when the child was killed.
bool killedDuring(KillAt moment, const std::function<void()>& work)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        KillingVfs::install(moment);
        work();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

class SuperJournalTest : public RecordsTest {
protected:
    // A parent record in the main file and three children in the other, all of group 1, alone
    // in the folder.
    void makeFiles()
    {
        for (const QString& name : folder()) QFile::remove(name);
        RecordFile parents(layout_, &buffer_);
        openNew(parents);
        add(parents, item("P", 1, 1));
        RecordFile children(childLayout_, &child_);
        openNew(children);
        for (const char* code : {"C1", "C2", "C3"}) {
            child_ = item(code, 1, 1);
            ASSERT_EQ(children.add(), 0);
        }
    }

    // The parent moves to group 2 with its children, in one commit over both files.
    void moveToGroup2()
    {
        RecordFile parents(layout_, &buffer_);
        if (parents.open(OpenAccess::ReadWrite) != 0 || parents.fetch(1) != 0 || parents.attach(childLayout_) != 0) return;
        const Item old = buffer_;
        parents.write([&] {
            buffer_.GROUP = 2;
            const int code = parents.put();
            return code ? code : parents.cascadeUpdate(childLayout_, links_, &old, &buffer_);
        });
    }

    // Opens both files as the program opens them, the main file first.
    void openBoth()
    {
        RecordFile parents(layout_, &buffer_);
        ASSERT_EQ(parents.open(OpenAccess::ReadWrite), 0) << parents.lastError().text.toStdString();
        RecordFile children(childLayout_, &child_);
        ASSERT_EQ(children.open(OpenAccess::ReadWrite), 0) << children.lastError().text.toStdString();
    }

    static std::vector<std::int64_t> groupsIn(const char* disk)
    {
        RawConnection raw(disk);
        EXPECT_EQ(raw.column("PRAGMA integrity_check"), std::vector<std::string>{"ok"}) << disk;
        return raw.integers("SELECT \"GROUP\" FROM records ORDER BY pos");
    }

    static QStringList folder()
    {
        return QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    }

    const Layout childLayout_ = itemBuilder(1, "Spares").build();
    const std::vector<std::pair<int, int>> links_ = {{1, 1}};  // GROUP -> GROUP
    Item child_;
};

TEST_F(SuperJournalTest, AfterAKilledCommitTheNextOpenLeavesOnlyTheRecordFilesAndWholeData)
{
    struct Case {
        const char* what;
        KillAt commitKilled;
        bool recoveryKilled;  // the next open's rollback killed too, once the journals are deleted
        std::int64_t group;   // of every record afterwards
    };
    const Case cases[] = {
        {"super-journal on disk, no journal pointing to it", KillAt::SuperJournalSynced, false, 1},
        {"every journal pointing to the super-journal", KillAt::SuperJournalDeleting, false, 1},
        {"rollback killed after the journals are deleted", KillAt::SuperJournalDeleting, true, 1},
        {"commit done, journals left", KillAt::SuperJournalDeleted, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        makeFiles();
        ASSERT_TRUE(killedDuring(c.commitKilled, [this] { moveToGroup2(); }));
        const QStringList afterKill = folder();
        EXPECT_EQ(afterKill.filter(QStringLiteral("-journal")).size(), 2) << afterKill.join(u' ').toStdString();
        EXPECT_EQ(afterKill.filter(QStringLiteral("-mj")).size(), c.commitKilled == KillAt::SuperJournalDeleted ? 0 : 1);
        if (c.recoveryKilled) {
            ASSERT_TRUE(killedDuring(KillAt::SuperJournalDeleting, [this] { openBoth(); }));
            EXPECT_TRUE(folder().filter(QStringLiteral("-journal")).isEmpty()) << folder().join(u' ').toStdString();
            EXPECT_EQ(folder().filter(QStringLiteral("-mj")).size(), 1) << folder().join(u' ').toStdString();
        }

        openBoth();
        EXPECT_EQ(folder().join(u' ').toStdString(), "ITEMSOFT.TPS SPARES.TPS");
        EXPECT_EQ(groupsIn("ITEMSOFT.TPS"), std::vector<std::int64_t>{c.group});
        EXPECT_EQ(groupsIn("SPARES.TPS"), std::vector<std::int64_t>(3, c.group));
    }
}

}  // namespace
