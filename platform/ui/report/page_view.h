#pragma once
// The pages of the preview: the page model shown one page under the other at the zoom the user
// chose. Only the pages in view are painted, straight from the model, when they come into view,
// so the first page shows at once however long the report and no page is kept painted.

#include "platform/ui/report/page_model.h"

#include <QAbstractScrollArea>

namespace ui::report {

class PageView : public QAbstractScrollArea {
public:
    enum ZoomMode { WholePage, FitWidth, Custom };

    explicit PageView(const PageModel& model, QWidget* parent = nullptr);

    int pageCount() const { return int(model_.pages.size()); }
    ZoomMode zoomMode() const { return mode_; }
    void setZoomMode(ZoomMode mode);
    void zoomIn();
    void zoomOut();
    // Pixels per thousandth of an inch.
    double scale() const { return scale_; }
    // The pages painted since the view opened, for tests and the benchmark.
    long pagesPainted() const { return pagesPainted_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setScale(double scale);
    void updateScrollBars();
    QSize pageSize() const;  // at the current scale, in pixels
    int pageTop(int page) const;

    const PageModel& model_;
    ZoomMode mode_ = WholePage;
    double scale_ = 0.1;
    long pagesPainted_ = 0;
};

}  // namespace ui::report
