#pragma once
// The file an export writes: emptied or created first, every line and the close checked, so a
// reader is never started on an old or half-written file.

#include "platform/core/line_file.h"

#include <QString>

#include <string>
#include <vector>

// Writes the lines (windows-1251 in memory; each cut to `width`, without trailing blanks, CR LF)
// to the file in the code page. False after a failure, which has been reported with the error
// reporter's add message naming the file.
bool writeExportFile(const QString& path, LineCodePage codePage, const std::vector<std::string>& lines,
                     std::size_t width);
