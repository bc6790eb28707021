#pragma once
// The "contains" search of a text field by its folded copy. A text of three characters or
// more that few records hold is looked up in the copy's trigram index, at a cost that goes by
// what it finds; any other is tested on the folded copy in key order, where a common text
// finds its page at once (and a long read runs in slices, see Cursor::setSlicing).

#include "platform/records/condition.h"
#include "platform/records/record_file.h"

#include <string_view>

namespace records {

// At most this many records holding the text: looked up in the trigram index.
inline constexpr int kFewRecordsForIndex = 20000;

// As textCondition(column, Comparison::Contains, utf8), served by the trigram index where it
// pays; the file must be open for that (otherwise the folded copy is tested).
Condition containsCondition(RecordFile& file, const Column& column, std::string_view utf8);

}  // namespace records
