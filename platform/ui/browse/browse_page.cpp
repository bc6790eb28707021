#include "platform/ui/browse/browse_page.h"

#include <algorithm>

namespace ui {

BrowsePage::BrowsePage(records::RecordFile& file) : file_(file) {}

void BrowsePage::setView(int key, int rangeLeading, const void* rangeRecord, records::Condition condition)
{
    if (!cursor_ || key != key_) {
        cursor_.emplace(file_, key);
        cursor_->setSlicing(between_);
    }
    key_ = key;
    cursor_->setRange(rangeLeading, rangeRecord);
    cursor_->setCondition(std::move(condition));
}

void BrowsePage::setSlicing(std::function<bool()> between)
{
    between_ = std::move(between);
    if (cursor_) cursor_->setSlicing(between_);
}

BrowsePage::Rows BrowsePage::read(bool forward, int count)
{
    Rows out;
    if (count <= 0 || abandoned_) return out;
    const std::size_t size = file_.layout().recordSize;
    const int n = cursor_->read(forward, count, [&](records::Position pos, const void* record) {
        const auto* bytes = static_cast<const unsigned char*>(record);
        out.push_back({pos, std::vector<unsigned char>(bytes, bytes + size)});
    });
    failed_ = n < 0;
    abandoned_ = cursor_->abandoned();
    return out;
}

void BrowsePage::standBefore(const void* record, records::Position position, bool forward)
{
    // A unique key holds one record per value; in a run of equal values of a DUP key the
    // positions order the records.
    if (position == 0 || file_.layout().keys[std::size_t(key_)].unique())
        cursor_->toKeyOf(record);
    else
        cursor_->toRecord(forward ? position - 1 : position, record);
}

void BrowsePage::standOn(const BrowseRow& row) { cursor_->toRecord(row.position, row.record.data()); }

void BrowsePage::fillFromStart()
{
    abandoned_ = false;
    cursor_->toStart();
    // one row more than the page tells whether the page reaches the end
    Rows got = read(true, size_ + 1);
    atStart_ = true;
    atEnd_ = int(got.size()) <= size_;
    if (!atEnd_) got.resize(std::size_t(size_));
    rows_ = std::move(got);
    highlighted_ = rows_.empty() ? -1 : 0;
}

void BrowsePage::fillFromEnd()
{
    abandoned_ = false;
    cursor_->toEnd();
    Rows got = read(false, size_ + 1);
    atEnd_ = true;
    atStart_ = int(got.size()) <= size_;
    if (!atStart_) got.resize(std::size_t(size_));
    std::reverse(got.begin(), got.end());
    rows_ = std::move(got);
    highlighted_ = int(rows_.size()) - 1;
}

void BrowsePage::fillAt(const void* record, records::Position position, int rowsAbove)
{
    abandoned_ = false;
    // the record may be one of this page's rows
    const auto* bytes = static_cast<const unsigned char*>(record);
    const std::vector<unsigned char> anchor(bytes, bytes + file_.layout().recordSize);

    standBefore(anchor.data(), position, true);
    Rows after = read(true, size_ + 1);
    bool endReached = int(after.size()) <= size_;
    if (!endReached) after.resize(std::size_t(size_));

    const int above = std::max(std::clamp(rowsAbove, 0, size_ - 1), size_ - int(after.size()));
    standBefore(anchor.data(), position, false);
    Rows before = read(false, above + 1);
    atStart_ = int(before.size()) <= above;
    if (!atStart_) before.resize(std::size_t(above));
    std::reverse(before.begin(), before.end());

    const int highlight = after.empty() ? int(before.size()) - 1 : int(before.size());
    rows_ = std::move(before);
    rows_.insert(rows_.end(), std::make_move_iterator(after.begin()), std::make_move_iterator(after.end()));
    if (int(rows_.size()) > size_) {
        rows_.resize(std::size_t(size_));
        endReached = false;
    }
    atEnd_ = endReached;
    highlighted_ = rows_.empty() ? -1 : highlight;
}

bool BrowsePage::setHighlighted(int row)
{
    if (row < 0 || row >= int(rows_.size()) || row == highlighted_) return false;
    highlighted_ = row;
    return true;
}

bool BrowsePage::down()
{
    abandoned_ = false;
    if (rows_.empty()) return false;
    if (highlighted_ < int(rows_.size()) - 1) {
        ++highlighted_;
        return true;
    }
    if (atEnd_) return false;
    standOn(rows_.back());
    Rows got = read(true, 2);
    if (got.empty()) {
        atEnd_ = !failed_ && !abandoned_;
        return false;
    }
    atEnd_ = got.size() < 2;
    rows_.push_back(std::move(got.front()));
    if (int(rows_.size()) > size_) {
        rows_.erase(rows_.begin());
        atStart_ = false;
    }
    highlighted_ = int(rows_.size()) - 1;
    return true;
}

bool BrowsePage::up()
{
    abandoned_ = false;
    if (rows_.empty()) return false;
    if (highlighted_ > 0) {
        --highlighted_;
        return true;
    }
    if (atStart_) return false;
    standOn(rows_.front());
    Rows got = read(false, 2);
    if (got.empty()) {
        atStart_ = !failed_ && !abandoned_;
        return false;
    }
    atStart_ = got.size() < 2;
    rows_.insert(rows_.begin(), std::move(got.front()));
    if (int(rows_.size()) > size_) {
        rows_.pop_back();
        atEnd_ = false;
    }
    highlighted_ = 0;
    return true;
}

bool BrowsePage::pageDown()
{
    abandoned_ = false;
    if (rows_.empty()) return false;
    const int last = int(rows_.size()) - 1;
    Rows got;
    if (!atEnd_) {
        standOn(rows_.back());
        got = read(true, size_ + 1);
        atEnd_ = int(got.size()) <= size_ && !failed_ && !abandoned_;
        if (int(got.size()) > size_) got.resize(std::size_t(size_));
    }
    if (got.empty()) {
        const bool moved = highlighted_ != last;
        highlighted_ = last;
        return moved;
    }
    // one page further, or the last row when fewer follow
    const int target = std::min(highlighted_ + size_, last + int(got.size()));
    rows_.insert(rows_.end(), std::make_move_iterator(got.begin()), std::make_move_iterator(got.end()));
    const int drop = std::max(0, int(rows_.size()) - size_);
    if (drop > 0) {
        rows_.erase(rows_.begin(), rows_.begin() + drop);
        atStart_ = false;
    }
    highlighted_ = target - drop;
    return true;
}

bool BrowsePage::pageUp()
{
    abandoned_ = false;
    if (rows_.empty()) return false;
    Rows got;
    if (!atStart_) {
        standOn(rows_.front());
        got = read(false, size_ + 1);
        atStart_ = int(got.size()) <= size_ && !failed_ && !abandoned_;
        if (int(got.size()) > size_) got.resize(std::size_t(size_));
    }
    if (got.empty()) {
        const bool moved = highlighted_ != 0;
        highlighted_ = 0;
        return moved;
    }
    const int target = std::max(highlighted_ + int(got.size()) - size_, 0);
    std::reverse(got.begin(), got.end());
    rows_.insert(rows_.begin(), std::make_move_iterator(got.begin()), std::make_move_iterator(got.end()));
    if (int(rows_.size()) > size_) {
        rows_.resize(std::size_t(size_));
        atEnd_ = false;
    }
    highlighted_ = target;
    return true;
}

bool BrowsePage::readEnd(bool last, std::vector<unsigned char>& into)
{
    if (last)
        cursor_->toEnd();
    else
        cursor_->toStart();
    Rows got = read(!last, 1);
    if (got.empty()) return false;
    into = std::move(got.front().record);
    return true;
}

int BrowsePage::openRow(const void* record)
{
    const auto* bytes = static_cast<const unsigned char*>(record);
    int at = highlighted_ + 1;
    rows_.insert(rows_.begin() + at, BrowseRow{0, std::vector<unsigned char>(bytes, bytes + file_.layout().recordSize)});
    if (int(rows_.size()) > size_) {
        if (at == int(rows_.size()) - 1) {
            rows_.erase(rows_.begin());
            --at;
            atStart_ = false;
        } else {
            rows_.pop_back();
            atEnd_ = false;
        }
    }
    highlighted_ = at;
    return at;
}

}  // namespace ui
