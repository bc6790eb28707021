#pragma once
// Whether the program may write a file, decided without opening it (closing a descriptor of a
// record file would drop the process's locks on it).

#include <sys/stat.h>

namespace write_permission {

// `st` is the file's status. A file without any write permission bit is read-only even to the
// superuser, as a read-only attribute would be; access() alone says yes to root for every file.
bool mayWrite(const char* path, const struct stat& st);

}  // namespace write_permission
