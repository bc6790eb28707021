#pragma once
// Wrapping a growing text: CR LF (or LF) ends a line; lines break at blanks, a word longer
// than the width is broken; runs of blanks inside a line are kept (texts align figures with
// them), the blanks at a break and trailing blanks go.

#include "platform/ui/report/measurer.h"

#include <QStringList>

namespace ui::report {

QStringList wrapText(const QString& text, double width, const ResolvedFont& font, Measurer& measurer);

}  // namespace ui::report
