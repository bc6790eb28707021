#include "estimate/act/act_lines.h"

#include "data/key_range.h"
#include "data/thread_data.h"
#include "estimate/act/act_rules.h"
#include "platform/records/cursor.h"

#include <utility>
#include <vector>

namespace {
constexpr int kBatch = 500;
}

bool FillAct(std::int32_t estimate, const Decimal& share)
{
    FileAccess& access = Access(FileId::WrksInSmt);
    if (access.UseFile() != records::Level::Benign) return false;
    records::RecordFile& file = access.file();
    WrksInSmtRecord probe{};
    probe.CODER = std::int16_t(estimate);
    // every line of the estimate, whatever its section and number
    records::Cursor lines(file, WrksInSmtLayout().keyIndex("NSB:ONSMETNUM"));
    lines.setRange(1, &probe);
    // the lines are written through the buffer; a row in editing keeps its record and position
    WrksInSmtRecord& line = NSB();
    const WrksInSmtRecord held = line;
    const records::Position heldAt = file.position();
    std::vector<std::pair<records::Position, WrksInSmtRecord>> batch;
    const int code = file.write([&] {
        lines.toStart();
        for (;;) {
            batch.clear();
            const int n = lines.read(true, kBatch, [&](records::Position p, const void* r) {
                batch.emplace_back(p, *static_cast<const WrksInSmtRecord*>(r));
            });
            if (n < 0) return file.lastError().code ? file.lastError().code : records::kDriverError;
            for (const auto& [position, record] : batch) {
                line = record;
                line.ONAKT = FillValue(record.CHELCH, share);
                file.setPosition(position);
                if (const int c = file.put(); c != records::kNoError) return c;
            }
            if (n < kBatch) return records::kNoError;
        }
    });
    line = held;
    file.setPosition(heldAt);
    if (code == records::kNoError) return true;
    access.ERRORS->report(records::Msg::PutFailed, access.FILENAMEVALUE, access.lastErrorText());
    return false;
}

bool SectionActSum(std::int32_t estimate, std::int32_t section, Decimal& sum)
{
    std::int64_t hundredths = 0;
    sum = Decimal();
    // a line holds its section in one byte: a section beyond it has none
    if (section < 0 || section > 255) return true;
    WrksInSmtRecord probe{};
    probe.CODER = std::int16_t(estimate);
    probe.GRINSMETA = std::uint8_t(section);
    const bool read = readKeyRangeQuietly(FileId::WrksInSmt, "NSB:ONSMETNUM", 2, &probe, [&](const void* r) {
        hundredths += static_cast<const WrksInSmtRecord*>(r)->ONAKT.scaled();
    });
    sum = Decimal::fromScaled(hundredths, 2);
    return read;
}

void KeepStoredAct(const void* stored) { NSB().ONAKT = static_cast<const WrksInSmtRecord*>(stored)->ONAKT; }

void KeepStoredLineButAct(const void* stored)
{
    WrksInSmtRecord& line = NSB();
    const DecimalField<7, 2> act = line.ONAKT;
    line = *static_cast<const WrksInSmtRecord*>(stored);
    line.ONAKT = act;
}
