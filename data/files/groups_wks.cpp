#include "data/files/groups_wks.h"

const records::Layout& GroupsWksLayout()
{
    static const records::Layout layout = records::LayoutBuilder<GroupsWksRecord>("GroupsWks", "GRO")
        .field<&GroupsWksRecord::NUMSMET>("NUMSMET")
        .field<&GroupsWksRecord::NUMINSMETA>("NUMINSMETA")
        .field<&GroupsWksRecord::NAME>("NAME")
        .field<&GroupsWksRecord::ITOGOONGROUP>("ITOGOONGROUP")
        .key("GRO:KeyNumInsmeta", {"NUMSMET", "NUMINSMETA"}, records::Dup | records::NoCase)
        .key("GRO:BY_NUM", {"NUMINSMETA"}, records::Dup | records::NoCase | records::Opt)
        .build();
    return layout;
}
