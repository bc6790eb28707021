#include "platform/core/thread_state.h"

#include "platform/core/programming_error.h"

namespace {
ThreadState* currentState = nullptr;
}

ThreadState& ThreadState::current()
{
    if (!currentState) programmingError("no logical thread is current");
    return *currentState;
}

ThreadState* ThreadState::currentOrNull() { return currentState; }
void ThreadState::setCurrent(ThreadState* state) { currentState = state; }
