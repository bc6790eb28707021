#include "platform/ui/threads/scheduler.h"

#include "platform/core/message.h"
#include "platform/core/programming_error.h"
#include "platform/core/sleeping.h"
#include "platform/records/error_manager.h"
#include "platform/ui/threads/fiber_stack.h"

#include <boost/context/fiber.hpp>

#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace ctx = boost::context;

namespace ui {

struct LogicalThread::Fiber {
    ctx::fiber self;  // the suspended thread, held by the scheduler
    ctx::fiber main;  // the scheduler, held by the thread while it runs
};

LogicalThread::LogicalThread(ThreadId id, std::function<void()> procedure)
    : id_(id), procedure_(std::move(procedure)), fiber_(std::make_unique<Fiber>())
{
}

LogicalThread::~LogicalThread() = default;

void LogicalThread::removeWindow(Window* w) { windows_.erase(std::remove(windows_.begin(), windows_.end(), w), windows_.end()); }

Scheduler& Scheduler::instance()
{
    static Scheduler* scheduler = [] {
        // A wait of the record layer (another program's lock) suspends only its own thread.
        sleeping::setSuspend([](int ms) {
            const ThreadState* state = ThreadState::currentOrNull();
            if (!instance().current() || (state && !state->isIdle())) return false;
            pause(ms);
            return true;
        });
        return new Scheduler;  // lives as long as the process
    }();
    return *scheduler;
}

ThreadId Scheduler::start(std::function<void()> procedure, std::size_t stackHint)
{
    const ThreadId id = nextId_++;
    auto thread = std::unique_ptr<LogicalThread>(new LogicalThread(id, std::move(procedure)));
    LogicalThread* t = thread.get();
    try {
        const std::size_t stack = std::max(stackHint, kMinimumStack);
        t->fiber_->self = ctx::fiber(std::allocator_arg, FiberStack(stack),
                                     [this, t](ctx::fiber&& main) {
                                         t->fiber_->main = std::move(main);
                                         std::optional<std::string> escapedWhat;
                                         try {
                                             t->state_ = factory_ ? factory_(t->id_) : std::make_unique<ThreadState>(t->id_);
                                             ThreadState::setCurrent(t->state_.get());
                                             t->procedure_();
                                             // thread end: the per-thread data is released on the thread
                                             t->state_.reset();
                                         } catch (const ctx::detail::forced_unwind&) {
                                             throw;
                                         } catch (const std::exception& e) {
                                             escapedWhat = e.what();
                                         } catch (...) {
                                             escapedWhat = "unknown exception";
                                         }
                                         // outside the handler: the fatal path may wait, and no
                                         // fiber may switch while an exception is being handled
                                         if (escapedWhat) escaped(escapedWhat->c_str());
                                         t->finished_ = true;
                                         ThreadState::setCurrent(nullptr);
                                         return std::move(t->fiber_->main);
                                     });
    } catch (const std::exception&) {
        return 0;  // no stack: the start fails silently
    }
    threads_.emplace(id, std::move(thread));
    t->queued_ = true;
    ready_.push_back(id);
    scheduleRun();
    return id;
}

bool Scheduler::isRunning(ThreadId id) const { return find(id) != nullptr; }

std::vector<ThreadId> Scheduler::runningThreads() const
{
    std::vector<ThreadId> ids;
    for (const auto& [id, t] : threads_)
        if (!t->finished_) ids.push_back(id);
    return ids;
}

ThreadId Scheduler::currentId() const { return current_ ? current_->id_ : 0; }

LogicalThread* Scheduler::find(ThreadId id) const
{
    auto it = threads_.find(id);
    return it == threads_.end() || it->second->finished_ ? nullptr : it->second.get();
}

Scheduler::EscapeHandler Scheduler::setOnEscapedException(EscapeHandler handler)
{
    std::swap(onEscaped_, handler);
    return handler;
}

void Scheduler::escaped(const char* what)
{
    if (onEscaped_) return onEscaped_(what);
    std::fprintf(stderr, "tolvex: %s\n", what);
    const QString caption = ThreadState::currentOrNull() ? ThreadState::current().procedureName : QString();
    Message(QString::fromLocal8Bit(what) + records::ErrorManager::fatalSuffix(), caption, MessageIcon::Hand, BUTTON_OK,
            BUTTON_OK);
    records::endProgramAfterFatalError();
}

void Scheduler::waitUntil(const std::function<bool()>& done, WindowId events)
{
    if (done()) return;  // no wait
    LogicalThread* t = current_;
    if (!t) programmingError("a wait outside a logical thread");
    if (t->state_ && !t->state_->isIdle())
        programmingError("logical thread " + std::to_string(t->id_) + " waits with a record operation still active");
    do {
        t->waitsForEventsOf_ = events;
        block();
        t->waitsForEventsOf_ = 0;
    } while (!done());
}

void Scheduler::block()
{
    LogicalThread* t = current_;
    t->blocked_ = true;
    t->fiber_->main = std::move(t->fiber_->main).resume();
    // resumed by the scheduler
    ThreadState::setCurrent(t->state_.get());
}

void Scheduler::wake(ThreadId id)
{
    LogicalThread* t = find(id);
    if (!t || !t->blocked_ || t->queued_) return;
    t->queued_ = true;
    ready_.push_back(id);
    scheduleRun();
}

void Scheduler::scheduleRun()
{
    if (runScheduled_) return;
    runScheduled_ = true;
    QMetaObject::invokeMethod(this, &Scheduler::runReadyThreads, Qt::QueuedConnection);
}

void Scheduler::runReadyThreads()
{
    runScheduled_ = false;
    if (current_) {
        // Called from a nested event loop inside a thread: threads run only from the main
        // stack, so the turn comes again once that thread waits.
        scheduleRun();
        return;
    }
    // Threads woken while these run wait for the next turn, so Qt keeps painting.
    std::deque<ThreadId> turn;
    turn.swap(ready_);
    for (ThreadId id : turn) {
        auto it = threads_.find(id);
        if (it == threads_.end()) continue;
        LogicalThread& t = *it->second;
        t.queued_ = false;
        resume(t);
    }
}

void Scheduler::resume(LogicalThread& t)
{
    t.blocked_ = false;
    current_ = &t;
    ThreadState::setCurrent(t.state_.get());
    t.fiber_->self = std::move(t.fiber_->self).resume();
    current_ = nullptr;
    ThreadState::setCurrent(nullptr);
    if (t.finished_) finish(t.id_);
}

void Scheduler::finish(ThreadId id)
{
    threads_.erase(id);
    if (runningThreads().empty() && onAllEnded_) onAllEnded_();
}

bool Scheduler::isWaitingForEventsOf(ThreadId id, WindowId window) const
{
    LogicalThread* t = find(id);
    return t && t->blocked_ && !t->queued_ && t->waitsForEventsOf_ == window;
}

void pause(int ms)
{
    Scheduler& s = Scheduler::instance();
    const ThreadId id = s.currentId();
    auto done = std::make_shared<bool>(false);
    QTimer::singleShot(ms, [id, done] {
        *done = true;
        Scheduler::instance().wake(id);
    });
    s.waitUntil([&] { return *done; });
}

}  // namespace ui
