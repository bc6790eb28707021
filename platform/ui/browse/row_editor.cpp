#include "platform/ui/browse/row_editor.h"

#include "platform/ui/browse/browse_list.h"
#include "platform/ui/controls/cell_editor.h"
#include "platform/ui/windows/event.h"
#include "platform/ui/windows/number_entry.h"

#include <QTableView>

namespace ui {

RowEditor::RowEditor(BrowseList& list, const std::vector<BrowseColumn>& columns) : list_(list), columns_(columns) {}

RowEditor::~RowEditor() { close(); }

int RowEditor::editableAfter(int column, int direction) const
{
    for (int c = column + direction; c >= 0 && c < int(columns_.size()); c += direction)
        if (columns_[std::size_t(c)].editable) return c;
    return -1;
}

int RowEditor::firstEditable() const { return editableAfter(-1, +1); }

void RowEditor::open(void* record, int row, int column)
{
    close();
    record_ = record;
    row_ = row;
    const bool editable = column >= 0 && column < int(columns_.size()) && columns_[std::size_t(column)].editable;
    column_ = editable ? column : firstEditable();
    showEditor();
}

void RowEditor::showEditor()
{
    const BrowseColumn& c = columns_[std::size_t(column_)];
    auto* editor = new CellEditor(list_.viewOf(column_)->viewport(), c.field.width, c.overwrite);
    if (c.range) {
        editor->setAlignment(Qt::AlignRight);
        editor->setValidator(new NumberValidator(c.picture, *c.range, editor));
    }
    editor->setText(c.editTextOf(record_));
    // a Qt handler: the keys only become events of the list
    editor->onKey = [list = &list_](int code) { list->post(EVENT::AlertKey, code); };
    editor_ = editor;
    list_.setCellEditor(row_, column_, editor);
}

void RowEditor::close()
{
    if (!record_) return;
    if (editor_) list_.setCellEditor(row_, column_, nullptr);
    record_ = nullptr;
    row_ = column_ = -1;
}

void RowEditor::commit()
{
    if (record_ && editor_) columns_[std::size_t(column_)].storeEditText(record_, editor_->text());
}

bool RowEditor::moveColumn(int direction)
{
    const int to = editableAfter(column_, direction);
    commit();
    if (to < 0) return false;
    list_.setCellEditor(row_, column_, nullptr);
    column_ = to;
    showEditor();
    return true;
}

void RowEditor::focus()
{
    if (editor_) editor_->setFocus(Qt::OtherFocusReason);
}

}  // namespace ui
