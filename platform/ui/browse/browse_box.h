#pragma once
// Wing browse: browse boxes and lists, their columns, pages, queries and list formats.
// The browse component: a list of the records of one file, attached to a window manager and
// to a browse list control. It reads the file by one of its sort orders (key, range, filters,
// locator, scroll-bar step) into a page cache of the visible rows; the thread's record buffer
// follows the highlighted row (and the file's position is the row's position). It runs the
// list's requests: through the window's form (ASKPROCEDURE) or by in-place editing, then acts
// on NavRequest; it selects in the lookup role (request 4), putting the saved buffer back when
// the window closes without a choice; and it takes the frame's toolbar buttons forwarded to the
// window while its list is the toolbar's target.

#include "platform/records/relation_manager.h"
#include "platform/ui/browse/browse_column.h"
#include "platform/ui/browse/browse_locator.h"
#include "platform/ui/browse/browse_page.h"
#include "platform/ui/browse/browse_sort_order.h"
#include "platform/ui/windows/popup_menu.h"
#include "platform/ui/windows/window_manager.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class QObject;

namespace ui {

class BrowseList;
class Control;
class RowEditor;

// The bits of ENTERACTION, ARROWACTION and TABACTION.
namespace EDITACTION {
inline constexpr int Default = 0;  // store the row
inline constexpr int Store = 1;
inline constexpr int Abandon = 2;
inline constexpr int Ask = 4;  // any other value of the low three bits asks first
inline constexpr int WhatToDo = 7;
inline constexpr int Remain = 8;         // go on editing in the next (previous) row
inline constexpr int RetainColumn = 16;  // in the same column (arrows only; a changed row)
}  // namespace EDITACTION

class BrowseBox : public WindowComponent {
public:
    BrowseBox();
    ~BrowseBox() override;

    // Binds the list to the window, its list control (made by AddBrowseList) and the file's
    // relation manager, and attaches it to the window manager. Call after the window's request
    // is taken: under request 4 the list is selecting and saves the file's record buffer.
    void Init(WindowManager& manager, Control& list, records::RelationManager& relations);

    // --- set-up (before the window's first event)
    // A sort order by the key (index into the file's keys); orders are numbered from 1 in the
    // order they are added.
    BrowseSortOrder& AddSortOrder(int key);
    void AddField(BrowseColumn column);
    // A group heading over the next `count` fields added.
    void AddGroup(const QString& heading, int widthDu, int count);
    // A filter of every sort order, by name; an empty condition removes it. Applied at the
    // next reset.
    void SetFilter(const QString& name, RecordFilter accept);
    // The list is a target of the frame's toolbar, with its help button.
    void SetToolbarTarget(int helpControl);

    // --- what the window decides
    // The sort order (1-based) at each reset, e.g. by the tab of a sheet; unset: the first.
    std::function<int()> ChooseSortOrder;
    // In-place editing: a row that counts as empty is abandoned instead of stored, as if Esc.
    std::function<bool(const void* record)> IsEmptyRow;
    // In-place editing: a changed row the window refuses to store, after saying why: the column
    // the editing goes back to; -1 stores it.
    std::function<int(const void* record)> RefuseRow;
    // In-place editing: a changed row is written over the record as the file holds it then;
    // this takes what to keep of that record into the buffer (unset: the row as edited).
    std::function<void(const void* stored)> KeepStored;

    // Items the window adds to the list's popup menu, after the list's own.
    std::function<std::vector<PopupItem>()> MorePopupItems;

    // The number of the form the window's RunProcedure opens for the list's requests; 0: the
    // list edits its rows in place.
    int ASKPROCEDURE = 0;
    int SelectControl = 0;
    int InsertControl = 0;
    int ChangeControl = 0;
    int DeleteControl = 0;
    int HelpControl = 0;
    std::uint8_t HIDESELECT = 0;  // the select button hidden unless selecting
    std::uint8_t SELECTING = 0;   // the window runs under request 4
    int ENTERACTION = EDITACTION::Default;
    int ARROWACTION = EDITACTION::Default | EDITACTION::Remain | EDITACTION::RetainColumn;
    int TABACTION = EDITACTION::Default;
    std::vector<unsigned char> BUFFER;  // the file's record buffer as the selecting list found it

    // --- operations
    // Runs a request of the list (insert, change, delete) as its buttons do.
    void Ask(std::uint8_t request);
    // Takes the sort order the window chooses; with a new order or `force` the range and the
    // filters are applied again and the page is read around the highlighted record.
    void ResetSort(bool force);
    // Reads the page around the highlighted record again (others may have changed the file).
    void ResetFromFile();
    // Moves the highlight onto the record in the file's buffer (and the file's position).
    void ResetFromBuffer();

