#pragma once
// The layout of a band report, in thousandths of an inch: the page, its header and footer at
// fixed places, the line area, groups on break fields (outer first) with their header and
// footer bands, and the line band. Controls read their values when their band is placed, from
// whatever the report's driver has put into its buffers.

#include "platform/core/decimal.h"

#include <QImage>
#include <QPageLayout>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace ui::report {

// A part left empty (no family, no size, no weight) is taken from the band or the report.
struct FontSpec {
    QString family;
    double points = 0;
    std::optional<bool> bold;
};

enum class Kind {
    Label,       // fixed text; as wide as its text unless a width is given
    Field,       // a value through its picture, on one line
    Text,        // text that wraps within its width and grows downwards
    Sum,         // the sum of a value over the lines printed within the band's group
    PageNumber,  // the page's number through a pattern picture
    Rule,        // a horizontal line (without a width across the band), or a vertical one
    Box,         // a frame with vertical dividers
    Image,       // a picture loaded when placed, scaled into its box
};

enum class Align { Left, Right, Center };

struct Control {
    Kind kind = Kind::Label;
    int x = 0, y = 0;
    int width = 0, height = 0;  // 0: the control's default
    QString text;               // a label's text
    QString picture;            // fields, sums and page numbers
    std::function<Decimal()> number;  // a numeric field or the summed value
    std::function<QString()> string;  // a string field or a text
    std::function<QImage()> image;
    std::vector<int> dividers;  // a box's vertical lines, x within the band
    FontSpec font;
    std::optional<Align> align;  // numbers right, everything else left by default
};

struct Band {
    int height = 0;
    std::vector<Control> controls;
    FontSpec font;
};

// A page header or footer: a band at a fixed place on every page.
struct FixedBand {
    int x = 0, y = 0, width = 0;
    Band band;
};

struct Group {
    std::function<std::int64_t()> key;  // the break field of the current record
    std::vector<Band> headers;
    std::vector<Band> footers;
};

struct ReportLayout {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;  // A4
    FontSpec font{QStringLiteral("Arial Cyr"), 8, false};
    std::optional<FixedBand> pageHeader, pageFooter;
    QRect lineArea;
    std::vector<Group> groups;  // outer to inner
    Band line;
};

// A4 in thousandths of an inch.
QSize pageSizeMils(QPageLayout::Orientation orientation);

// --- building controls
Control label(int x, int y, const QString& text, FontSpec font = {});
Control field(int x, int y, const QString& picture, std::function<Decimal()> value, FontSpec font = {});
Control field(int x, int y, const QString& picture, std::function<QString()> value, FontSpec font = {});
Control text(int x, int y, int width, std::function<QString()> value, FontSpec font = {});
Control sum(int x, int y, const QString& picture, std::function<Decimal()> value, FontSpec font = {});
Control pageNumber(int x, int y, const QString& picture, FontSpec font = {});
Control rule(int x, int y, int width = 0);
Control verticalRule(int x, int y, int height);
Control box(int x, int y, int width, int height, std::vector<int> dividers = {});
Control image(int x, int y, int width, int height, std::function<QImage()> source);
FontSpec font(double points, bool bold = false, const QString& family = {});

}  // namespace ui::report
