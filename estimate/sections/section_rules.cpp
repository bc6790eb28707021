#include "estimate/sections/section_rules.h"

#include "data/header_lookup.h"
#include "data/thread_data.h"
#include "platform/records/cursor.h"

#include <vector>

namespace {

// Whether a section other than the one at `self` holds the estimate and section numbers.
bool anotherSectionHolds(std::int16_t estimate, std::int16_t number, records::Position self)
{
    records::RecordFile& f = Access(FileId::GroupsWks).file();
    GroupsWksRecord probe;
    probe.NUMSMET = estimate;
    probe.NUMINSMETA = number;
    records::Cursor c(f, GroupsWksLayout().keyIndex("GRO:KeyNumInsmeta"));
    c.setRange(2, &probe);
    c.toStart();
    GroupsWksRecord found;
    while (c.next(&found) == records::kNoError)
        if (c.position() != self) return true;
    return false;
}

}  // namespace

SectionProblem CheckSection(const GroupsWksRecord& now, const GroupsWksRecord& before, bool isNew,
                            records::Position self)
{
    const bool renumbered = now.NUMSMET != before.NUMSMET || now.NUMINSMETA != before.NUMINSMETA;
    if ((isNew || renumbered) && (now.NUMINSMETA < 0 || now.NUMINSMETA > 255)) return SectionProblem::NumberOutOfRange;
    if (!renumbered) return SectionProblem::None;
    if (!HeaderExists(now.NUMSMET)) return SectionProblem::NoEstimate;
    if (anotherSectionHolds(now.NUMSMET, now.NUMINSMETA, self)) return SectionProblem::NumberTaken;
    return SectionProblem::None;
}

bool SectionExists(std::int16_t estimate, std::int16_t number)
{
    if (Access(FileId::GroupsWks).UseFile() != records::Level::Benign) return false;
    return anotherSectionHolds(estimate, number, 0);
}

int WriteSectionWithLines(SectionWrite what, bool& began)
{
    began = false;
    records::RecordFile& f = Access(FileId::GroupsWks).file();
    const records::Layout& sections = GroupsWksLayout();
    const records::Layout& lines = WrksInSmtLayout();
    const std::vector<std::pair<int, int>> links = {{sections.columnIndex("NUMSMET"), lines.columnIndex("CODER")},
                                                    {sections.columnIndex("NUMINSMETA"), lines.columnIndex("GRINSMETA")}};
    if (const int code = f.attach(lines)) return code;
    const int code = f.write([&] {
        GroupsWksRecord old;
        int result = f.fetch(f.position(), &old);
        const GroupsWksRecord& now = GRO();
        const bool renumbered = now.NUMSMET != old.NUMSMET || now.NUMINSMETA != old.NUMINSMETA;
        // lines under numbers another section still holds are that section's too
        const bool linesGo = result == records::kNoError && (what == SectionWrite::Delete || renumbered) &&
                             !anotherSectionHolds(old.NUMSMET, old.NUMINSMETA, f.position());
        if (result == records::kNoError) result = what == SectionWrite::Delete ? f.remove() : f.put();
        if (result == records::kNoError && linesGo)
            result = what == SectionWrite::Delete ? f.cascadeDelete(lines, links, &old)
                                                  : f.cascadeUpdate(lines, links, &old, &now);
        return result;
    });
    f.detachAll();
    // a lock that stayed held: the transaction never began
    began = code != records::kLocked;
    return code;
}
