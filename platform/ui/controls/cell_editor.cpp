#include "platform/ui/controls/cell_editor.h"

#include "platform/ui/windows/event.h"
#include "platform/ui/windows/input_filter.h"

#include <QKeyEvent>

namespace ui {

namespace {

bool isEditingKey(int code)
{
    return code == KEY::Tab || code == (KEY::Shift | KEY::Tab) || code == KEY::Enter || code == KEY::Esc ||
           code == KEY::Up || code == KEY::Down;
}

}  // namespace

CellEditor::CellEditor(QWidget* parent, int maxLength, bool overwrite) : Entry(maxLength, overwrite, parent)
{
    // a frame that marks the row in editing clearly, within the row's height
    setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid palette(highlight); padding: 0px; }"));
}

bool CellEditor::event(QEvent* event)
{
    // before the focus chain takes Tab and the window takes Esc
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const int code = keyCodeOf(*static_cast<QKeyEvent*>(event));
        if (isEditingKey(code)) {
            if (event->type() == QEvent::KeyPress && onKey) onKey(code);
            event->accept();
            return true;
        }
    }
    return Entry::event(event);
}

}  // namespace ui
