#pragma once
// The print preview: a window of its own around the page view, on the calling thread,
// which waits until the user closes it. From it the user zooms ("Весь лист", "По ширине"),
// prints the pages on the program's printer, or saves them as PDF.

#include "platform/ui/report/page_model.h"

#include <functional>

namespace ui::report {

// How the preview opens: at its zoom step, in the stored position and state, or maximised
// every time.
struct PreviewOptions {
    enum Zoom { WholePage, FitWidth };
    Zoom zoom = WholePage;
    bool maximised = false;
};

void showPreview(const PageModel& model, const PreviewOptions& options = {});

// For tests: the preview hands its pages here instead of opening (null restores the window).
void setPreviewInterceptor(std::function<void(const PageModel&)> interceptor);

// The title of the preview window.
QString previewTitle();

}  // namespace ui::report
