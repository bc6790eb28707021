#include "estimate/editor/estimate_tree.h"

#include "data/key_range.h"
#include "data/thread_data.h"
#include "platform/records/cursor.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

using records::Position;

int headersByNumber() { return HeadersLayout().keyIndex("DFL:BYNUM"); }

// A line holds its section in one byte: a section beyond it has none.
bool holdsLines(const GroupsWksRecord& s) { return s.NUMINSMETA >= 0 && s.NUMINSMETA <= 255; }

WrksInSmtRecord firstLineKeyOf(const GroupsWksRecord& s)
{
    WrksInSmtRecord range{};
    range.CODER = s.NUMSMET;
    range.GRINSMETA = std::uint8_t(s.NUMINSMETA);
    return range;
}

}  // namespace

// --- loading

void EstimateTree::fail()
{
    if (failed_) return;
    failed_ = true;
    if (readFailed_) readFailed_();
}

bool EstimateTree::expands(int level, std::int64_t position)
{
    if (ExpandAllFlag) {
        expanded_.insert({level, position});
        return true;
    }
    return expanded_.count({level, position}) > 0;
}

void EstimateTree::TreeLoadEstimate()
{
    queue_.push_back(RootRow());
    if (failed_) return;
    // The number is unique: one exact read finds the header the tree shows.
    FileAccess& headers = Access(FileId::Headers);
    if (headers.UseFile() != records::Level::Benign) return fail();
    DFL().NUMBER = std::int16_t(EditorEstimate);
    const int code = headers.file().get(headersByNumber());
    if (code == records::kRecordNotFound) return;
    if (code != records::kNoError) {
        headers.ReportReadFailure();
        return fail();
    }
    ui::TreeRow row = estimateRow(DFL());
    row.position = headers.file().position();
    row.level = 1;
    int at = int(queue_.size());
    if (expands(1, row.position)) {
        row.loaded = true;
        queue_.push_back(row);
        ++at;
        TreeLoadSections(at);
        return;
    }
    // look-ahead: the first section of the estimate, if any
    FileAccess& groups = Access(FileId::GroupsWks);
    if (groups.UseFile() != records::Level::Benign) return fail();
    GroupsWksRecord range{};
    range.NUMSMET = DFL().NUMBER;
    records::Cursor cursor(groups.file(), GroupsWksLayout().keyIndex("GRO:KeyNumInsmeta"));
    cursor.setRange(1, &range);
    cursor.toStart();
    const int n = cursor.read(true, 1, [](Position, const void*) {});
    if (n < 0) {
        groups.ReportReadFailure();
        return fail();
    }
    if (n == 1) row.level = -1;
    queue_.push_back(row);
}

bool EstimateTree::TreeLoadSections(int& at)
{
    std::vector<std::pair<Position, GroupsWksRecord>> sections;
    GroupsWksRecord range{};
    range.NUMSMET = DFL().NUMBER;
    if (!readKeyRangePositions(FileId::GroupsWks, "GRO:KeyNumInsmeta", 1, &range, [&](Position p, const void* r) {
            sections.emplace_back(p, *static_cast<const GroupsWksRecord*>(r));
        })) {
        fail();
        return false;
    }
    FileAccess& lines = Access(FileId::WrksInSmt);
    if (!sections.empty() && lines.UseFile() != records::Level::Benign) {
        fail();
        return false;
    }
    const int onLineKey = WrksInSmtLayout().keyIndex("NSB:ONSMETNUM");
    for (const auto& [position, section] : sections) {
        ui::TreeRow row = sectionRow(section);
        row.position = position;
        row.level = 2;
        if (expands(2, position)) {
            row.loaded = true;
            queue_.insert(queue_.begin() + at++, row);
            GRO() = section;
            if (!TreeLoadWorks(at)) return false;
            continue;
        }
        if (holdsLines(section)) {
            // look-ahead: the section's first line, if any
            const WrksInSmtRecord key = firstLineKeyOf(section);
            records::Cursor cursor(lines.file(), onLineKey);
            cursor.setRange(2, &key);
            cursor.toStart();
            const int n = cursor.read(true, 1, [](Position, const void*) {});
            if (n < 0) {
                lines.ReportReadFailure();
                fail();
                return false;
            }
            if (n == 1) row.level = -2;
        }
        queue_.insert(queue_.begin() + at++, row);
    }
    return true;
}

