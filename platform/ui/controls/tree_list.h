#pragma once
// Wing controls: the tree list and its rows, the cell editors and colours of lists.
// The tree list control: a list over a queue of tree rows, each indented by its absolute level,
// with an expand box on a collapsed row that has children (a negative level) and a collapse
// box on a row followed by deeper rows. A click on a box makes that row the action row and
// posts EVENT:Expanded or EVENT:Contracted; the action row is also where the mouse last went
// down, and the program may set it. A right click selects the row under the pointer and, as a
// double click on a row, reaches the window as EVENT:AlertKey of the list with its mouse key. A
// new selection reaches the window as EVENT:NewSelection; alerted keys reach it through the
// window's input filter. The queue belongs to the program: a rebuilt or changed
// queue reaches the view once, by refresh(). The texts are the rows' own, or made by the
// program's text source when the view shows a row.

#include "platform/ui/controls/tree_row.h"

#include <QAbstractListModel>
#include <QListView>

#include <functional>

namespace ui {

class Control;
class Window;

class TreeListModel : public QAbstractListModel {
public:
    using TextSource = std::function<QString(int row)>;

    void setQueue(const TreeQueue* queue);
    void setTextSource(TextSource source) { textSource_ = std::move(source); }
    // The queue changed: the view takes it whole.
    void refresh();
    const TreeQueue* queue() const { return queue_; }
    // The text shown on a row (kept within the rows).
    QString text(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const TreeQueue* queue_ = nullptr;
    TextSource textSource_;
};

class TreeList : public QListView {
    Q_OBJECT

public:
    explicit TreeList(QWidget* parent = nullptr);

    // The control number its events are posted for.
    void setControlNumber(int number) { number_ = number; }
    // The row width in pixels beside the indentation (a column of a fixed width).
    void setColumnWidth(int pixels);
    int columnWidth() const { return columnWidth_; }
    // The colour a selected row takes where it has no colour of its own.
    void setSelectedBackground(std::int32_t reference) { selectedBg_ = reference; }
    std::int32_t selectedBackground() const { return selectedBg_; }

    void setQueue(const TreeQueue* queue);
    void setTextSource(TreeListModel::TextSource source) { model_.setTextSource(std::move(source)); }
    // Shows the queue as it is now and selects `row` (kept within the rows).
    void refresh(int row);
    int selectedRow() const;
    void selectRow(int row);

    int actionRow() const { return actionRow_; }
    void setActionRow(int row) { actionRow_ = row; }

    // Where a row's box is drawn, and whether the row has one: +1 expand, -1 collapse, 0 none.
    QRect boxRect(int row) const;
    int boxOf(int row) const;
    int indentOf(int row) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void post(int event, int keyCode = 0);

    TreeListModel model_;
    int number_ = 0;
    int columnWidth_ = 0;
    int actionRow_ = -1;
    std::int32_t selectedBg_ = kDefaultColor;
};

// Makes a tree list, a child of the window's content, and registers it as a list control.
Control& AddTreeList(Window& window, const QString& name, int number = 0);

}  // namespace ui
