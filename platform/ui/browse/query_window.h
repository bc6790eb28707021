#pragma once
// The query window of a browse list: a row per column that shows a file field, titled by its
// heading, with an operator and a value; named queries saved, loaded and deleted. Non-modal,
// waited for by the calling logical thread. A number that does not read under its column's
// picture is refused and the window stays open.

#include "platform/records/layout.h"
#include "platform/ui/browse/browse_column.h"
#include "platform/ui/browse/query_store.h"
#include "platform/ui/browse/query_terms.h"

#include <optional>
#include <vector>

namespace ui {

// Shows `current` and returns the query set: "OK" the rows as they stand, "Clear" none;
// nothing when cancelled or closed.
std::optional<Query> AskQuery(const std::vector<BrowseColumn>& columns, const records::Layout& layout,
                              const Query& current, QueryStore& store);

}  // namespace ui
