#pragma once
// Waiting for a while without stopping the program's other windows. On a logical thread only
// that thread is suspended while the event loop and the other threads go on; the window layer,
// which owns the threads, installs how. Elsewhere (the main stack, a program without windows)
// the caller simply sleeps.

namespace sleeping {

// Waits about `ms` milliseconds.
void sleepFor(int ms);

// Suspends the calling logical thread for `ms` milliseconds; false when it cannot (no logical
// thread runs, or its record operations are not all finished), and the caller then sleeps.
using Suspend = bool (*)(int ms);
// Installed on the OS thread of the logical threads; on any other the caller sleeps. Null:
// plain sleeping only.
void setSuspend(Suspend suspend);

}  // namespace sleeping
