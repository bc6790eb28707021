#include "platform/records/row_io.h"

namespace records {

void readRecord(const Layout& layout, sqlite3_stmt* stmt, void* record)
{
    for (std::size_t i = 0; i < layout.columns.size(); ++i) layout.columns[i].read(stmt, int(i) + 1, record);
}

void readColumns(const Layout& layout, const std::vector<int>& columns, sqlite3_stmt* stmt, void* record)
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        layout.columns[std::size_t(columns[i])].read(stmt, int(i) + 1, record);
}

int bindComponents(const Layout& layout, const Key& key, int from, int to, const void* record, sqlite3_stmt* stmt,
                   int index)
{
    for (int i = from; i < to; ++i) layout.columns[std::size_t(key.components[std::size_t(i)])].bind(stmt, index++, record);
    return index;
}

}  // namespace records
