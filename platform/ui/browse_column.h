#pragma once
// A column of a browse list: its heading, width in dialog units, alignment and indent, the
// picture its value is shown with, and the field of the row's record it shows. An editable
// column takes part in in-place editing.

#include "platform/ui/record_field.h"

#include <QString>

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
    bool editable = false;
    bool overwrite = false;  // the in-place editor types over the characters

    // What the cell shows for a record.
    QString textOf(const void* record) const;
    // What the in-place editor starts with, and how its text goes back into the record.
    QString editTextOf(const void* record) const;
    void storeEditText(void* record, const QString& text) const;
};

}  // namespace ui
