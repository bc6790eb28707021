#include "platform/records/contains_search.h"

#include "platform/core/collation.h"
#include "platform/records/sql_text.h"
#include "platform/records/statement_use.h"

#include <algorithm>

namespace records {
namespace {

// The tokenizer's unit: the index serves texts of three characters or more.
constexpr long kTrigram = 3;

long characters(std::string_view utf8)
{
    return std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

// The text as one phrase of the index's query language, where it means nothing but itself.
std::string phrase(std::string_view utf8)
{
    std::string out = "\"";
    for (char c : utf8) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + '"';
}

}  // namespace

Condition containsCondition(RecordFile& file, const Column& column, std::string_view utf8)
{
    Condition tested = textCondition(column, Comparison::Contains, utf8);
    if (column.folded.empty() || !file.isOpen()) return tested;
    const std::string folded = collation::toUpperUtf8(utf8);
    if (characters(folded) < kTrigram) return tested;
    const std::string index = sql::quoted(sql::trigramTable(column));
    const std::string matching = "SELECT rowid FROM " + index + " WHERE " + index + " MATCH ?";
    StatementUse s(file.statement("SELECT count(*) FROM (" + matching + " LIMIT " +
                                  std::to_string(kFewRecordsForIndex + 1) + ")"));
    if (!s) return tested;
    const std::string query = phrase(folded);
    sqlite3_bind_text(s.get(), 1, query.data(), int(query.size()), SQLITE_TRANSIENT);
    if (s.step() != SQLITE_ROW || sqlite3_column_int(s.get(), 0) > kFewRecordsForIndex) return tested;
    // the folded copy's test stays: the index finds the candidates, the copy decides
    tested.sql += std::string(" AND ") + sql::kPosition + " IN (" + matching + ")";
    tested.values.emplace_back(query);
    tested.bounded = true;
    return tested;
}

}  // namespace records
