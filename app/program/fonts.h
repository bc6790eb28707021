#pragma once
// The fonts the program's windows and reports name are Windows fonts; on Linux they are found
// through substitutions by fonts with Cyrillic of the same metrics and pitch.

void registerFontSubstitutions();
