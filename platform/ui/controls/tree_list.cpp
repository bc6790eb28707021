#include "platform/ui/controls/tree_list.h"

#include "platform/ui/windows/control.h"
#include "platform/ui/windows/event.h"
#include "platform/ui/windows/window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cstdlib>

namespace ui {

namespace {

// Draws a row: its indentation, its box, its text in its colours.
class TreeRowDelegate : public QStyledItemDelegate {
public:
    explicit TreeRowDelegate(TreeList& list) : QStyledItemDelegate(&list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto* model = static_cast<const TreeListModel*>(index.model());
        const TreeQueue* queue = model->queue();
        if (!queue || index.row() >= int(queue->size())) return;
        const TreeRow& row = (*queue)[std::size_t(index.row())];
        const bool selected = option.state & QStyle::State_Selected;
        const QColor fg = colorOf(selected ? row.selectedFg : row.normalFg);
        QColor bg = colorOf(selected ? row.selectedBg : row.normalBg);
        if (selected && !bg.isValid()) bg = colorOf(list_.selectedBackground());
        painter->save();
        const QRect r = option.rect;
        if (bg.isValid())
            painter->fillRect(r, bg);
        else if (selected)
            painter->fillRect(r, option.palette.highlight());
        const QColor text = fg.isValid() ? fg
                            : selected   ? option.palette.color(QPalette::HighlightedText)
                                         : option.palette.color(QPalette::Text);
        const int box = list_.boxOf(index.row());
        if (box != 0) {
            const QRect b = list_.boxRect(index.row());
            painter->setPen(text);
            painter->drawRect(b.adjusted(0, 0, -1, -1));
            const int cy = b.center().y(), cx = b.center().x();
            painter->drawLine(b.left() + 2, cy, b.right() - 2, cy);
            if (box > 0) painter->drawLine(cx, b.top() + 2, cx, b.bottom() - 2);
        }
        painter->setPen(text);
        painter->setFont(option.font);
        const QRect textRect(r.left() + list_.indentOf(index.row()), r.top(), r.width(), r.height());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, model->text(index.row()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        // one width for every row, so that the view needs no pass over the rows to lay them out
        return {list_.columnWidth() + 4 * boxSide(option), option.fontMetrics.height() + 2};
    }

    static int boxSide(const QStyleOptionViewItem& option) { return option.fontMetrics.height(); }

private:
    TreeList& list_;
};

}  // namespace

// --- the model

void TreeListModel::setQueue(const TreeQueue* queue)
{
    beginResetModel();
    queue_ = queue;
    endResetModel();
}

void TreeListModel::refresh()
{
    beginResetModel();
    endResetModel();
}

int TreeListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !queue_ ? 0 : int(queue_->size());
}

QString TreeListModel::text(int row) const
{
    if (!queue_ || row < 0 || row >= int(queue_->size())) return {};
    return textSource_ ? textSource_(row) : (*queue_)[std::size_t(row)].text;
}

QVariant TreeListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return text(index.row());
}

// --- the list

TreeList::TreeList(QWidget* parent) : QListView(parent)
{
    setModel(&model_);
    setItemDelegate(new TreeRowDelegate(*this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTextElideMode(Qt::ElideNone);
    QFont fixed(QStringLiteral("Fixedsys"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    setFont(fixed);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { post(EVENT::NewSelection); });
}

void TreeList::setColumnWidth(int pixels)
{
    columnWidth_ = pixels;
    doItemsLayout();
}

void TreeList::setQueue(const TreeQueue* queue) { model_.setQueue(queue); }

void TreeList::refresh(int row)
{
    const QSignalBlocker quiet(selectionModel());  // the program chose the row: no event for it
    const int scroll = verticalScrollBar()->value();
    model_.refresh();
    verticalScrollBar()->setValue(scroll);
    selectRow(row);
}

int TreeList::selectedRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void TreeList::selectRow(int row)
{
    const int count = model_.rowCount();
    if (count == 0) return;
    row = std::clamp(row, 0, count - 1);
    const QModelIndex i = model_.index(row);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
}

int TreeList::indentOf(int row) const
{
    const TreeQueue* q = model_.queue();
    const int level = q && row >= 0 && row < int(q->size()) ? std::abs((*q)[std::size_t(row)].level) : 0;
    return (level + 1) * fontMetrics().height();
}

int TreeList::boxOf(int row) const
{
    const TreeQueue* q = model_.queue();
    if (!q || row < 0 || row >= int(q->size())) return 0;
    const int level = (*q)[std::size_t(row)].level;
    if (level < 0) return +1;
    if (row + 1 < int(q->size()) && std::abs((*q)[std::size_t(row + 1)].level) > level) return -1;
    return 0;
}

QRect TreeList::boxRect(int row) const
{
    const int side = fontMetrics().height() * 3 / 4;
    const int left = indentOf(row) - fontMetrics().height();
    const QRect r = visualRect(model_.index(row));
    return {r.left() + left, r.top() + (r.height() - side) / 2, side, side};
}

void TreeList::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex i = indexAt(event->position().toPoint());
    actionRow_ = i.isValid() ? i.row() : -1;
    if (i.isValid() && event->button() == Qt::LeftButton && boxOf(i.row()) != 0 &&
        boxRect(i.row()).adjusted(-2, -2, 2, 2).contains(event->position().toPoint())) {
        post(boxOf(i.row()) > 0 ? EVENT::Expanded : EVENT::Contracted);
        return;
    }
    if (event->button() == Qt::RightButton) {
        if (!i.isValid()) return;
        setFocus(Qt::MouseFocusReason);
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
        post(EVENT::AlertKey, KEY::MouseRight);
        return;
    }
    QListView::mousePressEvent(event);
}

void TreeList::mouseDoubleClickEvent(QMouseEvent* event)
{
    // a double click on a box is two clicks on it; elsewhere the window sees it as an alerted key
    const QModelIndex i = indexAt(event->position().toPoint());
    if (i.isValid() && boxOf(i.row()) != 0 && boxRect(i.row()).adjusted(-2, -2, 2, 2).contains(event->position().toPoint())) {
        mousePressEvent(event);
        return;
    }
    event->accept();
    if (i.isValid() && event->button() == Qt::LeftButton) post(EVENT::AlertKey, KEY::MouseLeft2);
}

void TreeList::post(int event, int keyCode)
{
    if (Window* w = Window::of(this)) w->post(event, number_, keyCode);
}

Control& AddTreeList(Window& window, const QString& name, int number)
{
    auto* list = new TreeList(window.content());
    Control& c = window.add(CREATE::List, name, list, number);
    list->setControlNumber(c.number());
    return c;
}

}  // namespace ui
