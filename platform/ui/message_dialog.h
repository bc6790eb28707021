#pragma once
// The platform's message dialog: the presenter behind Message() in the running program. It is
// a nested window of the calling logical thread, so it blocks only that thread's windows.

namespace ui {

// Makes Message() show the message dialog.
void installMessageDialog();

// While on (the orderly end of a session), no message is shown: each answers No where it has
// that button, else the button that Esc gives; the dialogs open now close the same way.
void setMessagesSuppressed(bool suppressed);

}  // namespace ui