bool EstimateTree::TreeLoadWorks(int& at)
{
    if (!holdsLines(GRO())) return true;
    const WrksInSmtRecord range = firstLineKeyOf(GRO());
    // the lines go to the end of the queue, and are moved in place when they belong before its end
    const std::size_t before = queue_.size();
    if (!readKeyRangePositions(FileId::WrksInSmt, "NSB:ONSMETNUM", 2, &range, [&](Position p, const void* r) {
            ui::TreeRow& row = queue_.emplace_back(workRow(*static_cast<const WrksInSmtRecord*>(r)));
            row.position = p;
            row.level = 3;
        })) {
        queue_.resize(before);
        fail();
        return false;
    }
    std::rotate(queue_.begin() + at, queue_.begin() + std::ptrdiff_t(before), queue_.end());
    at += int(queue_.size() - before);
    return true;
}

bool EstimateTree::refresh(ui::TreeRow& row)
{
    const int level = std::abs(row.level);
    if (level < 1 || level > 3) return true;
    const FileId file = level == 1 ? FileId::Headers : level == 2 ? FileId::GroupsWks : FileId::WrksInSmt;
    FileAccess& access = Access(file);
    if (access.UseFile() != records::Level::Benign) {
        fail();
        return false;
    }
    const int code = access.file().fetch(row.position);
    if (code == records::kRecordNotFound) return false;
    if (code != records::kNoError) {
        access.ReportReadFailure();
        fail();
        return false;
    }
    // the row's own fields read again, in place
    const std::size_t at = row.fields;
    if (level == 1)
        estimateFields_[at] = EstimateFieldsOf(DFL());
    else if (level == 2)
        sectionFields_[at] = SectionFieldsOf(GRO());
    else
        workFields_[at] = WorkFieldsOf(NSB());
    return true;
}

ui::TreeRow EstimateTree::estimateRow(const HeadersRecord& header)
{
    ui::TreeRow row = EstimateRow();
    row.fields = std::uint32_t(estimateFields_.size());
    estimateFields_.push_back(EstimateFieldsOf(header));
    return row;
}

ui::TreeRow EstimateTree::sectionRow(const GroupsWksRecord& section)
{
    ui::TreeRow row = SectionRow();
    row.fields = std::uint32_t(sectionFields_.size());
    sectionFields_.push_back(SectionFieldsOf(section));
    return row;
}

ui::TreeRow EstimateTree::workRow(const WrksInSmtRecord& line)
{
    ui::TreeRow row = WorkRow();
    row.fields = std::uint32_t(workFields_.size());
    workFields_.push_back(WorkFieldsOf(line));
    return row;
}

void EstimateTree::clearRows()
{
    queue_.clear();
    estimateFields_.clear();
    sectionFields_.clear();
    workFields_.clear();
}

QString EstimateTree::textOf(int row) const
{
    if (row < 0 || row >= int(queue_.size())) return {};
    const ui::TreeRow& r = queue_[std::size_t(row)];
    switch (std::abs(r.level)) {
    case 0: return RootRowText();
    case 1: return EstimateRowText(estimateFields_[r.fields]);
    case 2: return SectionRowText(sectionFields_[r.fields]);
    default: return WorkRowText(workFields_[r.fields]);
    }
}

// --- expanding and collapsing

