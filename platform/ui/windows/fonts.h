#pragma once
// The fonts the program's windows and reports name are Windows fonts; on Linux they are found
// through substitutions by fonts with Cyrillic of the same metrics and pitch.

#include <QFont>

namespace ui {

void registerFontSubstitutions();
// The windows' font: the family that stands in for "MS Sans Serif", at its size. Named by
// that family, not by "MS Sans Serif", so that nothing is left to fontconfig's default.
QFont programFont();

}  // namespace ui
