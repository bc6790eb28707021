#pragma once
// A fault of the program itself, never of the user's data or of the machine (a window that is
// no list, a key that names no field, a wait outside a logical thread): going on would only
// hide it, so it is said on the standard error and the program stops at once.

#include <string_view>

[[noreturn]] void programmingError(std::string_view what);
