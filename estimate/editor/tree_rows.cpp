#include "estimate/editor/tree_rows.h"

#include "platform/core/codepage.h"
#include "platform/core/picture.h"

#include <string>
#include <string_view>

namespace {

// The first `width` characters of a stored text with its trailing blanks; a line break stored
// in it shows as blanks, so the row keeps its width.
QString field(std::string_view bytes, std::size_t width)
{
    std::string text(bytes.substr(0, width));
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return codepage::fromCp1251(text);
}

QString pictured(const Decimal& value, const char* picture) { return Format(value, QString::fromLatin1(picture)); }

}  // namespace

ui::TreeRow FormatRootRow()
{
    ui::TreeRow row;
    row.text = QStringLiteral("Смета ");
    return row;
}

ui::TreeRow FormatEstimateRow(const HeadersRecord& h)
{
    ui::TreeRow row;
    row.text = pictured(Decimal(int(h.NUMBER)), "n_4") + ' ' + pictured(Decimal(int(h.DATEDOG)), "d6") + ' ' +
               field(h.NAME.bytes(), 50) + ' ' + field(h.ZAKAZCHIK.bytes(), 40);
    row.normalFg = TREECOLOR::EstimateText;
    row.normalBg = TREECOLOR::EstimateBack;
    return row;
}

ui::TreeRow FormatSectionRow(const GroupsWksRecord& s)
{
    ui::TreeRow row;
    row.text = QStringLiteral("Раздел ") + field(s.NAME.bytes(), 80) + QStringLiteral(" . ");
    row.normalBg = TREECOLOR::SectionBack;
    return row;
}

ui::TreeRow FormatWorkRow(const WrksInSmtRecord& w)
{
    ui::TreeRow row;
    row.text = pictured(w.CHELCH.value(), "n-8.2") + QStringLiteral(" | ") + field(w.NAME.bytes(), 70) +
               QStringLiteral(" |  ") + field(w.EDIZM.bytes(), 25);
    return row;
}
