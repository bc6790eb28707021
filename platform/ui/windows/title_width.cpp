#include "platform/ui/windows/title_width.h"

#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace ui {

int titleBarWidth(const QWidget& window)
{
    QFont own = window.font();
    own.setBold(true);
    // window managers' title fonts run larger than the dialogs' own (openbox's by a third)
    QFont desktop(QStringLiteral("Sans Serif"));
    desktop.setPointSizeF(own.pointSizeF() * 1.4);
    desktop.setStyleHint(QFont::SansSerif);
    desktop.setBold(true);
    const QString title = window.windowTitle();
    const int text = std::max(QFontMetrics(own).horizontalAdvance(title), QFontMetrics(desktop).horizontalAdvance(title));
    return text + 4 * window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

}  // namespace ui
