#include "platform/ui/browse/browse_groups.h"

#include "platform/ui/browse/browse_model.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>
#include <cstdlib>

namespace ui {

ColumnLayout layoutColumns(const std::vector<int>& widths, const std::vector<bool>& endsLine,
                           const std::vector<BrowseColumnGroup>& groups, const std::vector<int>& groupWidths)
{
    const int n = int(widths.size());
    ColumnLayout layout;
    layout.places.resize(std::size_t(n));
    layout.sectionWidths.assign(std::size_t(n), 0);
    layout.groupOfHost.assign(std::size_t(n), -1);
    for (int c = 0; c < n; ++c) {
        layout.places[std::size_t(c)] = {c, 0, 0, widths[std::size_t(c)]};
        layout.sectionWidths[std::size_t(c)] = widths[std::size_t(c)];
    }
    for (int g = 0; g < int(groups.size()); ++g) {
        const BrowseColumnGroup& group = groups[std::size_t(g)];
        const int first = std::clamp(group.first, 0, n), end = std::clamp(group.first + group.count, first, n);
        if (first == end) continue;
        int line = 0, x = 0, widest = 0;
        for (int c = first; c < end; ++c) {
            const int w = widths[std::size_t(c)];
            layout.places[std::size_t(c)] = {first, line, x, w};
            layout.sectionWidths[std::size_t(c)] = 0;
            x += w;
            widest = std::max(widest, x);
            if (line == 0 && endsLine[std::size_t(c)] && c + 1 < end) {
                line = 1;
                x = 0;
                layout.lines = 2;
            }
        }
        layout.sectionWidths[std::size_t(first)] = std::max(widest, groupWidths[std::size_t(g)]);
        layout.groupOfHost[std::size_t(first)] = g;
    }
    return layout;
}

namespace {

int lineHeightOf(const QFontMetrics& m) { return m.height() + 4; }

// The last column of its line in its section reaches to the section's right edge.
bool lastOnLine(const ColumnLayout& layout, int column)
{
    const auto& places = layout.places;
    const std::size_t c = std::size_t(column), next = c + 1;
    return next >= places.size() || places[next].host != places[c].host || places[next].line != places[c].line;
}

// The cells of a group's section: each column of the group at its place.
class GroupCells : public QStyledItemDelegate {
public:
    GroupCells(QObject* parent, const ColumnLayout& layout) : QStyledItemDelegate(parent), layout_(layout) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.text.clear();
        QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

        const bool selected = opt.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = opt.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        const int lineHeight = option.rect.height() / std::max(1, layout_.lines);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
        painter->save();
        for (int c = 0; c < int(layout_.places.size()); ++c) {
            const ColumnPlace& p = layout_.places[std::size_t(c)];
            if (p.host != index.column()) continue;
            const QModelIndex cell = index.siblingAtColumn(c);
            const int width = lastOnLine(layout_, c) ? option.rect.width() - p.x : p.width;
            QRect r(option.rect.left() + p.x, option.rect.top() + p.line * lineHeight, width, lineHeight);
            // every column keeps its right border
            painter->setPen(opt.palette.color(group, QPalette::Mid));
            painter->drawLine(r.topRight(), r.bottomRight());
            r.adjust(margin, 0, -margin, 0);
            const auto align = Qt::Alignment(cell.data(Qt::TextAlignmentRole).toInt());
            const int indent = cell.data(BrowseModel::IndentRole).toInt();
            if (align & Qt::AlignRight)
                r.adjust(0, 0, -indent, 0);
            else if (align & Qt::AlignLeft)
                r.adjust(indent, 0, 0, 0);
            painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
            // a number's alignment blanks would only push it out of a narrow column
            QString text = cell.data(Qt::DisplayRole).toString();
            if (align & Qt::AlignRight) text = text.trimmed();
            painter->drawText(r, int(align), opt.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
        }
        painter->restore();
    }

private:
    const ColumnLayout& layout_;
};

// A header with the groups' headings over their columns' headings.
class GroupedHeader : public QHeaderView {
public:
    explicit GroupedHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

    void setGroups(const ColumnLayout& layout, const std::vector<BrowseColumnGroup>& groups)
    {
        layout_ = layout;
        groups_ = groups;
        updateGeometry();
        viewport()->update();
    }
    const ColumnLayout& columnLayout() const { return layout_; }

    QSize sizeHint() const override
    {
        QSize s = QHeaderView::sizeHint();
        s.setHeight(lineHeightOf(fontMetrics()) * (1 + layout_.lines));
        return s;
    }

protected:
    // A column inside a group is resized by dragging its right border in the header, as the
    // sections themselves are; the last column of a line goes with the section's own border.
    void mousePressEvent(QMouseEvent* event) override
    {
        dragged_ = innerBorderAt(event->position().toPoint());
        if (dragged_ < 0) {
            QHeaderView::mousePressEvent(event);
            return;
        }
        dragStart_ = event->position().toPoint().x();
        dragWidth_ = layout_.places[std::size_t(dragged_)].width;
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        if (dragged_ < 0) {
            if (innerBorderAt(at) >= 0)
                setCursor(Qt::SplitHCursor);
            else
                unsetCursor();
            QHeaderView::mouseMoveEvent(event);
            return;
        }
        resizeInner(dragged_, std::max(minimumSectionSize(), dragWidth_ + at.x() - dragStart_));
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (dragged_ < 0) QHeaderView::mouseReleaseEvent(event);
        dragged_ = -1;
    }

