#pragma once
// Text and background colours of a control, as the window system gives them: colour
// references 00BBGGRRh, and "none" for the control's own colour.

#include "platform/ui/windows/control.h"

#include <QColor>

#include <cstdint>

namespace ui {

inline constexpr std::uint32_t COLOR_NONE = 0xFFFFFFFFu;

// An invalid colour for COLOR_NONE.
QColor colorOfRef(std::uint32_t ref);

// The colour of the control's text; an invalid colour gives back the control's own.
void setTextColor(Control& control, const QColor& color);
// The colour behind the control's text (an entry's field, a prompt's area); an invalid
// colour gives back the control's own.
void setBackgroundColor(Control& control, const QColor& color);

}  // namespace ui
