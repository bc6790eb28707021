#pragma once
// The tree of the estimate editor, without its window: the queue of rows (root, the estimate's
// header, its sections and under each its work lines), the rows the user expanded, the
// loaders that read the rows from the thread's record files, expanding and collapsing, the
// rebuilds and the moves of the selection. Rows are counted from 0; a row's position is its
// record's row id, which never names another record. A row keeps the fields its text is made
// of as they were read; the text is made when it is asked for.

#include "estimate/editor/tree_rows.h"
#include "platform/ui/controls/tree_row.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <utility>

class EstimateTree {
public:
    // `readFailed` is called once when a read fails other than at the end of a file (the file
    // manager has reported it); the tree stops loading.
    explicit EstimateTree(std::function<void()> readFailed) : readFailed_(std::move(readFailed)) {}

    // The rows as the list shows them, and how often the queue has been changed.
    const ui::TreeQueue& queue() const { return queue_; }
    unsigned version() const { return version_; }
    // The text of a row (empty for none).
    QString textOf(int row) const;

    // --- the editor's locals
    std::int32_t EditorEstimate = 0;
    int ReselectLevel = 0;  // with its sign as the row had it; 0: none
    std::int64_t ReselectPosition = 0;
    int selected = 0;  // the selected row

    // Remembers the row so that rebuilds select it again.
    void remember(int level, std::int64_t position)
    {
        ReselectLevel = level;
        ReselectPosition = position;
    }

    // --- expanding and collapsing one row, and the rebuilds
    void TreeExpandNode(int row);
    void TreeContractNode(int row);
    void TreeExpandAll();
    void TreeContractAll();
    void TreeReload();

    // --- moves of the selection
    void TreeNextRow();
    void TreePreviousRow();
    void TreeNextSameLevel();
    void TreePreviousSameLevel();
    void TreeParentRow();
    void TreeNextParentLevel();

    // The absolute level of a row (-1 for none).
    int levelOf(int row) const;
    // The nearest row at or above `row` at that absolute level (-1 for none).
    int rowAbove(int row, int level) const;

private:
    // The expanded rows: (absolute level, position), in that order.
    using Expanded = std::pair<int, std::int64_t>;

    void TreeLoadEstimate();
    bool TreeLoadSections(int& at);
    bool TreeLoadWorks(int& at);
    void TreeSeekForward(int seekLevel);
    void TreeSeekBackward(int seekLevel);
    // Re-reads the row's record into the thread's buffer and formats the row again; false
    // when it is gone.
    bool refresh(ui::TreeRow& row);
    // The rows of each kind with their fields kept (the row holds where).
    ui::TreeRow estimateRow(const HeadersRecord& header);
    ui::TreeRow sectionRow(const GroupsWksRecord& section);
    ui::TreeRow workRow(const WrksInSmtRecord& line);
    // Empties the queue and the fields kept for its rows.
    void clearRows();
    // Whether a row at `level` with `position` comes out expanded (expand-all records it).
    bool expands(int level, std::int64_t position);
    // A read failed: reported by the file manager; the tree stops.
    void fail();
    void changed() { ++version_; }

    ui::TreeQueue queue_;
    // the fields of the rows, by kind; a collapse leaves its rows' fields until the next rebuild
    // (in blocks: growing never moves what is kept)
    std::deque<EstimateRowFields> estimateFields_;
    std::deque<SectionRowFields> sectionFields_;
    std::deque<WorkRowFields> workFields_;
    std::set<Expanded> expanded_;
    bool ExpandAllFlag = false;
    bool failed_ = false;
    unsigned version_ = 0;
    std::function<void()> readFailed_;
};
