#pragma once
// Another program beside the one under test, holding a record file's lock.

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <initializer_list>

namespace test {

// Another program that takes a lock on a record file when told and holds it until released
// ("BEGIN IMMEDIATE" keeps other writers out, "BEGIN EXCLUSIVE" readers too). It is started at
// once, before the test opens its own connections, so that none of them is copied into it.
class OtherProgram {
public:
    OtherProgram(const char* disk, const char* begin)
    {
        if (::pipe(go_) != 0 || ::pipe(ready_) != 0) return;
        pid_ = ::fork();
        if (pid_ != 0) return;
        char c = 0;
        (void)!::read(go_[0], &c, 1);
        sqlite3* db = nullptr;
        sqlite3_open(disk, &db);
        c = sqlite3_exec(db, begin, nullptr, nullptr, nullptr) == SQLITE_OK ? '1' : '0';
        (void)!::write(ready_[1], &c, 1);
        (void)!::read(go_[0], &c, 1);
        ::_exit(0);
    }
    ~OtherProgram() { release(); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    // Takes the lock; true once it is held.
    bool lock()
    {
        char c = 'g';
        if (pid_ <= 0 || ::write(go_[1], &c, 1) != 1 || ::read(ready_[0], &c, 1) != 1) return false;
        return c == '1';
    }
    void release()
    {
        if (pid_ <= 0) return;
        char c = 'r';
        (void)!::write(go_[1], &c, 1);
        (void)!::write(go_[1], &c, 1);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = 0;
        for (int fd : {go_[0], go_[1], ready_[0], ready_[1]}) ::close(fd);
    }

private:
    pid_t pid_ = -1;
    int go_[2] = {-1, -1};
    int ready_[2] = {-1, -1};
};

}  // namespace test
