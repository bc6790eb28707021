#include "platform/records/leftover_journals.h"

#include "platform/records/connection.h"

#include <dirent.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

namespace records {
namespace {

constexpr std::string_view kInfix = "-mj";
constexpr std::size_t kRandomDigits = 9;  // six random, a 9, two random
// a journal name per attached file, each a full path: anything larger is no super-journal of ours
constexpr off_t kLargest = 64 * 1024;

// The main file of a super-journal's name ("<main>-mj" and 9 hex digits), or empty.
std::string mainFileOf(const std::string& name)
{
    if (name.size() <= kInfix.size() + kRandomDigits) return {};
    const std::size_t infix = name.size() - kRandomDigits - kInfix.size();
    if (name.compare(infix, kInfix.size(), kInfix) != 0) return {};
    for (std::size_t i = infix + kInfix.size(); i < name.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return {};
    return name.substr(0, infix);
}

bool isRegularFile(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Only a name that certainly leads nowhere is gone.
bool mayExist(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

bool readWhole(const std::string& path, std::string& content)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kLargest;
    if (ok) {
        content.resize(std::size_t(st.st_size));
        std::size_t done = 0;
        while (ok && done < content.size()) {
            const ssize_t n = ::read(fd, content.data() + done, content.size() - done);
            ok = n > 0;
            if (ok) done += std::size_t(n);
        }
    }
    ::close(fd);
    return ok;
}

// Whether a journal the super-journal names may still exist; also when it cannot be read.
// A last name without its zero byte was cut short by the crash and is looked for as it stands.
bool namesAJournal(const std::string& superJournal)
{
    std::string content;
    if (!readWhole(superJournal, content)) return true;
    for (std::size_t start = 0; start < content.size();) {
        std::size_t end = content.find('\0', start);
        if (end == std::string::npos) end = content.size();
        if (end > start && mayExist(content.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}

// A journal whose header was never synced: SQLite does not take it for hot.
bool isColdJournal(const std::string& journal)
{
    const int fd = ::open(journal.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    char first = 1;
    struct stat st;
    const bool cold = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                      (st.st_size == 0 || (::read(fd, &first, 1) == 1 && first == 0));
    ::close(fd);
    return cold;
}

// The super-journals in the current folder, by main file.
std::vector<std::pair<std::string, std::string>> superJournals()
{
    std::vector<std::pair<std::string, std::string>> out;
    DIR* dir = ::opendir(".");
    if (!dir) return out;
    while (const dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        std::string main = mainFileOf(name);
        if (!main.empty()) out.emplace_back(std::move(main), std::move(name));
    }
    ::closedir(dir);
    return out;
}

// Runs `removal` while a connection of its own holds a lock on `file`, taken at once or not
// at all (then nothing is removed): the shared lock of a read (`write` false) or the reserved
// lock of a write. SQLite takes the shared lock only once it has rolled back a journal of the
// file that was left hot; a commit over several files holds the main file's exclusive lock
// for as long as its super-journal is in use, and only a writer holding the reserved lock
// fills a journal. Closing the connection ends its transaction.
template <class Removal>
void underLock(const std::string& file, bool write, Removal removal)
{
    if (!isRegularFile(file)) return;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    Connection db(raw);
    // a file opened read-only would get no reserved lock from BEGIN IMMEDIATE
    if (rc != SQLITE_OK || (write && sqlite3_db_readonly(db.get(), "main") != 0)) return;
    std::int64_t objects = 0;
    if (execute(db.get(), write ? "BEGIN IMMEDIATE" : "BEGIN") == SQLITE_OK &&
        queryInteger(db.get(), "SELECT count(*) FROM sqlite_master", objects) == SQLITE_OK)
        removal();
}

}  // namespace

void removeLeftoverJournals(const std::string& diskName)
{
    const std::string journal = diskName + "-journal";
    if (isColdJournal(journal)) underLock(diskName, true, [&] {
            if (isColdJournal(journal)) ::unlink(journal.c_str());
        });
    for (const auto& [main, superJournal] : superJournals()) {
        if (!isRegularFile(superJournal)) continue;
        underLock(main, false, [&] {
            if (!namesAJournal(superJournal)) ::unlink(superJournal.c_str());
        });
    }
}

}  // namespace records
