#include "platform/ui/browse/list_format.h"

namespace ui {
namespace {

QChar letterOf(ColumnAlign align)
{
    switch (align) {
    case ColumnAlign::Right: return u'R';
    case ColumnAlign::Centre: return u'C';
    case ColumnAlign::Decimal: return u'D';
    default: return u'L';
    }
}

// All of a column's format after its width.
QString afterWidth(const BrowseColumn& c)
{
    QString out = letterOf(c.align) + QStringLiteral("(%1)|").arg(c.indentDu);
    if (c.fixed) out += u'F';
    if (c.resizable) out += u'M';
    if (c.tooltip) out += u'P';
    out += u'~' + c.heading + u'~';
    if (c.headingAlign != c.align) out += letterOf(c.headingAlign) + QStringLiteral("(0)");
    out += c.picture + u'@';
    if (!c.defaultTooltip.isEmpty()) out += QStringLiteral("Q'") + c.defaultTooltip + u'\'';
    return out;
}

}  // namespace

QString ListFormat(const std::vector<BrowseColumn>& columns, const std::vector<int>& widthsDu)
{
    QString out;
    for (std::size_t i = 0; i < columns.size(); ++i)
        out += QString::number(i < widthsDu.size() ? widthsDu[i] : columns[i].widthDu) + afterWidth(columns[i]);
    return out;
}

QString DesignListFormat(const std::vector<BrowseColumn>& columns)
{
    std::vector<int> widths;
    for (const BrowseColumn& c : columns) widths.push_back(c.widthDu);
    return ListFormat(columns, widths);
}

std::optional<std::vector<int>> ListFormatWidths(const QString& format, const std::vector<BrowseColumn>& columns)
{
    std::vector<int> widths;
    qsizetype at = 0;
    for (const BrowseColumn& c : columns) {
        const qsizetype start = at;
        while (at < format.size() && format[at].isDigit() && at - start < 5) ++at;
        if (at == start) return std::nullopt;
        const int width = format.mid(start, at - start).toInt();
        const QString rest = afterWidth(c);
        if (width < 1 || format.mid(at, rest.size()) != rest) return std::nullopt;
        at += rest.size();
        widths.push_back(width);
    }
    if (at != format.size()) return std::nullopt;
    return widths;
}

}  // namespace ui
