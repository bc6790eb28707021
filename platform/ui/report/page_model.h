#pragma once
// The laid-out report: the items placed on each page, in thousandths of an inch from the
// page's top left corner. Preview, printer and PDF all paint this same model.

#include <QImage>
#include <QPageLayout>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

namespace ui::report {

struct ResolvedFont {
    QString family;
    double points = 8;
    bool bold = false;
    friend bool operator==(const ResolvedFont&, const ResolvedFont&) = default;
};

// A long report holds hundreds of thousands of items: the small members come first, so that
// they share the padding.
struct Item {
    enum Kind { Text, Line, Frame, Picture };
    Kind kind = Text;
    float advance = 0;  // the text's measured width, where it is aligned within its box
    Qt::Alignment align = Qt::AlignLeft;
    QRect rect;         // a line: from its top left by its width (across) or its height (down)
    QString text;       // one line of text; a right-aligned one without the blanks before it
    ResolvedFont font;
    std::shared_ptr<const QImage> image;
};

struct Page {
    std::vector<Item> items;
};

struct PageModel {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::vector<Page> pages;
};

// One line per item, for tests: "T x y w h |text|", "L x y w h", "F x y w h", "P x y w h".
QString dump(const Page& page);

}  // namespace ui::report
