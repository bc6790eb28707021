#include "platform/ui/report/report_painter.h"

#include "platform/ui/report/measurer.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace ui::report {

void paintPage(QPainter& painter, const Page& page, double dotsPerInch)
{
    // one transform for the page, in the units the fonts are sized in
    const double u = kFontUnitsPerMil;
    const auto at = [u](int v) { return v * u; };
    painter.save();
    painter.scale(dotsPerInch / 1000.0 / u, dotsPerInch / 1000.0 / u);
    QPen pen(Qt::black);
    pen.setWidthF(7 * u);  // half a point
    painter.setPen(pen);
    const ResolvedFont* current = nullptr;
    for (const Item& i : page.items) {
        const QRect& r = i.rect;
        switch (i.kind) {
        case Item::Text:
            if (!current || !(*current == i.font)) {
                painter.setFont(qtFont(i.font));
                current = &i.font;
            }
            painter.drawText(QRectF(at(r.x()), at(r.y()), at(r.width()), at(r.height())),
                             int(i.align | Qt::AlignTop | Qt::TextDontClip), i.text);
            break;
        case Item::Line:
            painter.drawLine(QPointF(at(r.x()), at(r.y())), QPointF(at(r.x() + r.width()), at(r.y() + r.height())));
            break;
        case Item::Frame: painter.drawRect(QRectF(at(r.x()), at(r.y()), at(r.width()), at(r.height()))); break;
        case Item::Picture: {
            // scaled into the box, keeping its proportions
            const QSize size = i.image.size().scaled(r.size(), Qt::KeepAspectRatio);
            painter.drawImage(QRectF(at(r.x()), at(r.y()), at(size.width()), at(size.height())), i.image);
            break;
        }
        }
    }
    painter.restore();
}

namespace {

void setUpPage(QPagedPaintDevice& device, QPageLayout::Orientation orientation)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF()));
}

}  // namespace

bool paintPages(const PageModel& model, QPagedPaintDevice& device, double dotsPerInch)
{
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
