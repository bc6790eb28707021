#pragma once
// What the running program and its window tests share from the start: the fonts the windows
// name, the windows' font, and Qt's own texts in Russian.

namespace ui {

// Call once, after the application object is made and before any window is.
void setUpApplication();

}  // namespace ui
