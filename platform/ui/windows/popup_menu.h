#pragma once
// The platform's popup menu, waited for by the calling logical thread (never a nested loop).

#include <QIcon>
#include <QPoint>
#include <QStringList>

#include <functional>
#include <vector>

namespace ui {

// An item of a popup menu that runs what it stands for when chosen; an item with a submenu
// is not chosen itself, and an item "-" is a separator.
struct PopupItem {
    QString text;
    QIcon icon;
    std::function<void()> run;
    std::vector<PopupItem> submenu;
};

// Shows the items at the given place on the screen and returns the 1-based number of the item
// chosen; 0 when none was: the menu was dismissed, its thread was asked to close, the session
// ended, or it was called on the main stack, which cannot wait. Items may carry "&"
// accelerators; an item "-" is a separator and is not counted.
int popupMenu(const QStringList& items, QPoint globalPos);
// The same over items with icons and submenus, numbered in menu order (depth first); the
// chosen item runs.
int popupMenu(const std::vector<PopupItem>& items, QPoint globalPos);

}  // namespace ui