    void paintSection(QPainter* painter, const QRect& rect, int logical) const override
    {
        if (!rect.isValid()) return;
        const int lineHeight = rect.height() / (1 + layout_.lines);
        const int g = logical < int(layout_.groupOfHost.size()) ? layout_.groupOfHost[std::size_t(logical)] : -1;
        if (g < 0) {
            paintHeading(painter, rect, logical, model()->headerData(logical, Qt::Horizontal).toString());
            return;
        }
        paintHeading(painter, QRect(rect.left(), rect.top(), rect.width(), lineHeight), -1,
                     groups_[std::size_t(g)].heading, Qt::AlignCenter);
        // the columns' headings under it, each over its column (the last of a line to the edge)
        for (int c = 0; c < int(layout_.places.size()); ++c) {
            const ColumnPlace& p = layout_.places[std::size_t(c)];
            if (p.host != logical) continue;
            const int width = lastOnLine(layout_, c) ? rect.width() - p.x : p.width;
            paintHeading(painter, QRect(rect.left() + p.x, rect.top() + (1 + p.line) * lineHeight, width, lineHeight), c,
                         model()->headerData(c, Qt::Horizontal).toString());
        }
    }

private:
    void paintHeading(QPainter* painter, const QRect& rect, int column, const QString& text,
                      Qt::Alignment align = {}) const
    {
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = rect;
        opt.section = std::max(column, 0);
        opt.text = text;
        if (!align && column >= 0)
            align = Qt::Alignment(model()->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
        opt.textAlignment = align ? align : Qt::AlignLeft | Qt::AlignVCenter;
        opt.position = QStyleOptionHeader::Middle;
        painter->save();
        style()->drawControl(QStyle::CE_Header, &opt, painter, this);
        painter->restore();
    }

    // The column inside a group whose right border is under the point (-1: none).
    int innerBorderAt(QPoint at) const
    {
        const int logical = logicalIndexAt(at);
        if (logical < 0 || layout_.groupOfHost[std::size_t(logical)] < 0) return -1;
        const int lineHeight = height() / (1 + layout_.lines);
        const int line = at.y() / std::max(1, lineHeight) - 1;
        const int left = sectionViewportPosition(logical);
        for (int c = 0; c < int(layout_.places.size()); ++c) {
            const ColumnPlace& p = layout_.places[std::size_t(c)];
            if (p.host != logical || p.line != line || lastOnLine(layout_, c)) continue;
            if (std::abs(at.x() - (left + p.x + p.width)) <= 3) return c;
        }
        return -1;
    }
    void resizeInner(int column, int width)
    {
        ColumnPlace& resized = layout_.places[std::size_t(column)];
        const int delta = width - resized.width;
        resized.width = width;
        int lineEnd = 0;
        for (ColumnPlace& p : layout_.places) {
            if (p.host != resized.host || p.line != resized.line) continue;
            if (p.x > resized.x) p.x += delta;
            lineEnd = std::max(lineEnd, p.x + p.width);
        }
        if (lineEnd > sectionSize(resized.host)) resizeSection(resized.host, lineEnd);
        viewport()->update();
        if (auto* view = qobject_cast<QAbstractItemView*>(parentWidget())) view->viewport()->update();
    }

    ColumnLayout layout_;
    std::vector<BrowseColumnGroup> groups_;
    int dragged_ = -1;
    int dragStart_ = 0;
    int dragWidth_ = 0;
};

}  // namespace

void applyColumnGroups(QTableView& view, const ColumnLayout& layout, const std::vector<BrowseColumnGroup>& groups)
{
    auto* header = dynamic_cast<GroupedHeader*>(view.horizontalHeader());
    if (!header) {
        const bool hidden = view.horizontalHeader()->isHidden();
        header = new GroupedHeader(&view);
        header->setHighlightSections(false);
        header->setSectionsClickable(false);
        view.setHorizontalHeader(header);
        header->setHidden(hidden);  // a view already shown does not show a new child by itself
    }
    header->setGroups(layout, groups);
    for (int c = 0; c < int(layout.places.size()); ++c) {
        const bool host = layout.places[std::size_t(c)].host == c;
        view.setColumnHidden(c, !host);
        if (layout.groupOfHost[std::size_t(c)] >= 0)
            view.setItemDelegateForColumn(c, new GroupCells(&view, header->columnLayout()));
    }
    view.verticalHeader()->setDefaultSectionSize(view.fontMetrics().height() * layout.lines + 4);
}

const ColumnLayout* columnLayoutOf(const QTableView& view)
{
    const auto* header = dynamic_cast<const GroupedHeader*>(view.horizontalHeader());
    return header ? &header->columnLayout() : nullptr;
}

}  // namespace ui
