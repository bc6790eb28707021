#pragma once
// Full-window dragging inside the program: with it on (1), the frame's MDI children move and
// resize with their contents; off (0), as an outline. The desktop's own setting is never
// read or changed. It starts on.

// The current setting; true, as it can always be read.
bool getDragFullWindows(int& value);
// Applies to the frame's current subwindows and to every one added later.
void setDragFullWindows(int value);
