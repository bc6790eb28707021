// The list's requests: through the window's form or by in-place editing of the rows, and the
// navigation that the editing hands back through NavRequest.
#include "platform/ui/browse/browse_box.h"

#include "platform/core/message.h"
#include "platform/core/thread_state.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/browse/row_editor.h"
#include "platform/ui/windows/toolbar_state.h"

namespace ui {

void BrowseBox::Ask(std::uint8_t request)
{
    if (edit_ || !current_) return;
    NavRequest() = 0;
    // change and delete need a row; insert works on an empty list too
    if (request != REQUEST::InsertRecord && page_->empty()) return;
    runRequest(request);
}

void BrowseBox::runRequest(std::uint8_t request)
{
    // the highlight moves by other means than the typed text: on the edited or new row, or on
    // the row that takes a deleted one's place
    locator_->restart();
    if (ASKPROCEDURE)
        askForm(request);
    else if (request == REQUEST::DeleteRecord)
        deleteInPlace();
    else
        startEdit(request);
}

bool BrowseBox::primeInsert()
{
    // a new record starts within the range, the file manager's numbering and defaults follow
    layout().clear(buffer());
    if (order().rangeValues) order().rangeValues(buffer());
    return relations_->ME.PrimeRecord(true) == Level::Benign;
}

bool BrowseBox::readHighlighted()
{
    const BrowseRow* h = page_->highlightedRow();
    if (!h) return false;
    if (file().fetch(h->position) != records::kNoError) {
        ResetFromFile();  // gone meanwhile
        return false;
    }
    return true;
}

void BrowseBox::askForm(std::uint8_t request)
{
    const bool ready = request == REQUEST::InsertRecord ? primeInsert() : readHighlighted();
    std::uint8_t response = RESPONSE::Cancelled;
    if (ready) response = manager_->RunProcedure(ASKPROCEDURE, request);
    // on the new or the changed record, which the form leaves in the buffer; else on the row
    // the request started from (after a delete the row that took its place)
    if (ready && response == RESPONSE::Completed && request != REQUEST::DeleteRecord)
        ResetFromBuffer();
    else
        ResetFromFile();
    afterRequest(request);
}

void BrowseBox::deleteInPlace()
{
    holdHighlighted();
    relations_->Delete(false);
    ResetFromFile();  // the row that follows the deleted one takes its place
}

void BrowseBox::afterRequest(std::uint8_t request)
{
    for (;;) {
        const int nav = NavRequest();
        if (nav == 0) return;
        NavRequest() = 0;
        // another new row, or the request once more on the row now highlighted (the same one
        // when there is none beyond it)
        if (nav == TOOLBAR::Insert || (nav == TOOLBAR::Down && request == REQUEST::InsertRecord))
            request = REQUEST::InsertRecord;
        else
            moveAsToolbar(nav);
        runRequest(request);
        if (edit_) return;  // goes on when this row's editing ends
    }
}

// --- in-place editing

void BrowseBox::startEdit(std::uint8_t request)
{
    if (!editor_->hasEditableColumns()) return;
    EditState e;
    e.request = request;
    e.before = highlightAnchor();
    if (request == REQUEST::InsertRecord) {
        if (!primeInsert()) {
            ResetFromFile();
            return;
        }
        e.row = page_->openRow(buffer());
    } else {
        if (!readHighlighted()) return;
        e.row = page_->highlighted();
    }
    const auto* bytes = static_cast<const unsigned char*>(buffer());
    e.original.assign(bytes, bytes + layout().recordSize);
    edit_ = std::move(e);
    showRows();
    editor_->open(buffer(), edit_->row, keepColumn_);
    keepColumn_ = -1;
}

void BrowseBox::takeEditKey(int keyCode)
{
    switch (keyCode) {
    case KEY::Tab:
        if (!editor_->moveColumn(+1)) endRowBy(TABACTION, TOOLBAR::Down);
        showRows();
        break;
    case KEY::Shift | KEY::Tab:
        editor_->moveColumn(-1);
        showRows();
        break;
    case KEY::Enter: endRowBy(ENTERACTION, TOOLBAR::Down); break;
    case KEY::Down: endRowBy(ARROWACTION, TOOLBAR::Down); break;
    case KEY::Up: endRowBy(ARROWACTION, TOOLBAR::Up); break;
    case KEY::Esc:
        NavRequest() = 0;
        abandonRow();
        break;
    case KEY::MouseLeft: endRowForClick(); break;
    case KEY::MouseRight:
        endRowForClick();
        if (!edit_) popup(list_->mouseDownPoint());
        break;
    // a double click: its first click has already ended the editing, or could not (and is not
    // tried twice)
    default: break;
    }
}

void BrowseBox::endRowForClick()
{
    // a click on the edited row or beside the rows leaves the editing as it is
    const int row = list_->mouseDownRow();
    if (row < 0 || row >= int(page_->rows().size()) || row == edit_->row) return;
    // the clicked record, wherever the stored row moves the rows
    const BrowseRow& clicked = page_->rows()[std::size_t(row)];
    const Anchor target{clicked.record, clicked.position, row};
    endRowBy(ENTERACTION & EDITACTION::WhatToDo, 0);
    if (!edit_) refill(target);
}

void BrowseBox::endRowBy(int action, int navRequest)
{
    editor_->commit();
    const bool remain = action & EDITACTION::Remain;
    NavRequest() = remain ? navRequest : 0;
    // An insert goes on with another new row, whose editing starts in its first column: what
    // is typed next is the next record's beginning, whatever column the last one ended in.
    const bool retain = remain && (action & EDITACTION::RetainColumn) && edit_->request != REQUEST::InsertRecord;
    keepColumn_ = retain ? editor_->column() : -1;
    switch (action & EDITACTION::WhatToDo) {
    case EDITACTION::Default:
    case EDITACTION::Store: storeRow(); return;
    case EDITACTION::Abandon: abandonRow(); return;
    default: break;
    }
    if (!rowChanged()) {
        storeRow();
        return;
    }
    askToStoreRow();
}

bool BrowseBox::endRowForClose()
{
    editor_->commit();
    NavRequest() = 0;
    keepColumn_ = -1;
    // a row that storing would not write (unchanged, or a new one left empty) goes without a
    // question
    if (rowChanged() && !(IsEmptyRow && IsEmptyRow(buffer())))
        askToStoreRow();
    else
        abandonRow();
    return !edit_;
}

void BrowseBox::askToStoreRow()
{
    const unsigned answer = Message(QStringLiteral("Вы хотите записать изменения для этой записи?"),
                                    QStringLiteral("Сохранение записи"), MessageIcon::Question,
                                    BUTTON_YES | BUTTON_NO | BUTTON_CANCEL, BUTTON_YES);
    if (answer == BUTTON_YES) {
        storeRow();
    } else if (answer == BUTTON_NO) {
        abandonRow();
    } else {
        NavRequest() = 0;
        keepColumn_ = -1;
        editor_->focus();
    }
}

bool BrowseBox::rowChanged() const { return edit_ && !layout().equal(buffer(), edit_->original.data()); }

void BrowseBox::storeRow()
{
    const bool insert = edit_->request == REQUEST::InsertRecord;
    if (IsEmptyRow && IsEmptyRow(buffer())) {
        NavRequest() = 0;
        abandonRow();
        return;
    }
    if (!rowChanged()) {
        // nothing to write; a new row left as it came is not added
        if (insert) {
            NavRequest() = 0;
            abandonRow();
        } else {
            endEdit(true);
        }
        return;
    }
    if (const int column = RefuseRow ? RefuseRow(buffer()) : -1; column >= 0) {
        NavRequest() = 0;
        keepColumn_ = -1;
        editor_->open(buffer(), edit_->row, column);
        editor_->focus();
        return;
    }
    const Level stored = insert ? relations_->ME.Insert() : relations_->Update(KeepStored);
    if (stored != Level::Benign) {
        // the file manager has shown why; the row stays in editing
        NavRequest() = 0;
        keepColumn_ = -1;
        editor_->focus();
        return;
    }
    endEdit(true);
}

void BrowseBox::abandonRow()
{
    if (edit_->request == REQUEST::InsertRecord) relations_->ME.CancelPrimed();
    endEdit(false);
}

void BrowseBox::endEdit(bool stored)
{
    const EditState e = std::move(*edit_);
    edit_.reset();
    editor_->close();
    if (stored)
        ResetFromBuffer();
    else
        refill(e.before);  // back on the row the editing started from (a new row goes away)
    afterRequest(e.request);
}

}  // namespace ui
