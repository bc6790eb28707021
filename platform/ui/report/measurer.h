#pragma once
// How wide and high text comes out, in thousandths of an inch. The report lays out through
// this, so its tests use a fixed-cell measurer and real runs the fonts' own metrics.

#include "platform/ui/report/page_model.h"

#include <QFont>
#include <QString>

#include <memory>
#include <vector>

class QFontMetricsF;

namespace ui::report {

class Measurer {
public:
    virtual ~Measurer() = default;
    virtual double textWidth(const ResolvedFont& font, const QString& text) = 0;
    virtual double averageCharWidth(const ResolvedFont& font) = 0;
    virtual double lineHeight(const ResolvedFont& font) = 0;
};

// Qt's font metrics with hinting off, so that sizes scale exactly with the font. Without kerning
// a run of Latin or Cyrillic text is as wide as its characters' advances added up: those are
// kept per font, so a text is not shaped again to be measured.
class FontMeasurer : public Measurer {
public:
    FontMeasurer();
    ~FontMeasurer() override;
    double textWidth(const ResolvedFont& font, const QString& text) override;
    double averageCharWidth(const ResolvedFont& font) override;
    double lineHeight(const ResolvedFont& font) override;

private:
    struct Metrics {
        ResolvedFont font;
        std::unique_ptr<QFontMetricsF> qt;
        std::vector<float> advances;  // by character, below kAddedUp; negative until measured
    };
    Metrics& metrics(const ResolvedFont& font);
    // a report uses a handful of fonts
    std::vector<Metrics> metrics_;
};

// The font a report item is drawn with: sized in thousandths of an inch, for a painter scaled
// to that unit.
QFont qtFont(const ResolvedFont& font);

}  // namespace ui::report
