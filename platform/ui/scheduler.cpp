#include "platform/ui/scheduler.h"

#include "platform/ui/fiber_stack.h"
#include "platform/ui/window.h"

#include <boost/context/fiber.hpp>

#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

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

// A thread destroyed while suspended (only when the program ends abnormally) unwinds its stack.
LogicalThread::~LogicalThread() = default;

void LogicalThread::removeWindow(Window* w) { windows_.erase(std::remove(windows_.begin(), windows_.end(), w), windows_.end()); }

Scheduler& Scheduler::instance()
{
    static Scheduler* scheduler = new Scheduler;  // lives as long as the process
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
                                         try {
                                             t->state_ = factory_ ? factory_(t->id_) : std::make_unique<ThreadState>(t->id_);
                                             ThreadState::setCurrent(t->state_.get());
                                             t->procedure_();
                                             // thread end: the per-thread data is released on the thread
                                             t->state_.reset();
                                         } catch (const ctx::detail::forced_unwind&) {
                                             throw;
                                         } catch (const std::exception& e) {
                                             if (onEscaped_) onEscaped_(e.what());
                                         } catch (...) {
                                             if (onEscaped_) onEscaped_("unknown exception");
                                         }
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

void Scheduler::block()
{
    LogicalThread* t = current_;
    if (!t) {
        std::fprintf(stderr, "block() outside a logical thread\n");
        std::abort();
    }
    if (t->state_ && !t->state_->isIdle()) {
        std::fprintf(stderr, "logical thread %d waits with a record operation still active\n", t->id_);
        std::abort();
    }
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
    if (current_) return;  // never nested: a thread runs only from the main stack
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

bool Scheduler::isWaitingIdle(ThreadId id) const
{
    LogicalThread* t = find(id);
    if (!t || !t->blocked_ || t->queued_) return false;
    Window* top = t->topWindow();
    return !top || !top->hasEvents();
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
    while (!*done) s.block();
}

void post(ThreadId thread, int event, int field)
{
    LogicalThread* t = Scheduler::instance().find(thread);
    if (!t) return;
    if (Window* w = t->topWindow()) w->post(event, field);
}

}  // namespace ui
