#include "platform/ui/report/report_painter.h"

#include "platform/ui/report/measurer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <malloc.h>
#include <optional>

namespace ui::report {

void paintPage(QPainter& painter, const Page& page, double dotsPerInch)
{
    // one transform for the page, in the thousandths of an inch the fonts are sized in
    painter.save();
    painter.scale(dotsPerInch / 1000.0, dotsPerInch / 1000.0);
    QPen pen(Qt::black);
    pen.setWidthF(7);  // half a point
    painter.setPen(pen);
    const ResolvedFont* current = nullptr;
    std::optional<QFontMetricsF> metrics;
    for (const Item& i : page.items) {
        const QRect& r = i.rect;
        switch (i.kind) {
        case Item::Text: {
            if (!current || !(*current == i.font)) {
                const QFont font = qtFont(i.font);
                painter.setFont(font);
                metrics.emplace(font);
                current = &i.font;
            }
            // from the baseline, at the width the layout measured: much cheaper than laying the
            // text out in a rectangle
            double x = r.x();
            if (i.align != Qt::AlignLeft) {
                const double spare = r.width() - i.advance;
                x += i.align == Qt::AlignRight ? spare : spare / 2;
            }
            painter.drawText(QPointF(x, r.y() + metrics->ascent()), i.text);
            break;
        }
        case Item::Line:
            painter.drawLine(QPointF(r.x(), r.y()), QPointF(r.x() + r.width(), r.y() + r.height()));
            break;
        case Item::Frame: painter.drawRect(QRectF(r.x(), r.y(), r.width(), r.height())); break;
        case Item::Picture: {
            // scaled into the box, keeping its proportions
            const QSize size = i.image->size().scaled(r.size(), Qt::KeepAspectRatio);
            painter.drawImage(QRectF(r.x(), r.y(), size.width(), size.height()), *i.image);
            break;
        }
        }
    }
    painter.restore();
}

namespace {

// Qt's PDF engine takes and frees buffers of megabytes for every page it writes; glibc would give
// each back to the system and fault it in again for the next page, which made that most of the
// time a long report took to write. Freed memory is kept for reuse instead.
void keepFreedBuffersForReuse()
{
    static const bool kept = [] {
        constexpr int kMegabyte = 1 << 20;
        return mallopt(M_MMAP_THRESHOLD, 32 * kMegabyte) == 1 && mallopt(M_TRIM_THRESHOLD, 256 * kMegabyte) == 1;
    }();
    (void)kept;
}

void setUpPage(QPagedPaintDevice& device, QPageLayout::Orientation orientation)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF()));
}

}  // namespace

bool paintPages(const PageModel& model, QPagedPaintDevice& device, double dotsPerInch)
{
    keepFreedBuffersForReuse();
    setUpPage(device, model.orientation);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (std::size_t p = 0; p < model.pages.size(); ++p) {
        if (p > 0) device.newPage();
        paintPage(painter, model.pages[p], dotsPerInch);
    }
    return painter.end();
}

bool printPages(const PageModel& model, QPrinter& printer)
{
    printer.setFullPage(true);
    return paintPages(model, printer, printer.resolution());
}

bool writePdf(const PageModel& model, const QString& fileName)
{
    QPdfWriter pdf(fileName);
    pdf.setResolution(1200);
    pdf.setCreator(QStringLiteral("Tolvex Smeta"));
    return paintPages(model, pdf, pdf.resolution());
}

}  // namespace ui::report
