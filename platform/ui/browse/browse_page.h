#pragma once
// The page cache of a browse list: copies of the records of the visible rows (and nothing
// more) in the order of a key, within a range and limited by a condition, and the highlighted row.
// Each move reads only what it needs from where the page stands: a row, a page, or a page
// around a record; a file of any size opens, scrolls and locates without reading it all.

#include "platform/records/cursor.h"

#include <functional>
#include <optional>
#include <vector>

namespace ui {

struct BrowseRow {
    records::Position position = 0;  // 0: a new row not stored yet
    std::vector<unsigned char> record;
};

class BrowsePage {
public:
    explicit BrowsePage(records::RecordFile& file);

    // The view the rows come from; the rows are read again by the next fill.
    void setView(int key, int rangeLeading, const void* rangeRecord, records::Condition condition);

    // Reads limited by a condition run in slices, `between` after each (records::Cursor::
    // setSlicing); an abandoned read leaves the page as read so far, and abandoned() holds
    // until the next fill.
    void setSlicing(std::function<bool()> between);
    bool abandoned() const { return abandoned_; }

    // The number of visible rows.
    void setSize(int rows) { size_ = rows < 1 ? 1 : rows; }
    int size() const { return size_; }

    const std::vector<BrowseRow>& rows() const { return rows_; }
    bool empty() const { return rows_.empty(); }
    int highlighted() const { return highlighted_; }  // -1 when empty
    const BrowseRow* highlightedRow() const { return highlighted_ < 0 ? nullptr : &rows_[std::size_t(highlighted_)]; }
    // Whether the first (last) row of the page is the first (last) of the view.
    bool atStart() const { return atStart_; }
    bool atEnd() const { return atEnd_; }
    // The last read failed (the page keeps what it could read).
    bool failed() const { return failed_; }

    // Fills. fillAt highlights the first row at or after the record (key values and position;
    // position 0: the first with key values equal or greater), with up to `rowsAbove` rows
    // above it; when no row follows, the last row.
    void fillFromStart();
    void fillFromEnd();
    void fillAt(const void* record, records::Position position, int rowsAbove);

    // Moves; false when the highlight stays.
    bool setHighlighted(int row);
    bool down();
    bool up();
    bool pageDown();
    bool pageUp();

    // The first or the last record of the view; false when the view is empty.
    bool readEnd(bool last, std::vector<unsigned char>& into);

    // A new row below the highlighted one (the first on an empty page), kept visible and
    // highlighted; its index.
    int openRow(const void* record);

private:
    using Rows = std::vector<BrowseRow>;
    // Up to `count` rows onward from where the cursor stands, in reading order.
    Rows read(bool forward, int count);
    // The cursor before (or after) the record in key order, the record itself not passed.
    void standBefore(const void* record, records::Position position, bool forward);
    void standOn(const BrowseRow& row);

    records::RecordFile& file_;
    std::optional<records::Cursor> cursor_;
    int key_ = 0;
    int size_ = 1;
    Rows rows_;
    int highlighted_ = -1;
    bool atStart_ = true;
    bool atEnd_ = true;
    bool failed_ = false;
    bool abandoned_ = false;
    std::function<bool()> between_;
};

}  // namespace ui
