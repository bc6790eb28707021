#pragma once
// The layout most forms share: their sheet above a row of "OK" and "Отменить", with "Помощь"
// after them where the form has it, right-aligned; a control of the form's own (a lookup
// button) may stand at the row's start. None of them is a default button: Enter in an entry
// does not complete the form; on a button it presses that button.

#include "platform/ui/windows/window.h"

namespace ui {

struct FormButtons {
    int ok = 0;
    int cancel = 0;
    int help = 0;  // 0: the form has no "Помощь"
    QWidget* leading = nullptr;
};

void layOutForm(Window& window, QWidget* sheet, const FormButtons& buttons);

}  // namespace ui
