#include "platform/core/write_permission.h"

#include <unistd.h>

namespace write_permission {

bool mayWrite(const char* path, const struct stat& st)
{
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path, W_OK) == 0;
}

}  // namespace write_permission
