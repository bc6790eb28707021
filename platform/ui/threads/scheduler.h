#pragma once
// Wing threads: the logical threads, their scheduler with its one wait, fiber stacks and switches.
// Logical threads: each window procedure of the program runs on a thread of its own, and
// calls its forms and lookups nested on that thread. A logical thread is a fiber on the GUI
// thread with its own per-thread data. Only the main stack runs Qt's event loop: Qt handlers
// only queue events and wake threads, and the scheduler resumes the woken threads from the top
// of the event loop, so window code never runs inside a Qt handler.

#include "platform/core/thread_state.h"

#include <QObject>

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace ui {

using ThreadId = int;
// Window ids count up and are never reused, as thread ids.
using WindowId = int;
class LogicalThread;

class Scheduler : public QObject {
    Q_OBJECT

public:
    static Scheduler& instance();

    // Makes the per-thread data of each new thread (the program's ThreadData).
    using StateFactory = std::function<std::unique_ptr<ThreadState>(ThreadId)>;
    void setStateFactory(StateFactory factory) { factory_ = std::move(factory); }

    // Starts the procedure on a new logical thread and returns its id at once (ids count up
    // and are never reused); 0 when no thread could be made. The procedure first runs when the
    // event loop next runs the scheduler, so never before the caller waits for its next event.
    ThreadId start(std::function<void()> procedure, std::size_t stackHint = 0);

    bool isRunning(ThreadId id) const;
    std::vector<ThreadId> runningThreads() const;
    // The thread that runs now; 0 on the main stack.
    ThreadId currentId() const;
    LogicalThread* current() const { return current_; }
    LogicalThread* find(ThreadId id) const;
    // The thread waits for the next event of `window` and nothing is queued for it. A thread
    // waiting for anything else (a timer, a lock) does not.
    bool isWaitingForEventsOf(ThreadId id, WindowId window) const;

    // The one place a logical thread waits: suspends the calling thread until `done` holds,
    // checked each time the thread is woken. `events` is the window whose next event it waits
    // for (0: it waits for something else). Nothing of the record layer may stay active
    // across it. On the main stack, which cannot wait, it is a programming error.
    void waitUntil(const std::function<bool()>& done, WindowId events = 0);
    // Lets a waiting thread check its condition at the next turn of the scheduler.
    void wake(ThreadId id);

    // Called on the main stack when the last logical thread has ended.
    void setOnAllEnded(std::function<void()> handler) { onAllEnded_ = std::move(handler); }
    // What an exception that escapes a logical thread does; returns the handler it replaces.
    // Without one it takes the record layer's fatal path: the message, every transaction
    // rolled back, the end of the program.
    using EscapeHandler = std::function<void(const char* what)>;
    EscapeHandler setOnEscapedException(EscapeHandler handler);

    // Fiber stacks are guarded and never smaller than this.
    static constexpr std::size_t kMinimumStack = 4 * 1024 * 1024;

private slots:
    void runReadyThreads();

private:
    Scheduler() = default;
    void scheduleRun();
    void block();
    void resume(LogicalThread& t);
    void finish(ThreadId id);
    void escaped(const char* what);

    StateFactory factory_;
    std::function<void()> onAllEnded_;
    EscapeHandler onEscaped_;
    std::map<ThreadId, std::unique_ptr<LogicalThread>> threads_;
    std::deque<ThreadId> ready_;
    ThreadId nextId_ = 1;
    LogicalThread* current_ = nullptr;
    bool runScheduled_ = false;
};

class Window;

// One logical thread: its fiber, its per-thread data and the windows it has open (the
// last one is the one its events go to).
class LogicalThread {
public:
    ~LogicalThread();
    ThreadId id() const { return id_; }
    ThreadState& state() { return *state_; }
    bool hasState() const { return state_ != nullptr; }

    const std::vector<Window*>& windows() const { return windows_; }
    Window* topWindow() const { return windows_.empty() ? nullptr : windows_.back(); }
    void pushWindow(Window* w) { windows_.push_back(w); }
    void removeWindow(Window* w);

private:
    friend class Scheduler;
    struct Fiber;
    LogicalThread(ThreadId id, std::function<void()> procedure);

    ThreadId id_;
    std::function<void()> procedure_;
    std::unique_ptr<ThreadState> state_;
    std::unique_ptr<Fiber> fiber_;
    std::vector<Window*> windows_;
    bool blocked_ = false;
    WindowId waitsForEventsOf_ = 0;  // the window whose next event the blocked thread waits for
    bool queued_ = false;
    bool finished_ = false;
};

// Lets the calling logical thread wait for a while (other threads and Qt go on meanwhile).
void pause(int ms);

}  // namespace ui
