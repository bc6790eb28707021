#pragma once
// What every logical thread has of the platform: its number, the window codes with which
// windows are called and answer, and the error reporter's status. The program derives its
// own per-thread data from it; the scheduler makes one current while its thread runs.

#include <QString>

#include <cstdint>

class ThreadState {
public:
    explicit ThreadState(int number) : number_(number) {}
    virtual ~ThreadState() = default;
    ThreadState(const ThreadState&) = delete;
    ThreadState& operator=(const ThreadState&) = delete;

    int number() const { return number_; }  // 1 for the first thread

    std::uint8_t ProcRequest = 0;   // 0 none, 1 insert, 2 change, 3 delete, 4 select, 6 view
    std::uint8_t ProcResponse = 0;  // 0 none, 1 completed, 2 cancelled
    std::int32_t NavRequest = 0;    // 0 none, 3009 next row, 3010 previous row

    // The error reporter's status on this thread: the procedure that runs.
    QString procedureName;

    // Nothing of the record layer active (no transaction, no statement in progress): what must
    // hold whenever the thread waits.
    virtual bool isIdle() const { return true; }

    static ThreadState& current();
    static ThreadState* currentOrNull();
    static void setCurrent(ThreadState* state);

private:
    int number_;
};

inline std::uint8_t& ProcRequest() { return ThreadState::current().ProcRequest; }
inline std::uint8_t& ProcResponse() { return ThreadState::current().ProcResponse; }
inline std::int32_t& NavRequest() { return ThreadState::current().NavRequest; }
