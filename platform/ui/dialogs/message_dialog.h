#pragma once
// Wing dialogs: message and file dialogs, the nested dialog runner, printer and set-up.
// The platform's message dialog: the presenter behind Message() in the running program. It is
// a nested window of the calling logical thread, so it blocks only that thread's windows.

namespace ui {

// Makes Message() show the message dialog. A message is answered by one of its buttons, or
// by its close box or Esc as the button Esc gives; at the end of the session none is shown and
// each answers No where it has that button, else the button Esc gives (ui::setSessionEnding).
void installMessageDialog();

}  // namespace ui
