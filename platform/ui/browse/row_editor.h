#pragma once
// In-place editing of one row of a browse list: an editor over the current editable column,
// whose text goes into the record being edited when the editing leaves the column.

#include "platform/ui/browse/browse_column.h"

#include <QPointer>

#include <vector>

namespace ui {

class BrowseList;
class CellEditor;

class RowEditor {
public:
    RowEditor(BrowseList& list, const std::vector<BrowseColumn>& columns);
    ~RowEditor();

    bool hasEditableColumns() const { return firstEditable() >= 0; }
    // Edits `record` shown in `row`, starting in `column` (-1 or a column that is not
    // editable: the first editable one).
    void open(void* record, int row, int column);
    void close();
    int column() const { return column_; }

    // The editor's text into the record.
    void commit();
    // To the next (+1) or previous (-1) editable column, the text committed first; false when
    // there is none, and the editor stays.
    bool moveColumn(int direction);
    // The focus back to the editor (after a refused store).
    void focus();

private:
    int firstEditable() const;
    int editableAfter(int column, int direction) const;
    void showEditor();

    BrowseList& list_;
    const std::vector<BrowseColumn>& columns_;
    void* record_ = nullptr;
    int row_ = -1;
    int column_ = -1;
    QPointer<CellEditor> editor_;
};

}  // namespace ui
