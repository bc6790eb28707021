#pragma once
// The texts and colours of the estimate editor's tree rows, built from a record. Texts keep
// their fields' trailing blanks, so that the separators stand in fixed columns of the tree's
// fixed-pitch font.

#include "data/files/groups_wks.h"
#include "data/files/headers.h"
#include "data/files/wrks_in_smt.h"
#include "platform/ui/tree_row.h"

ui::TreeRow FormatRootRow();
ui::TreeRow FormatEstimateRow(const HeadersRecord& header);
ui::TreeRow FormatSectionRow(const GroupsWksRecord& section);
ui::TreeRow FormatWorkRow(const WrksInSmtRecord& line);

// Colour references of the tree (00BBGGRRh).
namespace TREECOLOR {
inline constexpr std::int32_t EstimateText = 0x0A00000;
inline constexpr std::int32_t EstimateBack = 0x0F0E2C6;
inline constexpr std::int32_t SectionBack = 0x0E8CEB3;
inline constexpr std::int32_t SelectedBack = 0x0804000;  // the list's default for a selected row
}  // namespace TREECOLOR
