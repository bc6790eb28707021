#include "platform/records/cursor.h"

#include "platform/records/row_io.h"
#include "platform/records/scan_slice.h"
#include "platform/records/sql_text.h"
#include "platform/records/statement_use.h"

#include <algorithm>
#include <optional>
#include <cstring>

namespace records {

Cursor::Cursor(RecordFile& file, int key)
    : file_(file),
      key_(key),
      range_(file.layout().recordSize),
      current_(file.layout().recordSize),
      row_(file.layout().recordSize)
{
    buildQueries();
}

void Cursor::buildQueries()
{
    const Layout& layout = file_.layout();
    const Key& key = layout.keys[std::size_t(key_)];
    const int n = int(key.components.size());
    const std::string select = columns_.empty() ? sql::selectRecord(layout) : sql::selectColumns(layout, columns_);
    const std::string inKey = sql::inKeyTest(layout, key);
    const std::string range = sql::equalities(layout, key, 0, rangeLeading_);
    const std::string equalRest = sql::equalities(layout, key, rangeLeading_, n);
    // a sliced read notes every record it passes before the condition tests it
    const std::string seen = sliced() ? std::string(scan::kSeenFunction) + "(" + sql::kPosition + ")" : std::string();
    const std::string limited = condition_ ? "(" + condition_.sql + ")" : std::string();
    for (bool forward : {false, true}) {
        const std::string order = " ORDER BY " + sql::keyOrder(layout, key, !forward) + " LIMIT ?";
        const std::string afterPosition = std::string(sql::kPosition) + (forward ? " > ?" : " < ?");
        Queries& q = queries_[forward];
        q.fromEnd = select + sql::where({range, inKey, seen, limited}) + order;
        q.equalKey = select + sql::where({range, equalRest, afterPosition, inKey, seen, limited}) + order;
        q.beyondKey.clear();
        if (rangeLeading_ < n)
            q.beyondKey = select +
                          sql::where({range, sql::rowValueComparison(layout, key, rangeLeading_, forward ? ">" : "<"),
                                      inKey, seen, limited}) +
                          order;
    }
}

void Cursor::setRange(int leading, const void* record)
{
    rangeLeading_ = leading;
    file_.layout().copy(range_.data(), record ? record : file_.buffer());
    buildQueries();
}

void Cursor::setCondition(Condition condition)
{
    if (condition == condition_) return;
    condition_ = std::move(condition);
    buildQueries();
}

void Cursor::setColumns(std::vector<int> columns)
{
    if (!columns.empty()) {
        // the key's own are always read: the next batch starts from the key values stood on
        const Key& key = file_.layout().keys[std::size_t(key_)];
        columns.insert(columns.end(), key.components.begin(), key.components.end());
        std::sort(columns.begin(), columns.end());
        columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    }
    columns_ = std::move(columns);
    buildQueries();
}

void Cursor::setSlicing(std::function<bool()> between)
{
    const bool was = sliced();
    between_ = std::move(between);
    if (sliced() != was) buildQueries();
}

void Cursor::standOn(Anchor anchor, Position pos, const void* record)
{
    anchor_ = anchor;
    position_ = pos;
    if (record) file_.layout().copy(current_.data(), record);
}

void Cursor::toStart() { standOn(Anchor::Start, 0, nullptr); }
void Cursor::toEnd() { standOn(Anchor::End, 0, nullptr); }
void Cursor::toKeyOf(const void* record) { standOn(Anchor::Record, 0, record ? record : file_.buffer()); }
void Cursor::toRecord(Position pos, const void* record) { standOn(Anchor::Record, pos, record ? record : file_.buffer()); }

int Cursor::next(void* into) { return readOne(true, into); }
int Cursor::previous(void* into) { return readOne(false, into); }

int Cursor::readOne(bool forward, void* into)
{
    void* target = into ? into : file_.buffer();
    Position read = 0;
    const int n = step(forward, 1, [&](Position pos, const void* record) {
        file_.layout().copy(target, record);
        read = pos;
    });
    if (n < 0) return file_.lastError().code;
    if (n == 0) return kRecordNotAvailable;
    if (!into) file_.setPosition(read);
    return 0;
}

int Cursor::read(bool forward, int count, const std::function<void(Position, const void* record)>& take)
{
    return step(forward, count, take);
}

int Cursor::step(bool forward, int count, const Take& take)
{
    const Key& key = file_.layout().keys[std::size_t(key_)];
    const bool keysBeyond = rangeLeading_ < int(key.components.size());
    abandoned_ = false;
    int given = 0;
    while (given < count) {
        const int limit = count - given;
        Outcome outcome = Outcome::Exhausted;
        if (anchor_ == Anchor::Record) {
            // a unique key has no other record with the value stood on
            if (!key.unique() || position_ == 0) outcome = run(forward, Part::EqualKey, limit, count, given, take);
            if (outcome == Outcome::Exhausted && keysBeyond)
                outcome = run(forward, Part::BeyondKey, limit, count, given, take);
        } else if ((anchor_ == Anchor::Start) == forward) {
            outcome = run(forward, Part::FromEnd, limit, count, given, take);
        }
        if (outcome == Outcome::Failed) return -1;
        if (outcome == Outcome::Exhausted) break;
        if (outcome == Outcome::Sliced && !between_()) {
            abandoned_ = true;
            break;
        }
    }
    return given;
}

Cursor::Outcome Cursor::run(bool forward, Part part, int limit, int count, int& given, const Take& take)
{
    const Queries& q = queries_[forward];
    StatementUse s(file_.statement(part == Part::FromEnd ? q.fromEnd : part == Part::EqualKey ? q.equalKey : q.beyondKey));
    if (!s) return Outcome::Failed;
    const Layout& layout = file_.layout();
    const Key& key = layout.keys[std::size_t(key_)];
    const int n = int(key.components.size());
    int index = bindComponents(layout, key, 0, rangeLeading_, range_.data(), s.get(), 1);
    if (part != Part::FromEnd) index = bindComponents(layout, key, rangeLeading_, n, current_.data(), s.get(), index);
    if (part == Part::EqualKey) sqlite3_bind_int64(s.get(), index++, position_);
    index = condition_.bind(s.get(), index);
    sqlite3_bind_int(s.get(), index, limit);

    std::optional<scan::Slice> slice;
    if (sliced()) slice.emplace(file_.connection(), scan::sliceTime() * sliceFactor_);
    int rows = 0;
    int rc;
    while ((rc = s.step()) == SQLITE_ROW) {
        ++rows;
        if (columns_.empty())
            readRecord(layout, s.get(), row_.data());
        else
            readColumns(layout, columns_, s.get(), row_.data());
        std::swap(row_, current_);
        position_ = sqlite3_column_int64(s.get(), 0);
        anchor_ = Anchor::Record;
        take(position_, current_.data());
        if (++given == count) return Outcome::More;
    }
    if (slice && (rc & 0xFF) == SQLITE_INTERRUPT) {
        const std::int64_t last = slice->last(), beforeLast = slice->beforeLast();
        slice.reset();
        const bool progressed = standAfterSlice(beforeLast, rows > 0 && position_ == last) || rows > 0;
        sliceFactor_ = progressed ? 1 : sliceFactor_ * 2;
        return Outcome::Sliced;
    }
    if (rc != SQLITE_DONE) {
        file_.failFromSqlite(rc);
        return Outcome::Failed;
    }
    return rows < limit ? Outcome::Exhausted : Outcome::More;
}

bool Cursor::standAfterSlice(std::int64_t beforeLast, bool gaveLast)
{
    // The last record noted may have been stopped in its test; the one before it was wholly
    // passed on, and so was the last when it was given.
    if (gaveLast) return true;  // the cursor stands on it already
    if (beforeLast == 0) return false;
    if (file_.fetch(beforeLast, row_.data()) != 0) return false;
    std::swap(row_, current_);
    position_ = beforeLast;
    anchor_ = Anchor::Record;
    return true;
}

}  // namespace records
