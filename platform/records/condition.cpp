#include "platform/records/condition.h"

#include "platform/core/collation.h"
#include "platform/core/decimal.h"
#include "platform/records/connection.h"
#include "platform/records/sql_text.h"

#include <sqlite3.h>

namespace records {
namespace {

const char* operatorOf(Comparison how)
{
    switch (how) {
    case Comparison::NotEqual: return " <> ";
    case Comparison::Less: return " < ";
    case Comparison::LessOrEqual: return " <= ";
    case Comparison::Greater: return " > ";
    case Comparison::GreaterOrEqual: return " >= ";
    default: return " = ";
    }
}

std::string trimmedRight(std::string_view text)
{
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

Condition& Condition::operator&=(const Condition& other)
{
    if (!other) return *this;
    sql = sql.empty() ? other.sql : "(" + sql + ") AND (" + other.sql + ")";
    values.insert(values.end(), other.values.begin(), other.values.end());
    bounded = bounded || other.bounded;
    return *this;
}

int Condition::bind(sqlite3_stmt* stmt, int index) const
{
    for (const Value& v : values) {
        if (const auto* i = std::get_if<std::int64_t>(&v))
            sqlite3_bind_int64(stmt, index, *i);
        else if (const auto* d = std::get_if<double>(&v))
            sqlite3_bind_double(stmt, index, *d);
        else {
            const std::string& s = std::get<std::string>(v);
            sqlite3_bind_text(stmt, index, s.data(), int(s.size()), SQLITE_TRANSIENT);
        }
        ++index;
    }
    return index;
}

Condition textCondition(const Column& column, Comparison how, std::string_view utf8)
{
    const std::string name = sql::quoted(column.name);
    if (how == Comparison::Contains || how == Comparison::BeginsWith) {
        // a text with a folded copy is searched in it, without folding every stored text
        const std::string folded =
            column.folded.empty() ? std::string(kUpperFunction) + "(" + name + ")" : sql::quoted(column.folded);
        return {"instr(" + folded + ", ?)" + (how == Comparison::Contains ? " > 0" : " = 1"),
                {collation::toUpperUtf8(utf8)}};
    }
    return {name + " COLLATE " + kNoCaseCollation + operatorOf(how) + "?", {trimmedRight(utf8)}};
}

Condition numberCondition(const Column& column, Comparison how, const Decimal& value)
{
    // decimals are stored scaled by their places; a value with more places than the field's
    // is compared as a real, which no stored value equals
    mpq_class scaled = value.rational();
    for (int i = 0; i < column.places; ++i) scaled *= 10;
    scaled.canonicalize();
    const std::string text = sql::quoted(column.name) + operatorOf(how) + "?";
    if (scaled.get_den() == 1 && scaled.get_num().fits_slong_p()) return {text, {std::int64_t(scaled.get_num().get_si())}};
    return {text, {scaled.get_d()}};
}

}  // namespace records
