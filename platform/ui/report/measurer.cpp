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

namespace {

// Latin, Greek and Cyrillic: scripts whose runs are not reshaped
constexpr char16_t kAddedUp = 0x0530;

}  // namespace

FontMeasurer::FontMeasurer() = default;
FontMeasurer::~FontMeasurer() = default;

FontMeasurer::Metrics& FontMeasurer::metrics(const ResolvedFont& font)
{
    for (Metrics& m : metrics_)
        if (m.font == font) return m;
    metrics_.push_back(Metrics{font, std::make_unique<QFontMetricsF>(qtFont(font)), std::vector<float>(kAddedUp, -1.f)});
    return metrics_.back();
}

double FontMeasurer::textWidth(const ResolvedFont& font, const QString& text)
{
    Metrics& m = metrics(font);
    double width = 0;
    for (const QChar c : text) {
        if (c.unicode() >= kAddedUp) return m.qt->horizontalAdvance(text);
        float& advance = m.advances[c.unicode()];
        if (advance < 0) advance = float(m.qt->horizontalAdvance(c));
        width += advance;
    }
    return width;
}

double FontMeasurer::averageCharWidth(const ResolvedFont& font) { return metrics(font).qt->averageCharWidth(); }

double FontMeasurer::lineHeight(const ResolvedFont& font) { return metrics(font).qt->height(); }

}  // namespace ui::report
