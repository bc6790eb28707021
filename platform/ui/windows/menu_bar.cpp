#include "platform/ui/windows/menu_bar.h"

#include "platform/ui/windows/control.h"
#include "platform/ui/windows/event.h"
#include "platform/ui/windows/window.h"

#include <QLayout>
#include <QMenu>
#include <QMenuBar>

namespace ui {

MenuBar::MenuBar(Window& window) : window_(window), bar_(new QMenuBar(window.content()))
{
    bar_->setNativeMenuBar(false);  // the window's own, not the desktop's
    if (QLayout* layout = window.content()->layout()) layout->setMenuBar(bar_);
}

QMenu* MenuBar::addMenu(QMenu* parent, int number, const QString& name, const QString& text, const QIcon& icon)
{
    QMenu* menu = parent ? parent->addMenu(icon, text) : bar_->addMenu(icon, text);
    window_.add(CREATE::Menu, name, nullptr, number);
    items_[number] = menu->menuAction();
    return menu;
}

QAction* MenuBar::addItem(QMenu* menu, int number, const QString& name, const QString& text, const QIcon& icon)
{
    QAction* action = menu ? menu->addAction(icon, text) : bar_->addAction(icon, text);
    window_.add(CREATE::Item, name, nullptr, number);
    QObject::connect(action, &QAction::triggered, &window_, [this, number] { window_.post(EVENT::Accepted, number); });
    items_[number] = action;
    return action;
}

void MenuBar::addSeparator(QMenu* menu) { menu->addSeparator(); }

QAction* MenuBar::item(int number) const
{
    auto it = items_.find(number);
    return it == items_.end() ? nullptr : it->second;
}

}  // namespace ui
