#include "platform/ui/report/measurer.h"

#include <QFontMetricsF>

#include <cmath>

namespace ui::report {

QFont qtFont(const ResolvedFont& font)
{
    QFont f(font.family);
    f.setPixelSize(int(std::lround(font.points * 1000.0 / 72.0)));
    f.setBold(font.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

FontMeasurer::FontMeasurer() = default;
FontMeasurer::~FontMeasurer() = default;

const QFontMetricsF& FontMeasurer::metrics(const ResolvedFont& font)
{
    for (const auto& [f, m] : metrics_)
        if (f == font) return *m;
    metrics_.emplace_back(font, std::make_unique<QFontMetricsF>(qtFont(font)));
    return *metrics_.back().second;
}

double FontMeasurer::textWidth(const ResolvedFont& font, const QString& text)
{
    return metrics(font).horizontalAdvance(text);
}

double FontMeasurer::averageCharWidth(const ResolvedFont& font)
{
    return metrics(font).averageCharWidth();
}

double FontMeasurer::lineHeight(const ResolvedFont& font) { return metrics(font).height(); }

}  // namespace ui::report
