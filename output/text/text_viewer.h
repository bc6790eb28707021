#pragma once
// `ShowTextFile`: a window showing a DOS text file (cp866) as it is when opened, the printer's
// control bytes removed, fixed-pitch and unwrapped, its text selectable but not editable. It runs
// on the calling thread until closed; the file stays as it is.

#include <QString>

#include <string>

void ShowTextFile(const QString& path);

namespace text_viewer {
// The text the window shows for the file's bytes.
QString shownText(const std::string& cp866);
}  // namespace text_viewer
