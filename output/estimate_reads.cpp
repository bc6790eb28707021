#include "output/estimate_reads.h"

#include "data/key_range.h"

#include <limits>

bool readEstimateSections(std::int32_t estimate, std::vector<GroupsWksRecord>& out)
{
    out.clear();
    if (estimate < std::numeric_limits<std::int16_t>::min() || estimate > std::numeric_limits<std::int16_t>::max())
        return true;
    GroupsWksRecord range{};
    range.NUMSMET = std::int16_t(estimate);
    return readKeyRange(FileId::GroupsWks, "GRO:KeyNumInsmeta", 1, &range,
                        [&](const void* r) { out.push_back(*static_cast<const GroupsWksRecord*>(r)); });
}

bool readSectionWorks(const GroupsWksRecord& section, std::vector<WrksInSmtRecord>& out)
{
    out.clear();
    if (section.NUMINSMETA < 0 || section.NUMINSMETA > 255) return true;
    WrksInSmtRecord range{};
    range.CODER = section.NUMSMET;
    range.GRINSMETA = std::uint8_t(section.NUMINSMETA);
    return readKeyRange(FileId::WrksInSmt, "NSB:ONSMETNUM", 2, &range,
                        [&](const void* r) { out.push_back(*static_cast<const WrksInSmtRecord*>(r)); });
}

bool walkEstimate(std::int32_t estimate, const EstimateWalk& walk)
{
    std::vector<GroupsWksRecord> sections;
    if (!readEstimateSections(estimate, sections)) return false;
    std::vector<WrksInSmtRecord> sectionLines;
    int works = 0;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        GRO() = sections[i];
        walk.section(int(i) + 1, sections[i]);
        if (!readSectionWorks(sections[i], sectionLines)) return false;
        for (const WrksInSmtRecord& line : sectionLines) {
            NSB() = line;
            walk.work(++works, NSB());
        }
        walk.sectionEnd();
    }
    return true;
}
