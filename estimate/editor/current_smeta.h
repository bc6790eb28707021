#pragma once
// `CurrentSmeta`: the estimate editor, the window "Текущая смета". It asks for the estimate
// through `SelectSmeta`, shows it as a tree of header, sections and work lines, adds, changes,
// deletes and moves them through their forms, and starts the reports, the act window and the
// exports by name. One editor is open at a time: a second one hands over to it and closes.

#include <cstdint>

void CurrentSmeta();

// The thread of the open editor; 0 when none is open.
extern std::int32_t CurrentSmetaThread;
