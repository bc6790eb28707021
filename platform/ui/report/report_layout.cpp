#include "platform/ui/report/report_layout.h"

namespace ui::report {

QSize pageSizeMils(QPageLayout::Orientation orientation)
{
    const QSize portrait(8268, 11693);
    return orientation == QPageLayout::Portrait ? portrait : portrait.transposed();
}

Control label(int x, int y, const QString& text, FontSpec font)
{
    Control c;
    c.kind = Kind::Label;
    c.x = x;
    c.y = y;
    c.text = text;
    c.font = std::move(font);
    return c;
}

Control field(int x, int y, const QString& picture, std::function<Decimal()> value, FontSpec font)
{
    Control c = label(x, y, {}, std::move(font));
    c.kind = Kind::Field;
    c.picture = picture;
    c.number = std::move(value);
    return c;
}

Control field(int x, int y, const QString& picture, std::function<QString()> value, FontSpec font)
{
    Control c = label(x, y, {}, std::move(font));
    c.kind = Kind::Field;
    c.picture = picture;
    c.string = std::move(value);
    return c;
}

Control text(int x, int y, int width, std::function<QString()> value, FontSpec font)
{
    Control c = label(x, y, {}, std::move(font));
    c.kind = Kind::Text;
    c.width = width;
    c.string = std::move(value);
    return c;
}

Control sum(int x, int y, const QString& picture, std::function<Decimal()> value, FontSpec font)
{
    Control c = field(x, y, picture, std::move(value), std::move(font));
    c.kind = Kind::Sum;
    return c;
}

Control pageNumber(int x, int y, const QString& picture, FontSpec font)
{
    Control c = label(x, y, {}, std::move(font));
    c.kind = Kind::PageNumber;
    c.picture = picture;
    return c;
}

Control rule(int x, int y, int width)
{
    Control c;
    c.kind = Kind::Rule;
    c.x = x;
    c.y = y;
    c.width = width;
    return c;
}

Control verticalRule(int x, int y, int height)
{
    Control c = rule(x, y, 0);
    c.height = height;
    return c;
}

Control box(int x, int y, int width, int height, std::vector<int> dividers)
{
    Control c = rule(x, y, width);
    c.kind = Kind::Box;
    c.height = height;
    c.dividers = std::move(dividers);
    return c;
}

Control image(int x, int y, int width, int height, std::function<QImage()> source)
{
    Control c = box(x, y, width, height);
    c.kind = Kind::Image;
    c.image = std::move(source);
    return c;
}

FontSpec font(double points, bool bold, const QString& family) { return FontSpec{family, points, bold}; }

}  // namespace ui::report
