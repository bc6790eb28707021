#pragma once
// The format string of a browse list's columns, as the settings file stores it. Per column:
// its width in dialog units, its alignment with the indent ("L(2)", "R(1)", "D(12)"), "|F"
// (fixed: it does not scroll sideways), "M" (a right border, resizable), "P" (a per-row
// tooltip), the heading between "~", the heading's alignment where it differs ("C(0)"), the
// picture closed by "@", and the default tooltip ("Q'WRK:NAME'"). Only the widths are the
// user's: a format differs from another of the same columns in nothing else.

#include "platform/ui/browse/browse_column.h"

#include <QString>

#include <optional>
#include <vector>

namespace ui {

// The columns' format with these widths (one per column).
QString ListFormat(const std::vector<BrowseColumn>& columns, const std::vector<int>& widthsDu);
// The columns' format with their design widths.
QString DesignListFormat(const std::vector<BrowseColumn>& columns);
// The widths a format gives these columns; none when it cannot be read or is one of other
// columns.
std::optional<std::vector<int>> ListFormatWidths(const QString& format, const std::vector<BrowseColumn>& columns);

}  // namespace ui
