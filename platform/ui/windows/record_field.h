#pragma once
// One field of a record buffer seen as text, for lists and locators that know the record only
// as memory: its text (numbers as plain decimal text), how a text is stored back into it, and
// its width. recordField<&EdIzmerRecord::EDIZM>() builds it from the member.

#include "platform/core/decimal.h"
#include "platform/core/fixed_string.h"
#include "platform/records/layout.h"

#include <QString>

#include <functional>
#include <type_traits>

namespace ui {

struct RecordField {
    std::function<QString(const void* record)> get;
    std::function<void(void* record, const QString& text)> set;
    int width = 0;         // characters of a text field; 0 for numbers
    bool numeric = false;  // the text is a number (integers, decimals, dates)
    std::size_t offset = 0;  // where the field lies in its record: its column of the layout

    explicit operator bool() const { return bool(get); }
};

namespace record_field_detail {
template <class T>
struct Access;

template <std::size_t N>
struct Access<FixedString<N>> {
    static QString get(const FixedString<N>& v) { return v.toQString(); }
    static void set(FixedString<N>& v, const QString& text) { v = text; }
    static constexpr int width = int(N);
    static constexpr bool numeric = false;
};

template <int P, int S>
struct Access<DecimalField<P, S>> {
    static QString get(const DecimalField<P, S>& v) { return QString::fromStdString(v.value().toPlainString()); }
    static void set(DecimalField<P, S>& v, const QString& text) { v = textToNumber(text); }
    static constexpr int width = 0;
    static constexpr bool numeric = true;
};

template <class Int>
    requires std::is_integral_v<Int>
struct Access<Int> {
    static QString get(const Int& v) { return QString::number(v); }
    static void set(Int& v, const QString& text) { v = assignInteger<Int>(textToNumber(text)); }
    static constexpr int width = 0;
    static constexpr bool numeric = true;
};
}  // namespace record_field_detail

template <auto Member>
RecordField recordField()
{
    using Record = decltype(records::detail::recordOf(Member));
    using A = record_field_detail::Access<decltype(records::detail::fieldOf(Member))>;
    RecordField f;
    f.get = [](const void* r) { return A::get(static_cast<const Record*>(r)->*Member); };
    f.set = [](void* r, const QString& text) { A::set(static_cast<Record*>(r)->*Member, text); };
    f.width = A::width;
    f.numeric = A::numeric;
    f.offset = records::detail::memberOffset<Member>();
    return f;
}

}  // namespace ui
