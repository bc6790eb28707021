#include "estimate/editor/tree_rows.h"

#include "platform/core/codepage.h"
#include "platform/core/picture.h"

#include <string>
#include <string_view>

namespace {

// A stored text with its trailing blanks; a line break stored in it shows as blanks, so the
// row keeps its width.
QString field(std::string_view bytes)
{
    std::string text(bytes);
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return codepage::fromCp1251(text);
}

QString pictured(const Decimal& value, const char* picture) { return Format(value, QString::fromLatin1(picture)); }

}  // namespace

EstimateRowFields EstimateFieldsOf(const HeadersRecord& h)
{
    EstimateRowFields f;
    f.NUMBER = h.NUMBER;
    f.DATEDOG = h.DATEDOG;
    f.NAME = h.NAME;
    f.ZAKAZCHIK = h.ZAKAZCHIK;
    return f;
}

SectionRowFields SectionFieldsOf(const GroupsWksRecord& s)
{
    SectionRowFields f;
    f.NAME = s.NAME;
    return f;
}

WorkRowFields WorkFieldsOf(const WrksInSmtRecord& w)
{
    WorkRowFields f;
    f.CHELCH = w.CHELCH;
    f.NAME = w.NAME;
    f.EDIZM = w.EDIZM;
    return f;
}

QString RootRowText() { return QStringLiteral("Смета "); }

QString EstimateRowText(const EstimateRowFields& h)
{
    return pictured(Decimal(int(h.NUMBER)), "n_4") + ' ' + pictured(Decimal(int(h.DATEDOG)), "d6") + ' ' +
           field(h.NAME.bytes()) + ' ' + field(h.ZAKAZCHIK.bytes());
}

QString SectionRowText(const SectionRowFields& s)
{
    return QStringLiteral("Раздел ") + field(s.NAME.bytes()) + QStringLiteral(" . ");
}

QString WorkRowText(const WorkRowFields& w)
{
    return pictured(w.CHELCH.value(), "n-8.2") + QStringLiteral(" | ") + field(w.NAME.bytes()) + QStringLiteral(" |  ") +
           field(w.EDIZM.bytes());
}

ui::TreeRow RootRow() { return {}; }

ui::TreeRow EstimateRow()
{
    ui::TreeRow row;
    row.normalFg = TREECOLOR::EstimateText;
    row.normalBg = TREECOLOR::EstimateBack;
    return row;
}

ui::TreeRow SectionRow()
{
    ui::TreeRow row;
    row.normalBg = TREECOLOR::SectionBack;
    return row;
}

ui::TreeRow WorkRow() { return {}; }
