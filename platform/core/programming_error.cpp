#include "platform/core/programming_error.h"

#include <cstdio>
#include <cstdlib>

void programmingError(std::string_view what)
{
    std::fprintf(stderr, "tolvex: programming error: %.*s\n", int(what.size()), what.data());
    std::fflush(stderr);
    std::abort();
}
