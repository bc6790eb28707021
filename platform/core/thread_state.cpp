#include "platform/core/thread_state.h"

#include <cstdio>
#include <cstdlib>

namespace {
ThreadState* currentState = nullptr;
}

ThreadState& ThreadState::current()
{
    if (!currentState) {
        std::fprintf(stderr, "no logical thread is current\n");
        std::abort();
    }
    return *currentState;
}

ThreadState* ThreadState::currentOrNull() { return currentState; }
void ThreadState::setCurrent(ThreadState* state) { currentState = state; }
