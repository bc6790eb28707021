#include "platform/ui/threads/fiber_stack.h"

#include <boost/context/protected_fixedsize_stack.hpp>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#include <sanitizer/lsan_interface.h>
#endif

namespace ui {

namespace {

#if defined(__SANITIZE_ADDRESS__)
// A fiber that ends never returns from its frames: their poisoned red zones would stay in the
// shadow memory and be taken for faults in whatever is mapped there next, so the shadow is
// cleared both ways. LeakSanitizer scans only the stacks of OS threads: the stack is a root of
// its own, or what only a suspended fiber holds would be reported as leaked.
void announce(const boost::context::stack_context& stack)
{
    char* base = static_cast<char*>(stack.sp) - stack.size;
    __asan_unpoison_memory_region(base, stack.size);
    __lsan_register_root_region(base, stack.size);  // its guard page is never read
}

void withdraw(const boost::context::stack_context& stack)
{
    char* base = static_cast<char*>(stack.sp) - stack.size;
    __lsan_unregister_root_region(base, stack.size);
    __asan_unpoison_memory_region(base, stack.size);
}
#else
void announce(const boost::context::stack_context&) {}
void withdraw(const boost::context::stack_context&) {}
#endif

}  // namespace

boost::context::stack_context FiberStack::allocate()
{
    boost::context::stack_context stack = boost::context::protected_fixedsize_stack(size_).allocate();
    announce(stack);
    return stack;
}

void FiberStack::deallocate(boost::context::stack_context& stack) noexcept
{
    withdraw(stack);
    boost::context::protected_fixedsize_stack(size_).deallocate(stack);
}

}  // namespace ui
