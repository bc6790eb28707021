#pragma once
// Moving records between a layout's buffers and a statement's parameters and results.

#include "platform/records/layout.h"

struct sqlite3_stmt;

namespace records {

// Result columns 1.. (after the position) into `record`.
void readRecord(const Layout& layout, sqlite3_stmt* stmt, void* record);
// Result columns 1.. into the fields `columns` of `record`, in that order.
void readColumns(const Layout& layout, const std::vector<int>& columns, sqlite3_stmt* stmt, void* record);
// The key's components [from, to) of `record` as parameters from `index` on; returns the
// next free parameter.
int bindComponents(const Layout& layout, const Key& key, int from, int to, const void* record, sqlite3_stmt* stmt,
                   int index);

}  // namespace records
