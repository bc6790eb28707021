// The sanitizer build switches fibers through ucontext, whose one out-of-line piece the
// distribution's Boost.Context library leaves out (it is built for the assembly switches):
// the record of the context that runs now on each OS thread, starting at that thread's own.
#if defined(BOOST_USE_UCONTEXT)

#include <boost/context/fiber.hpp>

namespace boost::context::detail {

fiber_activation_record*& fiber_activation_record::current() noexcept
{
    thread_local fiber_activation_record threadContext;
    thread_local fiber_activation_record* running = &threadContext;
    return running;
}

}  // namespace boost::context::detail

#endif
