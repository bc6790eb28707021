#pragma once
// The program's entry and exit on the first thread: the regional settings, the key aliases,
// the process-wide objects, the first thread's file managers, the main frame, and the order
// of shut-down.

void ProgramMain();
