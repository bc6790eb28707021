#pragma once
// A column of a browse list: its heading, width in dialog units, alignment and indent, the
// picture its value is shown with, the field of the row's record it shows, and the colours of
// its cells. A fixed column does not scroll sideways. An editable column takes part in in-place editing. Columns may stand in groups
// under a common heading.

#include "platform/ui/controls/cell_colors.h"
#include "platform/ui/windows/number_entry.h"
#include "platform/ui/windows/record_field.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace ui {

enum class ColumnAlign { Left, Right, Centre, Decimal };

struct BrowseColumn {
    QString heading;
    int widthDu = 0;
    ColumnAlign align = ColumnAlign::Left;
    int indentDu = 0;  // from the aligned edge (the offset of a decimal-aligned column)
    ColumnAlign headingAlign = ColumnAlign::Left;
    QString picture;  // empty: the field's text as it is
    RecordField field;
    bool resizable = true;
    // Stays in view while the other columns scroll sideways; fixed columns lead the list and
    // stand in no group.
    bool fixed = false;
    bool editable = false;
    bool overwrite = false;  // the in-place editor types over the characters
    bool endsLine = false;   // in a group: the row's first line ends after this column
    // The colours of a row's cell, decided as the row is filled; unset: the list's own.
    std::function<CellColors(const void* record)> colors;
    // A numeric column edited in place takes only the values its field holds.
    std::optional<NumberRange> range;
    // Per-row tooltip: the text of this field of the row; when that is blank, defaultTooltip.
    RecordField tooltip;
    QString defaultTooltip;

    // What the cell shows for a record.
    QString textOf(const void* record) const;
    CellColors colorsOf(const void* record) const { return colors ? colors(record) : CellColors{}; }
    // The tooltip of the row's cell (empty: none).
    QString tooltipOf(const void* record) const;
    // What the in-place editor starts with, and how its text goes back into the record.
    QString editTextOf(const void* record) const;
    void storeEditText(void* record, const QString& text) const;
};

// The texts and colours of a record's cells, column by column.
void appendCells(const std::vector<BrowseColumn>& columns, const void* record, QStringList& texts,
                 std::vector<CellColors>& colors);

// A column showing a field: heading, width, alignment with its indent, picture.
BrowseColumn fieldColumn(const char* heading, int widthDu, ColumnAlign align, int indentDu, const char* picture,
                         RecordField field, ColumnAlign headingAlign = ColumnAlign::Left);

// A heading over several neighbouring columns. A column of the group that ends the first line
// puts the group's further columns on a second line of each row.
struct BrowseColumnGroup {
    QString heading;
    int widthDu = 0;  // at least this wide
    int first = 0;    // the first column of the group
    int count = 0;
};

}  // namespace ui
