#include "platform/core/sleeping.h"

#include <time.h>

namespace sleeping {
namespace {
Suspend installed = nullptr;
}

void sleepFor(int ms)
{
    if (installed && installed(ms)) return;
    const timespec step{ms / 1000, long(ms % 1000) * 1000 * 1000};
    ::nanosleep(&step, nullptr);
}

void setSuspend(Suspend suspend) { installed = suspend; }

}  // namespace sleeping
