#pragma once
// The layout of a record file: its fields bound to the members of a C++ record buffer, and
// its keys; or, for a line-oriented text file, its one text field. Built once per file with
// LayoutBuilder.

#include "platform/core/decimal.h"
#include "platform/core/fixed_string.h"
#include "platform/core/line_file.h"
#include "platform/core/memo_field.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

struct sqlite3_stmt;

namespace records {

enum class ColumnKind { Integer, Text, Decimal, Memo };

struct Column {
    std::string name;   // the column in the file: the field's name without its prefix ("NUMSMET")
    std::string label;  // the field as the program names it ("GRO:NUMSMET")
    ColumnKind kind = ColumnKind::Integer;
    int width = 0;   // text: characters; memo: bytes; decimal: digits
    int places = 0;  // decimal: places
    std::size_t offset = 0;  // of the field in the record buffer
    std::int64_t minValue = 0, maxValue = 0;  // integers: the range of the field

    void (*bind)(sqlite3_stmt*, int index, const void* record) = nullptr;
    void (*read)(sqlite3_stmt*, int column, void* record) = nullptr;
    void (*clear)(void* record) = nullptr;
    bool (*isBlank)(const void* record) = nullptr;  // blank text, zero number, empty memo
    bool (*equal)(const void* a, const void* b) = nullptr;
    // integer columns only: the value as a whole number
    std::int64_t (*getInteger)(const void* record) = nullptr;
    void (*setInteger)(void* record, std::int64_t value) = nullptr;
    // text columns only: the blank-padded windows-1251 bytes
    std::string_view (*getText)(const void* record) = nullptr;
    // text columns only: the stored column that keeps the text upper-cased as the program
    // folds it, so that a search by it folds no stored text (empty: none)
    std::string folded;
};

enum KeyFlag : unsigned { Dup = 1, NoCase = 2, Opt = 4, Primary = 8 };

struct Key {
    std::string name;     // as the program names it ("GRO:KeyNumInsmeta")
    std::string sqlName;  // the index in the file ("KeyNumInsmeta")
    std::vector<int> components;  // column indexes, in key order
    unsigned flags = 0;
    bool unique() const { return !(flags & Dup); }
    bool optional() const { return flags & Opt; }
    bool noCase() const { return flags & NoCase; }
};

struct Layout {
    std::string label;   // "GroupsWks"
    std::string prefix;  // "GRO"
    // "GROUPSWK.TPS": the label cut to 8 characters, upper-cased; a text file has no extension
    std::string diskName;
    int version = 1;  // raise when the columns change: a file of another version is refused
    // A line-oriented text file: one text field, one line per record, no keys.
    bool text = false;
    LineCodePage codePage = LineCodePage::Cp1251;  // of a text file's lines
    std::size_t recordSize = 0;
    std::vector<Column> columns;
    std::vector<Key> keys;

    int columnIndex(const std::string& nameOrLabel) const;  // -1 when unknown
    int columnAt(std::size_t offset) const;                 // the field at that offset; -1: none
    int keyIndex(const std::string& name) const;            // -1 when unknown
    void clear(void* record) const;
    void copy(void* to, const void* from) const { std::memcpy(to, from, recordSize); }
    bool equal(const void* a, const void* b) const;
    // all of the key's fields blank or zero: the record is out of an optional key
    bool outOfKey(const Key& key, const void* record) const;
};

// Binding of the field types to the file's columns.
namespace binding {
void bindInteger(sqlite3_stmt*, int index, std::int64_t v);
std::int64_t readInteger(sqlite3_stmt*, int column);
void bindText(sqlite3_stmt*, int index, std::string_view cp1251);  // stored as UTF-8 without trailing blanks
void readText(sqlite3_stmt*, int column, char* out, std::size_t width);  // blank-padded windows-1251
void bindBlob(sqlite3_stmt*, int index, std::string_view bytes);
std::string_view readBlob(sqlite3_stmt*, int column);
}  // namespace binding

template <class T>
struct FieldTraits;

template <class Int>
    requires std::is_integral_v<Int>
struct FieldTraits<Int> {
    static constexpr ColumnKind kind = ColumnKind::Integer;
    static constexpr int width = 0, places = 0;
    static void bind(sqlite3_stmt* s, int i, const Int& v) { binding::bindInteger(s, i, v); }
    static void read(sqlite3_stmt* s, int c, Int& v) { v = static_cast<Int>(binding::readInteger(s, c)); }
    static void clear(Int& v) { v = 0; }
    static bool isBlank(const Int& v) { return v == 0; }
};

template <std::size_t N>
struct FieldTraits<FixedString<N>> {
    static constexpr ColumnKind kind = ColumnKind::Text;
    static constexpr int width = int(N), places = 0;
    static void bind(sqlite3_stmt* s, int i, const FixedString<N>& v) { binding::bindText(s, i, v.clipped()); }
    static void read(sqlite3_stmt* s, int c, FixedString<N>& v) { binding::readText(s, c, &v[0], N); }
    static void clear(FixedString<N>& v) { v.clear(); }
    static bool isBlank(const FixedString<N>& v) { return v.isBlank(); }
};

template <int P, int S>
struct FieldTraits<DecimalField<P, S>> {
    static constexpr ColumnKind kind = ColumnKind::Decimal;
    static constexpr int width = P, places = S;
    static void bind(sqlite3_stmt* s, int i, const DecimalField<P, S>& v) { binding::bindInteger(s, i, v.scaled()); }
    static void read(sqlite3_stmt* s, int c, DecimalField<P, S>& v) { v.setScaled(binding::readInteger(s, c)); }
    static void clear(DecimalField<P, S>& v) { v.setScaled(0); }
    static bool isBlank(const DecimalField<P, S>& v) { return v.isZero(); }
};

template <std::size_t N>
struct FieldTraits<MemoField<N>> {
    static constexpr ColumnKind kind = ColumnKind::Memo;
    static constexpr int width = int(N), places = 0;
    static void bind(sqlite3_stmt* s, int i, const MemoField<N>& v) { binding::bindBlob(s, i, v.bytes()); }
    static void read(sqlite3_stmt* s, int c, MemoField<N>& v) { v.setBytes(binding::readBlob(s, c)); }
    static void clear(MemoField<N>& v) { v.clear(); }
    static bool isBlank(const MemoField<N>& v) { return v.isEmpty(); }
};

namespace detail {
template <class R, class T>
R recordOf(T R::*);
template <class R, class T>
T fieldOf(T R::*);
// Where the member lies in its record.
template <auto M>
std::size_t memberOffset()
{
    using R = decltype(recordOf(M));
    static const R probe{};
    return std::size_t(reinterpret_cast<const char*>(&(probe.*M)) - reinterpret_cast<const char*>(&probe));
}
// A key naming a field its layout does not have is a programming error: stops the program.
int componentIndex(const Layout& layout, const std::string& key, const char* component);
// The text field `name`; any other is a programming error.
int columnOf(const Layout& layout, const char* name);
// The label cut to its first 8 characters, upper-cased.
std::string diskStem(const std::string& label);
inline constexpr const char* kKeyedExtension = ".TPS";
}  // namespace detail

// LayoutBuilder<GroupsWks>("GroupsWks", "GRO").field<&GroupsWks::NUMSMET>("NUMSMET")...
//     .key("GRO:KeyNumInsmeta", {"NUMSMET", "NUMINSMETA"}, Dup | NoCase).build();
template <class R>
class LayoutBuilder {
    static_assert(std::is_trivially_copyable_v<R>, "record buffers are copied as bytes");

public:
    LayoutBuilder(std::string label, std::string prefix, int version = 1)
    {
        layout_.label = std::move(label);
        layout_.prefix = std::move(prefix);
        layout_.version = version;
        layout_.recordSize = sizeof(R);
        layout_.diskName = detail::diskStem(layout_.label) + detail::kKeyedExtension;
    }

