#pragma once
// A query of a browse list: per column an operator and a value (as the user typed it), the
// conditions that SQL tests, and the text a named query is stored as. Empty values are no
// condition; the conditions all hold together. Texts are compared regardless of case, numbers
// as decimals read under the column's picture.

#include "platform/records/condition.h"
#include "platform/records/layout.h"
#include "platform/ui/browse/browse_column.h"

#include <QString>

#include <optional>
#include <vector>

namespace ui {

struct QueryTerm {
    int column = 0;  // index into the list's columns
    records::Comparison how = records::Comparison::Equal;
    QString value;
    bool operator==(const QueryTerm&) const = default;
};
using Query = std::vector<QueryTerm>;

// The columns a query offers: those that show a field of the file.
std::vector<int> QueryColumns(const std::vector<BrowseColumn>& columns, const records::Layout& layout);
// The operators a column offers, with their captions: texts also "contains" and "begins with".
std::vector<std::pair<records::Comparison, QString>> QueryOperators(const BrowseColumn& column);

struct QueryCondition {
    records::Condition condition;
    int refused = -1;  // the term whose number did not read; -1: none
};
QueryCondition ConditionOf(const Query& query, const std::vector<BrowseColumn>& columns, const records::Layout& layout);

// A query as one line of plain characters, and back (none when the text is no query).
QString EncodeQuery(const Query& query);
std::optional<Query> DecodeQuery(const QString& text);

}  // namespace ui
