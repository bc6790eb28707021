#include "platform/ui/windows/control_colors.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace ui {

QColor colorOfRef(std::uint32_t ref)
{
    if (ref == COLOR_NONE) return {};
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

namespace {

// Sets the roles in every colour group, or takes them back from the style's palette.
void setRoles(QWidget& widget, std::initializer_list<QPalette::ColorRole> roles, const QColor& color)
{
    QPalette palette = widget.palette();
    const QPalette own = QApplication::palette(&widget);
    for (QPalette::ColorRole role : roles)
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, role, color.isValid() ? color : own.color(group, role));
    widget.setPalette(palette);
}

}  // namespace

void setTextColor(Control& control, const QColor& color)
{
    if (QWidget* w = control.widget()) setRoles(*w, {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}, color);
}

void setBackgroundColor(Control& control, const QColor& color)
{
    QWidget* w = control.widget();
    if (!w) return;
    setRoles(*w, {QPalette::Base, QPalette::Window, QPalette::Button}, color);
    // a prompt or a group paints its own area only when asked to
    w->setAutoFillBackground(color.isValid());
}

}  // namespace ui
