#pragma once
// A record file's name that leads to something other than a regular file: a folder, a device,
// a pipe or a socket. SQLite would take a folder for a file it may not write and then fail
// with its own English text, and opening a pipe would block; such a name is refused at once.

#include "platform/records/error_codes.h"

struct stat;

namespace records {

// kBadFileStructure with the reason in place of the code's text, or no error for a regular
// file. `st` is the stat of the name (symbolic links followed).
RecordError refusalOfPath(const struct stat& st);

}  // namespace records
