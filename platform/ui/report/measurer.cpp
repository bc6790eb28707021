#include "platform/ui/report/measurer.h"

#include <QFontMetricsF>

#include <cmath>

namespace ui::report {

QFont qtFont(const ResolvedFont& font)
{
    QFont f(font.family);
    f.setPixelSize(int(std::lround(font.points * 1000.0 * kFontUnitsPerMil / 72.0)));
    f.setBold(font.bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

FontMeasurer::FontMeasurer() = default;
FontMeasurer::~FontMeasurer() = default;

const QFontMetricsF& FontMeasurer::metrics(const ResolvedFont& font)
{
    const QString key = QStringLiteral("%1|%2|%3").arg(font.family).arg(font.points).arg(font.bold);
    auto& m = metrics_[key];
    if (!m) m = std::make_unique<QFontMetricsF>(qtFont(font));
    return *m;
}

double FontMeasurer::textWidth(const ResolvedFont& font, const QString& text)
{
    return metrics(font).horizontalAdvance(text) / kFontUnitsPerMil;
}

double FontMeasurer::averageCharWidth(const ResolvedFont& font)
{
    return metrics(font).averageCharWidth() / kFontUnitsPerMil;
}

double FontMeasurer::lineHeight(const ResolvedFont& font) { return metrics(font).height() / kFontUnitsPerMil; }

}  // namespace ui::report
