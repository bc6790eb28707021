#include "output/reports/estimate_lines.h"

#include "data/thread_data.h"

#include <limits>

namespace {
constexpr int kBatch = 200;
}

EstimateLines::EstimateLines(std::int32_t estimate)
    : estimate_(estimate),
      inRange_(estimate >= std::numeric_limits<std::int16_t>::min() && estimate <= std::numeric_limits<std::int16_t>::max())
{
    if (!inRange_ || Access(FileId::WrksInSmt).UseFile() != records::Level::Benign) {
        exhausted_ = true;
        return;
    }
    records::RecordFile& file = Access(FileId::WrksInSmt).file();
    cursor_ = std::make_unique<records::Cursor>(file, file.layout().keyIndex("NSB:ONSMETNUM"));
    WrksInSmtRecord range{};
    range.CODER = std::int16_t(estimate);
    cursor_->setRange(1, &range);
    cursor_->toStart();
}

bool EstimateLines::next()
{
    if (nextInBatch_ == batch_.size()) {
        if (exhausted_) return false;
        batch_.clear();
        nextInBatch_ = 0;
        const int n = cursor_->read(true, kBatch, [this](records::Position, const void* r) {
            batch_.push_back(*static_cast<const WrksInSmtRecord*>(r));
        });
        if (n < 0) {
            failed_ = exhausted_ = true;
            Access(FileId::WrksInSmt).ReportReadFailure();
            return false;
        }
        if (n < kBatch) exhausted_ = true;
        if (batch_.empty()) return false;
    }
    NSB() = batch_[nextInBatch_++];
    joinSection();
    return true;
}

void EstimateLines::joinSection()
{
    if (NSB().GRINSMETA == joinedSection_) return;
    joinedSection_ = NSB().GRINSMETA;
    GroupsWksRecord& section = GRO();
    section = GroupsWksRecord{};
    section.NUMSMET = NSB().CODER;
    section.NUMINSMETA = NSB().GRINSMETA;
    if (Access(FileId::GroupsWks).TryFetch(GroupsWksLayout().keyIndex("GRO:KeyNumInsmeta")) != records::Level::Benign)
        section = GroupsWksRecord{};
}

int EstimateLines::lastSection()
{
    if (!inRange_ || !cursor_) return 0;
    records::RecordFile& file = Access(FileId::WrksInSmt).file();
    records::Cursor last(file, file.layout().keyIndex("NSB:ONSMETNUM"));
    WrksInSmtRecord record{};
    record.CODER = std::int16_t(estimate_);
    last.setRange(1, &record);
    last.toEnd();
    return last.previous(&record) == 0 ? record.GRINSMETA : 0;
}
