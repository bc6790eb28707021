#pragma once
// Paints the page model unchanged onto a preview, a printer or a PDF file.

#include "platform/ui/report/page_model.h"

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace ui::report {

// One page, on a painter whose device has `dotsPerInch` and whose origin is the paper's corner.
void paintPage(QPainter& painter, const Page& page, double dotsPerInch);
// Every page onto the device (a printer set to the full page, or a PDF writer), A4 in the
// model's orientation; false when the device cannot be painted on.
bool paintPages(const PageModel& model, QPagedPaintDevice& device, double dotsPerInch);
bool printPages(const PageModel& model, QPrinter& printer);
bool writePdf(const PageModel& model, const QString& fileName);

}  // namespace ui::report