    // --- state
    int SortOrder() const { return current_; }
    const BrowsePage& page() const { return *page_; }
    const QString& LocatorText() const { return locator_->text(); }
    bool Editing() const { return edit_.has_value(); }
    BrowseList& list() const { return *list_; }
    const std::vector<BrowseColumn>& columns() const { return columns_; }
    const records::Layout& layout() const;

    // --- WindowComponent
    Level TakeEvent(const Event& event) override;
    void Reset(bool force) override { ResetSort(force); }
    // The buffer holds the highlighted record.
    void Update() override;
    void Kill() override;

private:
    enum class Move { Down, Up, PageDown, PageUp, First, Last };
    struct Anchor {
        std::vector<unsigned char> record;
        records::Position position = 0;
        int row = 0;
    };
    struct EditState {
        std::uint8_t request = 0;
        int row = -1;
        std::vector<unsigned char> original;  // the record as the editing started
        std::optional<Anchor> before;         // the row highlighted before, to go back to
    };

    BrowseSortOrder& order() { return orders_[std::size_t(current_ - 1)]; }
    const BrowseSortOrder& order() const { return orders_[std::size_t(current_ - 1)]; }
    void* buffer() const;
    records::RecordFile& file() const;
    // Between two slices of a long filtered read: gives the event loop back; false abandons
    // the read for a newer search text that waits.
    bool goOnAfterSlice();

    // set-up on the first reset
    void prepare();
    void syncPageSize();
    // the current order's range and filters into the page
    void applyView();
    bool inRange(const void* record) const;
    std::optional<Anchor> highlightAnchor() const;
    void fillAt(const std::optional<Anchor>& anchor);
    // the view applied again and the page read around the anchor (from the start without one)
    void refill(const std::optional<Anchor>& anchor);
    // after the page has changed: rows, highlight, thumb, buffer, NewSelection
    void showPage();
    void showRows();
    void followHighlight();
    // the buffer and the file's position hold the highlighted row
    void holdHighlighted();
    void checkRead();
    void readEnds();
    int thumbPercent() const;

    // moving the highlight
    void move(Move how);
    void moveAsToolbar(int button);
    void dragThumb(int percent);
    void locate(const QString& text);

    // events
    Level takeListEvent(const Event& event);
    void takeListKey(int keyCode);
    void takeClick(bool doubleClick);
    void popup(QPoint at);
    Level takeToolbar(int button);
    Level takeAccepted(int control);
    bool buttonAvailable(int control) const;
    void selectHighlighted();
    // Enter, a double click, the popup and the toolbar choose as the select button does.
    void chooseHighlighted();

    // requests
    void runRequest(std::uint8_t request);
    void askForm(std::uint8_t request);
    bool primeInsert();
    bool readHighlighted();
    void deleteInPlace();
    void afterRequest(std::uint8_t request);

    // in-place editing
    void startEdit(std::uint8_t request);
    void takeEditKey(int keyCode);
    void endRowBy(int action, int navRequest);
    // A click on another row completes the edited one as Enter does, without going on, then
    // highlights the clicked row.
    void endRowForClick();
    // The window is asked to close: a changed row is stored or abandoned as the user answers,
    // an unchanged one abandoned. False while the row stays in editing (the window stays open).
    bool endRowForClose();
    // "Сохранение записи": Yes stores, No abandons, Cancel goes on editing.
    void askToStoreRow();
    void storeRow();
    void abandonRow();
    void endEdit(bool stored);
    bool rowChanged() const;

    // the toolbar
    void claimToolbar();
    void refreshToolbar();
    std::set<int> enabledToolbarButtons() const;

    WindowManager* manager_ = nullptr;
    Window* window_ = nullptr;
    WindowId windowId_ = 0;  // the key of its window among the toolbar's targets
    BrowseList* list_ = nullptr;
    records::RelationManager* relations_ = nullptr;
    std::unique_ptr<BrowsePage> page_;
    std::deque<BrowseSortOrder> orders_;  // references stay valid as orders are added
    int current_ = 0;                      // 0 until the first reset
    std::vector<BrowseColumn> columns_;
    std::vector<BrowseColumnGroup> groups_;
    std::map<QString, RecordFilter> filters_;
    std::vector<unsigned char> rangeRecord_;
    std::vector<unsigned char> first_, last_;  // the view's first and last records, for the thumb
    bool haveEnds_ = false;
    std::unique_ptr<BrowseLocator> locator_;
    int focusLossesSeen_ = 0;
    records::Position shownPosition_ = -1;  // the highlighted record NewSelection was posted for
    bool prepared_ = false;
    std::optional<EditState> edit_;
    std::unique_ptr<RowEditor> editor_;
    int keepColumn_ = -1;  // the column the next edited row starts in
    bool toolbarTarget_ = false;
    std::unique_ptr<QObject> buttonWatcher_;
};

}  // namespace ui
