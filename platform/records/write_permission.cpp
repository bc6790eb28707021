#include "platform/records/write_permission.h"

#include <unistd.h>

namespace records {

bool mayWrite(const std::string& path, const struct stat& st)
{
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.c_str(), W_OK) == 0;
}

}  // namespace records
