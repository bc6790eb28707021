#pragma once
// The stack of a logical thread: mapped on its own with a guard page below it, so an overflow
// faults at once instead of writing over other memory. Under AddressSanitizer the stack is
// also made known to the sanitizer while it lives.

#include <boost/context/stack_context.hpp>

#include <cstddef>

namespace ui {

class FiberStack {
public:
    explicit FiberStack(std::size_t size) : size_(size) {}

    boost::context::stack_context allocate();
    void deallocate(boost::context::stack_context& stack) noexcept;

private:
    std::size_t size_;
};

}  // namespace ui
