#pragma once
// Test helpers: source literals are UTF-8, the system's texts windows-1251.

#include "platform/core/codepage.h"

#include <string>

inline std::string cp(const char* utf8) { return codepage::utf8ToCp1251(utf8); }
