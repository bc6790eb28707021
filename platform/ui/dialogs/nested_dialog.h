#pragma once
// One of Qt's own dialogs shown inside a nested window of the calling logical thread. The
// window gives it what every nested window has: the thread's other windows disabled while it
// is open, the focus given back when it closes, and its closing when the thread is asked to
// close (the end of the program or of the session).

class QDialog;

namespace ui {

class Window;

// Shows `dialog`, a child of `window.content()`, and waits for it; true when the user accepted
// it, false when it was cancelled or closed.
bool runNestedDialog(Window& window, QDialog& dialog);

}  // namespace ui
