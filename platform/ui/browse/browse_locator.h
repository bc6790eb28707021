#pragma once
// The locator of a browse list's current sort order: incremental (a search text built from
// the characters typed into the list or accepted in its entry; the list goes to the first key
// equal to or greater than it), step (the last character typed) or filter (the text limits the
// rows to those whose field contains it, tested by SQL with the text as a bound value). The
// search text lives here, apart from the record buffer, and shows in the order's entry.

#include "platform/records/record_file.h"
#include "platform/ui/browse/browse_sort_order.h"

#include <QString>

#include <functional>

namespace ui {

class Window;

class BrowseLocator {
public:
    struct Moves {
        std::function<void(const QString& text)> locate;  // to the first key at or after the text
        std::function<void()> refilter;                   // the view applied again, from its start
    };
    BrowseLocator(Window& window, records::RecordFile& file, Moves moves);

    // The order whose locator runs from now on; the text of the one before goes, a filter
    // locator's filter with it.
    void enter(BrowseSortOrder& order);
    // A character typed into the list, or KEY::Backspace; `highlighted` the record on the
    // highlighted row (null on an empty list).
    void takeCharacter(int character, const void* highlighted);
    // The search entry was accepted: its text is the search text.
    void takeAccepted();
    // An incremental search starts again: the list has moved otherwise.
    void restart();
    // The incremental search text into its entry.
    void show();

    const QString& text() const { return text_; }
    // The entry of the search text (0: none).
    int control() const { return order_ ? order_->locatorControl : 0; }

private:
    void applyFilter();

    Window& window_;
    records::RecordFile& file_;
    const records::Layout& layout_;
    Moves moves_;
    BrowseSortOrder* order_ = nullptr;
    QString text_;
};

}  // namespace ui