void EstimateTree::TreeExpandNode(int row)
{
    if (row < 0 || row >= int(queue_.size()) || queue_[std::size_t(row)].loaded) return;
    ui::TreeRow& r = queue_[std::size_t(row)];
    r.level = std::abs(r.level);
    r.loaded = true;
    expanded_.insert({r.level, r.position});
    changed();
    const int level = r.level;
    if (!refresh(r)) return;  // a record gone has no children to read
    int at = row + 1;
    if (level == 1)
        TreeLoadSections(at);
    else if (level == 2)
        TreeLoadWorks(at);
}

void EstimateTree::TreeContractNode(int row)
{
    if (row < 0 || row >= int(queue_.size()) || !queue_[std::size_t(row)].loaded) return;
    ui::TreeRow& r = queue_[std::size_t(row)];
    const int level = std::abs(r.level);
    r.level = -level;
    r.loaded = false;
    expanded_.erase({level, r.position});
    refresh(r);
    auto end = queue_.begin() + row + 1;
    while (end != queue_.end() && std::abs(end->level) > level) ++end;
    queue_.erase(queue_.begin() + row + 1, end);
    changed();
}

void EstimateTree::TreeExpandAll()
{
    clearRows();
    expanded_.clear();
    ExpandAllFlag = true;
    TreeLoadEstimate();
    ExpandAllFlag = false;
    changed();
}

void EstimateTree::TreeContractAll()
{
    clearRows();
    expanded_.clear();
    TreeLoadEstimate();
    changed();
}

void EstimateTree::TreeReload()
{
    clearRows();
    TreeLoadEstimate();
    changed();
    if (ReselectLevel != 0) {
        for (int i = 0; i < int(queue_.size()); ++i) {
            const ui::TreeRow& r = queue_[std::size_t(i)];
            if (std::abs(r.level) == std::abs(ReselectLevel) && r.position == ReselectPosition) {
                selected = i;
                return;
            }
        }
    }
    // the list keeps its selected row number, within the rows it has now
    if (selected >= int(queue_.size())) selected = int(queue_.size()) - 1;
}

// --- moves of the selection

int EstimateTree::levelOf(int row) const
{
    return row >= 0 && row < int(queue_.size()) ? std::abs(queue_[std::size_t(row)].level) : -1;
}

int EstimateTree::rowAbove(int row, int level) const
{
    for (int i = row; i >= 0; --i)
        if (levelOf(i) == level) return i;
    return -1;
}

void EstimateTree::TreeNextRow()
{
    TreeExpandNode(selected);
    if (selected + 1 < int(queue_.size())) ++selected;
}

void EstimateTree::TreePreviousRow()
{
    if (selected <= 0) return;
    int p = selected - 1;
    for (;;) {
        const std::size_t before = queue_.size();
        TreeExpandNode(p);
        const int added = int(queue_.size() - before);
        if (added <= 0) break;
        p += added;
    }
    selected = p;
}

void EstimateTree::TreeNextSameLevel() { TreeSeekForward(levelOf(selected)); }

void EstimateTree::TreePreviousSameLevel() { TreeSeekBackward(levelOf(selected)); }

void EstimateTree::TreeParentRow()
{
    if (const int level = levelOf(selected); level > 1) TreeSeekBackward(level - 1);
}

void EstimateTree::TreeNextParentLevel()
{
    if (const int level = levelOf(selected); level > 1) TreeSeekForward(level - 1);
}

void EstimateTree::TreeSeekForward(int seekLevel)
{
    for (int i = selected + 1; i < int(queue_.size()); ++i) {
        const int level = levelOf(i);
        if (level == seekLevel) {
            selected = i;
            return;
        }
        if (level < seekLevel) TreeExpandNode(i);  // its children come next
    }
}

void EstimateTree::TreeSeekBackward(int seekLevel)
{
    for (int i = selected - 1; i >= 0; --i) {
        const int level = levelOf(i);
        if (level == seekLevel) {
            selected = i;
            return;
        }
        if (level < seekLevel) {
            const std::size_t before = queue_.size();
            TreeExpandNode(i);
            // the next step examines its last new child
            if (const int added = int(queue_.size() - before); added > 0) i += added + 1;
        }
    }
}
