#pragma once
// The list control of a browse: a table that shows only the visible rows (its model holds
// nothing else) with a scroll bar of our own beside it, whose thumb the browse places. What
// the user does to it reaches the window as events of the list control (the list is
// immediate): the arrows, the page keys, Home and End as EVENT:ScrollUp ... EVENT:ScrollBottom,
// a dropped thumb as EVENT:ScrollDrag, a typed character as EVENT:Locate with the character in
// the key code (Backspace as KEY::Backspace; one that windows-1251 cannot hold is refused),
// other keys and the mouse keys as EVENT:AlertKey with their key codes. The wheel is left to
// the mouse-wheel add-on. Fixed columns stand in a view of their own beside the one that
// scrolls sideways; both show the same rows and highlight.

#include "platform/ui/browse/browse_column.h"
#include "platform/ui/browse/browse_model.h"

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

class QKeyEvent;
class QMouseEvent;
class QScrollBar;
class QTableView;

namespace ui {

class Control;
class Window;

class BrowseList : public QWidget {
    Q_OBJECT

public:
    explicit BrowseList(QWidget* parent = nullptr);

    // The view that scrolls sideways; it takes the list's keys.
    QTableView* view() const { return view_; }
    // The view that shows the column: the fixed columns' or the scrolled one.
    QTableView* viewOf(int column) const;
    QScrollBar* scrollBar() const { return bar_; }
    BrowseModel& model() { return model_; }
    const BrowseModel& model() const { return model_; }

    // The control number its events are posted for.
    void setControlNumber(int number) { number_ = number; }
    int controlNumber() const { return number_; }
    // Posts an event of this list to its window.
    void post(int event, int keyCode = 0);

    void setColumns(const std::vector<BrowseColumn>& columns, const std::vector<BrowseColumnGroup>& groups = {});
    // The columns' widths in dialog units, as they are now (the user may have dragged them).
    std::vector<int> columnWidthsDu() const;
    void setColumnWidthsDu(const std::vector<int>& widths);
    // How wide the list must be to show every column whole.
    int columnsWidth() const;
    // Rows that fit the list's height (at least one).
    int visibleRows() const;
    // The highlighted row drawn selected (-1: none).
    void showHighlight(int row);
    void setThumb(int percent);
    int thumb() const;

    // Where the last mouse key went down: the row under it (-1: none) and the screen point.
    int mouseDownRow() const { return mouseDownRow_; }
    QPoint mouseDownPoint() const { return mouseDownPoint_; }
    // Where the thumb was dropped last (0..100).
    int droppedThumb() const { return droppedThumb_; }
    // How many times the list has lost the focus.
    int focusLosses() const { return focusLosses_; }
    bool hasFocusWithin() const;
    // The screen point at the middle of a row (for the popup menu of the context-menu key).
    QPoint rowPoint(int row) const;

    // The in-place editor over a cell; null removes it.
    void setCellEditor(int row, int column, QWidget* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool takeKey(const QKeyEvent& key);
    bool takeMouse(const QTableView& view, const QMouseEvent& mouse, bool doubleClick);
    // Which view shows each column.
    void showFixedColumns();
    // The fixed columns' view as wide as its columns, as the user resizes them.
    void fitFixedView();
    void takeScrollAction(int action);

    BrowseModel model_;  // before the bar, which watches it
    QTableView* fixed_;  // the leading fixed columns
    QWidget* fixedBox_;    // holds them above the strip
    QWidget* fixedStrip_;  // as high as the scrolled view's scroll bar, while it shows
    QTableView* view_;
    QScrollBar* bar_;
    int fixedCount_ = 0;  // 0 when every column is fixed: then none stands apart
    int number_ = 0;
    int mouseDownRow_ = -1;
    QPoint mouseDownPoint_;
    int droppedThumb_ = 0;
    int focusLosses_ = 0;
    QPointer<QWidget> cellEditor_;
};

// Makes a browse list, a child of the window's content, and registers it as a list control.
Control& AddBrowseList(Window& window, const QString& name, int number = 0);

}  // namespace ui
