#pragma once
// A test of records that SQL makes: a term of a query's WHERE with a "?" for each value, the
// values bound in order. What a user types is only ever a bound value, never part of the text,
// so quotes, "%", "_" and "\" mean nothing but themselves, and a miss costs no row in C++.

#include "platform/records/layout.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct sqlite3_stmt;
class Decimal;

namespace records {

struct Condition {
    using Value = std::variant<std::int64_t, double, std::string>;
    std::string sql;  // empty: every record
    std::vector<Value> values;
    // Its cost goes by the records it finds, not by the file's size (an index serves it), and
    // its records may come sorted: a read by it is never sliced (see Cursor::setSlicing).
    bool bounded = false;

    explicit operator bool() const { return !sql.empty(); }
    bool operator==(const Condition&) const = default;
    // Both hold.
    Condition& operator&=(const Condition& other);
    // The values as parameters from `index` on; returns the next free parameter.
    int bind(sqlite3_stmt* stmt, int index) const;
};

// How a field is compared with a value.
enum class Comparison { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual, Contains, BeginsWith };

// A text field against a text (UTF-8), regardless of case as the program folds it. Contains
// and BeginsWith find the text as it stands anywhere or at the start; the other comparisons
// are those of the field's order, where trailing blanks never count.
Condition textCondition(const Column& column, Comparison how, std::string_view utf8);
// A number field (integer or decimal) against a value; Contains and BeginsWith are Equal.
Condition numberCondition(const Column& column, Comparison how, const Decimal& value);

}  // namespace records
