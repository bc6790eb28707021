#pragma once
// The platform's popup menu, waited for by the calling logical thread (never a nested loop).

#include <QPoint>
#include <QStringList>

namespace ui {

// Shows the items at the given place on the screen and returns the 1-based number of the item
// chosen; 0 when none was: the menu was dismissed, its thread was asked to close, the session
// ended, or it was called on the main stack, which cannot wait. Items may carry "&"
// accelerators; an item "-" is a separator and is not counted.
int popupMenu(const QStringList& items, QPoint globalPos);

}  // namespace ui