    // A line-oriented text file, its lines in `codePage`, under the disk name without extension.
    LayoutBuilder& textFile(LineCodePage codePage)
    {
        layout_.text = true;
        layout_.codePage = codePage;
        layout_.diskName = detail::diskStem(layout_.label);
        return *this;
    }

    template <auto M>
    LayoutBuilder& field(const char* name)
    {
        using Rec = decltype(detail::recordOf(M));
        using T = decltype(detail::fieldOf(M));
        static_assert(std::is_same_v<Rec, R>, "the member belongs to another record");
        using Tr = FieldTraits<T>;
        Column c;
        c.name = name;
        c.label = layout_.prefix + ":" + name;
        c.kind = Tr::kind;
        c.width = Tr::width;
        c.places = Tr::places;
        c.offset = detail::memberOffset<M>();
        c.bind = [](sqlite3_stmt* s, int i, const void* r) { Tr::bind(s, i, static_cast<const R*>(r)->*M); };
        c.read = [](sqlite3_stmt* s, int col, void* r) { Tr::read(s, col, static_cast<R*>(r)->*M); };
        c.clear = [](void* r) { Tr::clear(static_cast<R*>(r)->*M); };
        c.isBlank = [](const void* r) { return Tr::isBlank(static_cast<const R*>(r)->*M); };
        c.equal = [](const void* a, const void* b) {
            return static_cast<const R*>(a)->*M == static_cast<const R*>(b)->*M;
        };
        if constexpr (std::is_integral_v<T>) {
            c.minValue = std::numeric_limits<T>::min();
            c.maxValue = std::numeric_limits<T>::max();
            c.getInteger = [](const void* r) { return std::int64_t(static_cast<const R*>(r)->*M); };
            c.setInteger = [](void* r, std::int64_t v) { static_cast<R*>(r)->*M = static_cast<T>(v); };
        }
        if constexpr (Tr::kind == ColumnKind::Text)
            c.getText = [](const void* r) { return (static_cast<const R*>(r)->*M).bytes(); };
        layout_.columns.push_back(std::move(c));
        return *this;
    }

    // The text field `name` keeps a folded copy that the file maintains on every write.
    LayoutBuilder& foldedCopy(const char* name)
    {
        Column& c = layout_.columns[std::size_t(detail::columnOf(layout_, name))];
        c.folded = std::string("folded_") + name;
        return *this;
    }

    // components are field names without the prefix
    LayoutBuilder& key(const std::string& name, std::initializer_list<const char*> components, unsigned flags);

    Layout build() { return std::move(layout_); }

private:
    Layout layout_;
};

template <class R>
LayoutBuilder<R>& LayoutBuilder<R>::key(const std::string& name, std::initializer_list<const char*> components,
                                        unsigned flags)
{
    Key k;
    k.name = name;
    auto colon = name.find(':');
    k.sqlName = colon == std::string::npos ? name : name.substr(colon + 1);
    for (const char* c : components) k.components.push_back(detail::componentIndex(layout_, name, c));
    k.flags = flags;
    layout_.keys.push_back(std::move(k));
    return *this;
}

}  // namespace records
