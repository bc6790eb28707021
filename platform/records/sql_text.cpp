#include "platform/records/sql_text.h"

namespace records::sql {

std::string quoted(const std::string& identifier)
{
    std::string out = "\"";
    for (char c : identifier) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

std::string columnList(const Layout& layout)
{
    std::string out;
    for (const Column& c : layout.columns) {
        if (!out.empty()) out += ',';
        out += quoted(c.name);
    }
    return out;
}

std::string selectColumns(const Layout& layout, const std::vector<int>& columns)
{
    std::string out = std::string("SELECT ") + kPosition;
    for (int c : columns) out += ',' + quoted(layout.columns[std::size_t(c)].name);
    return out + " FROM " + kTable;
}

std::string selectRecord(const Layout& layout)
{
    return std::string("SELECT ") + kPosition + ',' + columnList(layout) + " FROM " + kTable;
}

std::string inKeyTest(const Layout& layout, const Key& key)
{
    if (!key.optional()) return {};
    std::string out;
    for (int index : key.components) {
        const Column& c = layout.columns[std::size_t(index)];
        out += out.empty() ? "(" : " OR ";
        out += quoted(c.name);
        switch (c.kind) {
        case ColumnKind::Text: out += " <> ''"; break;
        case ColumnKind::Memo: out += " <> x''"; break;
        case ColumnKind::Integer:
        case ColumnKind::Decimal: out += " <> 0"; break;
        }
    }
    return out + ')';
}

std::string equalities(const Layout& layout, const Key& key, int from, int to)
{
    std::string out;
    for (int i = from; i < to; ++i) {
        if (!out.empty()) out += " AND ";
        out += quoted(layout.columns[std::size_t(key.components[std::size_t(i)])].name) + " = ?";
    }
    return out;
}

std::string rowValueComparison(const Layout& layout, const Key& key, int from, const char* op)
{
    std::string names, marks;
    for (std::size_t i = std::size_t(from); i < key.components.size(); ++i) {
        if (!names.empty()) {
            names += ',';
            marks += ',';
        }
        names += quoted(layout.columns[std::size_t(key.components[i])].name);
        marks += '?';
    }
    return '(' + names + ") " + op + " (" + marks + ')';
}

std::string keyOrder(const Layout& layout, const Key& key, bool descending)
{
    const char* direction = descending ? " DESC," : ",";
    std::string out;
    for (int index : key.components) out += quoted(layout.columns[std::size_t(index)].name) + direction;
    return out + kPosition + (descending ? " DESC" : "");
}

std::string where(std::initializer_list<std::string> terms)
{
    std::string out;
    for (const std::string& t : terms) {
        if (t.empty()) continue;
        out += out.empty() ? " WHERE " : " AND ";
        out += t;
    }
    return out;
}

}  // namespace records::sql
