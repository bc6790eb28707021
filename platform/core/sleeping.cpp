#include "platform/core/sleeping.h"

#include <time.h>

#include <thread>

namespace sleeping {
namespace {
Suspend installed = nullptr;
// the logical threads live on the OS thread that installed the suspension; a worker of the
// record layer sleeps plainly
std::thread::id logicalThreads;
}  // namespace

void sleepFor(int ms)
{
    if (installed && std::this_thread::get_id() == logicalThreads && installed(ms)) return;
    const timespec step{ms / 1000, long(ms % 1000) * 1000 * 1000};
    ::nanosleep(&step, nullptr);
}

void setSuspend(Suspend suspend)
{
    installed = suspend;
    logicalThreads = std::this_thread::get_id();
}

}  // namespace sleeping
