#include "platform/ui/browse/query_terms.h"

#include "platform/core/picture.h"

#include <QByteArray>
#include <QStringList>

namespace ui {
namespace {

using records::Comparison;

const records::Column* columnOf(const BrowseColumn& c, const records::Layout& layout)
{
    if (!c.field) return nullptr;
    const int index = layout.columnAt(c.field.offset);
    return index < 0 ? nullptr : &layout.columns[std::size_t(index)];
}

}  // namespace

std::vector<int> QueryColumns(const std::vector<BrowseColumn>& columns, const records::Layout& layout)
{
    std::vector<int> out;
    for (int i = 0; i < int(columns.size()); ++i)
        if (const records::Column* c = columnOf(columns[std::size_t(i)], layout); c && c->kind != records::ColumnKind::Memo)
            out.push_back(i);
    return out;
}

std::vector<std::pair<Comparison, QString>> QueryOperators(const BrowseColumn& column)
{
    std::vector<std::pair<Comparison, QString>> out = {
        {Comparison::Equal, QStringLiteral("=")},          {Comparison::NotEqual, QStringLiteral("<>")},
        {Comparison::Less, QStringLiteral("<")},           {Comparison::LessOrEqual, QStringLiteral("<=")},
        {Comparison::Greater, QStringLiteral(">")},        {Comparison::GreaterOrEqual, QStringLiteral(">=")},
    };
    if (!column.field.numeric) {
        out.push_back({Comparison::Contains, QStringLiteral("contains")});
        out.push_back({Comparison::BeginsWith, QStringLiteral("begins with")});
    }
    return out;
}

QueryCondition ConditionOf(const Query& query, const std::vector<BrowseColumn>& columns, const records::Layout& layout)
{
    QueryCondition out;
    for (int i = 0; i < int(query.size()); ++i) {
        const QueryTerm& t = query[std::size_t(i)];
        if (t.value.trimmed().isEmpty() || t.column < 0 || t.column >= int(columns.size())) continue;
        const BrowseColumn& c = columns[std::size_t(t.column)];
        const records::Column* field = columnOf(c, layout);
        if (!field) continue;
        if (field->kind == records::ColumnKind::Text) {
            out.condition &= records::textCondition(*field, t.how, t.value.toStdString());
            continue;
        }
        Decimal value;
        if (!Deformat(t.value.trimmed(), c.picture, value)) {
            out.refused = i;
            return out;
        }
        out.condition &= records::numberCondition(*field, t.how, value);
    }
    return out;
}

QString EncodeQuery(const Query& query)
{
    QStringList terms;
    for (const QueryTerm& t : query)
        terms << QStringLiteral("%1,%2,%3")
                     .arg(t.column)
                     .arg(int(t.how))
                     .arg(QString::fromLatin1(t.value.toUtf8().toPercentEncoding()));
    return terms.join(u';');
}

std::optional<Query> DecodeQuery(const QString& text)
{
    Query query;
    if (text.isEmpty()) return query;
    for (const QString& term : text.split(u';')) {
        const QStringList parts = term.split(u',');
        bool columnRead = false, howRead = false;
        const int column = parts.value(0).toInt(&columnRead);
        const int how = parts.value(1).toInt(&howRead);
        if (parts.size() != 3 || !columnRead || !howRead || how < 0 || how > int(Comparison::BeginsWith)) return std::nullopt;
        query.push_back({column, Comparison(how), QString::fromUtf8(QByteArray::fromPercentEncoding(parts[2].toLatin1()))});
    }
    return query;
}

}  // namespace ui
