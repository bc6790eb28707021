#pragma once
// The rows a browse list shows: the texts of the visible rows only, rendered by the list's
// thread from its page cache, so the view never reaches into records while Qt paints.

#include "platform/ui/controls/cell_colors.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace ui {

class BrowseModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Role of a cell's indent in pixels from its aligned edge.
    static constexpr int IndentRole = Qt::UserRole + 1;
    // Roles of a cell's colours while its row is selected (Qt's foreground and background
    // roles give them otherwise); none for the list's own.
    static constexpr int SelectedForegroundRole = Qt::UserRole + 2;
    static constexpr int SelectedBackgroundRole = Qt::UserRole + 3;

    struct Column {
        QString heading;
        Qt::Alignment align = Qt::AlignLeft;
        Qt::Alignment headingAlign = Qt::AlignLeft;
        int indent = 0;
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setColumns(std::vector<Column> columns);
    // One list of cell texts per row, and optionally the colours of their cells.
    void setRows(std::vector<QStringList> rows, std::vector<std::vector<CellColors>> colors = {});
    QString text(int row, int column) const;
    CellColors colors(int row, int column) const;
    // One list of cell tooltips per row (empty: none), set after the rows.
    void setTooltips(std::vector<QStringList> tips);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Column> columns_;
    std::vector<QStringList> rows_;
    std::vector<std::vector<CellColors>> colors_;
    std::vector<QStringList> tips_;
};

}  // namespace ui
