#pragma once
// The file an export writes: removed when the run starts and again after a failed write, so a
// reader is never started on an old or half-written file, nor takes one for the new one.

#include "platform/core/line_file.h"

#include <QString>

#include <string>
#include <vector>

// The first step of every run: no file of the run's name is left from an earlier one, whatever
// becomes of this one.
void removeExportFile(const QString& path);

// Writes the lines (windows-1251 in memory; each cut to `width`, without trailing blanks, CR LF)
// to the file in the code page. False after a failure, which has been reported with the error
// reporter's add message naming the file; what had been written of it is removed.
bool writeExportFile(const QString& path, LineCodePage codePage, const std::vector<std::string>& lines,
                     std::size_t width);
