#pragma once
// The colours of one cell of a list, as colour references (00BBGGRRh): its text and background,
// and both while its row is selected. COLOR_NONE keeps the list's own colour.

#include "platform/ui/windows/control_colors.h"

#include <cstdint>

namespace ui {

struct CellColors {
    std::uint32_t text = COLOR_NONE;
    std::uint32_t background = COLOR_NONE;
    std::uint32_t selectedText = COLOR_NONE;
    std::uint32_t selectedBackground = COLOR_NONE;
    bool operator==(const CellColors&) const = default;
};

}  // namespace ui
