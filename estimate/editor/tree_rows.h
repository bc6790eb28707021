#pragma once
// The texts and colours of the estimate editor's tree rows. A row keeps only the fields its
// text is made of, and the text is made when the list shows the row, so that a tree of many
// thousand lines is built at the cost of reading them. Texts keep their fields' trailing
// blanks, so that the separators stand in fixed columns of the tree's fixed-pitch font.

#include "data/files/groups_wks.h"
#include "data/files/headers.h"
#include "data/files/wrks_in_smt.h"
#include "platform/core/fixed_string.h"
#include "platform/ui/controls/tree_row.h"

// What the texts are made of: the shown part of each field.
struct EstimateRowFields {
    std::int16_t NUMBER = 0;
    std::int32_t DATEDOG = 0;
    FixedString<50> NAME;
    FixedString<40> ZAKAZCHIK;
};
struct SectionRowFields {
    FixedString<80> NAME;
};
struct WorkRowFields {
    decltype(WrksInSmtRecord::CHELCH) CHELCH;
    FixedString<70> NAME;
    FixedString<25> EDIZM;
};

EstimateRowFields EstimateFieldsOf(const HeadersRecord& header);
SectionRowFields SectionFieldsOf(const GroupsWksRecord& section);
WorkRowFields WorkFieldsOf(const WrksInSmtRecord& line);

QString RootRowText();
QString EstimateRowText(const EstimateRowFields& header);
QString SectionRowText(const SectionRowFields& section);
QString WorkRowText(const WorkRowFields& line);

// A row of each kind with its colours, without its text.
ui::TreeRow RootRow();
ui::TreeRow EstimateRow();
ui::TreeRow SectionRow();
ui::TreeRow WorkRow();

// Colour references of the tree (00BBGGRRh).
namespace TREECOLOR {
inline constexpr std::int32_t EstimateText = 0x0A00000;
inline constexpr std::int32_t EstimateBack = 0x0F0E2C6;
inline constexpr std::int32_t SectionBack = 0x0E8CEB3;
inline constexpr std::int32_t SelectedBack = 0x0804000;  // the list's default for a selected row
}  // namespace TREECOLOR
