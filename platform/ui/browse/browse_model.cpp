#include "platform/ui/browse/browse_model.h"

namespace ui {

namespace {

QVariant colorRole(std::uint32_t reference)
{
    if (reference == COLOR_NONE) return {};
    return colorOfRef(reference);
}

}  // namespace

void BrowseModel::setColumns(std::vector<Column> columns)
{
    beginResetModel();
    columns_ = std::move(columns);
    endResetModel();
}

void BrowseModel::setRows(std::vector<QStringList> rows, std::vector<std::vector<CellColors>> colors)
{
    colors_ = std::move(colors);
    if (rows.size() == rows_.size()) {
        // the same rows with other texts: the view keeps its cell widgets (the in-place editor)
        rows_ = std::move(rows);
        if (!rows_.empty() && !columns_.empty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QString BrowseModel::text(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= rows_[std::size_t(row)].size()) return {};
    return rows_[std::size_t(row)][column];
}

CellColors BrowseModel::colors(int row, int column) const
{
    if (row < 0 || row >= int(colors_.size()) || column < 0 || column >= int(colors_[std::size_t(row)].size()))
        return {};
    return colors_[std::size_t(row)][std::size_t(column)];
}
void BrowseModel::setTooltips(std::vector<QStringList> tips) { tips_ = std::move(tips); }

int BrowseModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int BrowseModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant BrowseModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= int(columns_.size())) return {};
    const Column& c = columns_[std::size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole: return text(index.row(), index.column());
    case Qt::TextAlignmentRole: return QVariant::fromValue(c.align | Qt::AlignVCenter);
    case IndentRole: return c.indent;
    case Qt::ForegroundRole: return colorRole(colors(index.row(), index.column()).text);
    case Qt::BackgroundRole: return colorRole(colors(index.row(), index.column()).background);
    case SelectedForegroundRole: return colorRole(colors(index.row(), index.column()).selectedText);
    case SelectedBackgroundRole: return colorRole(colors(index.row(), index.column()).selectedBackground);
    case Qt::ToolTipRole: {
        const std::size_t row = std::size_t(index.row());
        if (row >= tips_.size() || index.column() >= tips_[row].size() || tips_[row][index.column()].isEmpty()) return {};
        return tips_[row][index.column()];
    }
    default: return {};
    }
}

QVariant BrowseModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= int(columns_.size())) return {};
    const Column& c = columns_[std::size_t(section)];
    if (role == Qt::DisplayRole) return c.heading;
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(c.headingAlign | Qt::AlignVCenter);
    return {};
}

}  // namespace ui
