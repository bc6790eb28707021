#pragma once
// Wrapping a growing text: CR LF (or LF) ends a line; lines break at blanks, a word longer
// than the width is broken; runs of blanks inside a line are kept (texts align figures with
// them), the blanks at a break and trailing blanks go. Each word is measured once, and each
// line comes with its width, so that it is drawn without measuring it again.

#include "platform/ui/report/measurer.h"

#include <QString>

#include <vector>

namespace ui::report {

struct WrappedLine {
    QString text;
    double width = 0;
    friend bool operator==(const WrappedLine&, const WrappedLine&) = default;
};

std::vector<WrappedLine> wrapText(const QString& text, double width, const ResolvedFont& font, Measurer& measurer);

}  // namespace ui::report
