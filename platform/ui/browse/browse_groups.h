#pragma once
// Column groups of a browse list: a group's columns are drawn in one section of the table,
// under the group's heading, on one line or two (the columns after the one that ends the first
// line go on the second line of the row). The model keeps one column per field; the other
// columns of a group are hidden and drawn by the group's first column.

#include "platform/ui/browse/browse_column.h"

#include <vector>

class QTableView;

namespace ui {

// Where a column is drawn: in the section of column `host`, on `line` (0 or 1), at `x` from
// the section's left edge, `width` wide (pixels).
struct ColumnPlace {
    int host = 0;
    int line = 0;
    int x = 0;
    int width = 0;
};

struct ColumnLayout {
    std::vector<ColumnPlace> places;    // by column
    std::vector<int> sectionWidths;     // by column: the width of its section (0: hidden)
    std::vector<int> groupOfHost;       // by column: the group drawn there (-1: none)
    int lines = 1;                      // lines of a row
};

// `widths` of the columns and `groupWidths` of the groups in pixels.
ColumnLayout layoutColumns(const std::vector<int>& widths, const std::vector<bool>& endsLine,
                           const std::vector<BrowseColumnGroup>& groups, const std::vector<int>& groupWidths);

// Gives the view the grouped header and cells of the layout; the view's row height becomes
// the row's lines.
void applyColumnGroups(QTableView& view, const ColumnLayout& layout, const std::vector<BrowseColumnGroup>& groups);

// The layout the view draws its groups with now, as the user may have resized their columns
// (null: no groups).
const ColumnLayout* columnLayoutOf(const QTableView& view);

}  // namespace ui
