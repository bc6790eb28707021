#pragma once
// Replacing a file's contents so that a crash or a full disk never leaves it half written.

#include <QString>

#include <string_view>

namespace atomic_file {

// Writes the bytes to a temporary file beside the target, flushes it to disk and renames it
// over the target. A symbolic link is followed and stays a link; an existing file keeps its
// mode, and its owner where the process may set it. A file without any write permission bit
// is left alone, also when running as root.
// False when the file was not replaced (it is then as it was).
bool replace(const QString& path, std::string_view bytes);

}  // namespace atomic_file
