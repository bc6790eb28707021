#include "platform/records/layout.h"

#include "platform/core/collation.h"
#include "platform/core/programming_error.h"

namespace records {

int Layout::columnIndex(const std::string& nameOrLabel) const
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == nameOrLabel || columns[i].label == nameOrLabel) return int(i);
    return -1;
}

int Layout::columnAt(std::size_t offset) const
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].offset == offset) return int(i);
    return -1;
}

int Layout::keyIndex(const std::string& name) const
{
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i].name == name) return int(i);
    return -1;
}

void Layout::clear(void* record) const
{
    for (const Column& c : columns) c.clear(record);
}

bool Layout::equal(const void* a, const void* b) const
{
    for (const Column& c : columns)
        if (!c.equal(a, b)) return false;
    return true;
}

bool Layout::outOfKey(const Key& key, const void* record) const
{
    for (int c : key.components)
        if (!columns[std::size_t(c)].isBlank(record)) return false;
    return true;
}

namespace detail {

int componentIndex(const Layout& layout, const std::string& key, const char* component)
{
    const int index = layout.columnIndex(component);
    if (index < 0) programmingError("key " + key + " of " + layout.label + " names the unknown field " + component);
    return index;
}

int columnOf(const Layout& layout, const char* name)
{
    const int index = layout.columnIndex(name);
    if (index < 0 || layout.columns[std::size_t(index)].kind != ColumnKind::Text)
        programmingError(std::string("the folded copy of ") + layout.label + " names no text field " + name);
    return index;
}

std::string diskStem(const std::string& label)
{
    return collation::toUpper(std::string_view(label).substr(0, 8));
}

}  // namespace detail
}  // namespace records
