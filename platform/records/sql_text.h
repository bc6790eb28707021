#pragma once
// The SQL of a record file's table and of the queries by its keys. Built once per file or
// cursor, never per row.

#include "platform/records/layout.h"

#include <string>

namespace records::sql {

inline constexpr const char* kTable = "records";
inline constexpr const char* kPosition = "pos";

std::string quoted(const std::string& identifier);  // "NAME"
// The FTS5 trigram index over a column's folded copy (Column::folded).
inline std::string trigramTable(const Column& column) { return column.folded + "_trigrams"; }
// "A","B",... in layout order
std::string columnList(const Layout& layout);
// SELECT pos,"A","B",... FROM records: the position is result column 0, field i
// result column i + 1
std::string selectRecord(const Layout& layout);
// The same with only the given fields: field columns[i] is result column i + 1
std::string selectColumns(const Layout& layout, const std::vector<int>& columns);

// The records an optional key holds: ("A" <> '' OR "B" <> 0). Empty for other keys. Every
// query by the key repeats it, so that the planner takes the key's partial index.
std::string inKeyTest(const Layout& layout, const Key& key);
// "A" = ? AND "B" = ?, over the key's components [from, to)
std::string equalities(const Layout& layout, const Key& key, int from, int to);
// ("B","C") op (?,?), over the key's components [from, end)
std::string rowValueComparison(const Layout& layout, const Key& key, int from, const char* op);
// "A","B",pos, each followed by DESC when descending
std::string keyOrder(const Layout& layout, const Key& key, bool descending);
// " WHERE t1 AND t2 ..." over the terms that are not empty; empty when all are
std::string where(std::initializer_list<std::string> terms);

}  // namespace records::sql
