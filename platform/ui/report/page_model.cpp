#include "platform/ui/report/page_model.h"

namespace ui::report {

QString dump(const Page& page)
{
    QString out;
    for (const Item& i : page.items) {
        const QRect& r = i.rect;
        switch (i.kind) {
        case Item::Text:
            out += QStringLiteral("T %1 %2 %3 %4 |%5|\n").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).arg(i.text);
            break;
        case Item::Line:
            out += QStringLiteral("L %1 %2 %3 %4\n").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
            break;
        case Item::Frame:
            out += QStringLiteral("F %1 %2 %3 %4\n").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
            break;
        case Item::Picture:
            out += QStringLiteral("P %1 %2 %3 %4\n").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
            break;
        }
    }
    return out;
}

}  // namespace ui::report
