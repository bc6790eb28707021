#pragma once
// Whether the program may write a file, decided without opening it.

#include <string>

#include <sys/stat.h>

namespace records {

// A file without any write permission bit is read-only even to the superuser, as a read-only
// attribute would be.
bool mayWrite(const std::string& path, const struct stat& st);

}  // namespace records
