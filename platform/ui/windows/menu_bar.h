#pragma once
// The menu bar of a window that is not the frame (an MDI child): menus inside menus,
// separators and item icons. Menus and items are controls of the window under their numbers;
// choosing an item posts EVENT:Accepted for it.

#include <QIcon>
#include <QString>

#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace ui {

class Window;

class MenuBar {
public:
    // Puts the bar at the top of the window's content (its layout must be set).
    explicit MenuBar(Window& window);

    // A menu in `parent` (null: the bar).
    QMenu* addMenu(QMenu* parent, int number, const QString& name, const QString& text, const QIcon& icon = {});
    // An item in `menu` (null: the bar itself).
    QAction* addItem(QMenu* menu, int number, const QString& name, const QString& text, const QIcon& icon = {});
    void addSeparator(QMenu* menu);

    QAction* item(int number) const;
    QMenuBar* widget() const { return bar_; }

private:
    Window& window_;
    QMenuBar* bar_;
    std::map<int, QAction*> items_;
};

}  // namespace ui
