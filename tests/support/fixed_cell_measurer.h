#pragma once
// A measurer of fixed cells for report tests: every character is 10 thousandths of an inch
// wide per point of its font, every line 20 per point.

#include "platform/ui/report/measurer.h"

namespace test {

class FixedCellMeasurer : public ui::report::Measurer {
public:
    double textWidth(const ui::report::ResolvedFont& f, const QString& text) override
    {
        return double(text.size()) * averageCharWidth(f);
    }
    double averageCharWidth(const ui::report::ResolvedFont& f) override { return f.points * 10; }
    double lineHeight(const ui::report::ResolvedFont& f) override { return f.points * 20; }
};

}  // namespace test
