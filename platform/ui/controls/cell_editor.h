#pragma once
// The entry of in-place editing in a list cell: at most the field's width of characters, only
// characters that windows-1251 holds, optionally typing over the characters. The keys that
// move or end the editing (Tab, Shift+Tab, Enter, Esc, Up, Down) go to `onKey` with their key
// codes instead of the entry or the window.

#include "platform/ui/windows/entry.h"

#include <functional>

namespace ui {

class CellEditor : public Entry {
public:
    CellEditor(QWidget* parent, int maxLength, bool overwrite);

    std::function<void(int keyCode)> onKey;

protected:
    bool event(QEvent* event) override;
};

}  // namespace ui
